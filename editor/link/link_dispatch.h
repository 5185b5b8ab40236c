// Sending command bytes to the module one chunk at a time: a chunk goes out
// only when the previous one was acknowledged.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/link/link_credits.h"
#include "editor/link/serial_control.h"

// The chunks the lengths describe. Lengths that do not add up to the bytes
// are honoured as far as they go: a length running past the end is cut, and
// bytes no length covers go out as one last chunk. Without lengths, all the
// bytes are one chunk.
std::vector<std::string_view> SplitIntoChunks(std::string_view bytes,
                                              const std::vector<uint32_t>* lengths);

// How many chunks the received bytes acknowledge: one per "K", whatever
// else came with them.
int32_t CountAcknowledgements(std::string_view received);

// The body of a dispatch task: nothing when the port is closed or there are
// no bytes; otherwise each chunk waits for the credit, then is written, short
// ones by the thread that takes the previous acknowledgement. A stop request
// ends the transfer (credits reset); so does a port that fails. One transfer
// at a time per credit.
void DispatchBytes(CVylLinkCredits& credits, CVylSerialControl& control, std::string_view bytes,
                   const std::vector<uint32_t>* lengths);
