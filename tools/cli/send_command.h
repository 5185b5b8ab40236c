// "vylcd-cli send FILE --port DEVICE [--baud N]": the full LCD update of a
// drawing sent through the link with its one-command flow control.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

struct VySendOptions {
    std::string device;  // a device path, or "virtual"
    uint32_t baud = 19200;
    int64_t noAnswerMs = 6100;
};

// Exit codes: 0 every command acknowledged; 1 a file or port problem (the
// port's message); 3 the module stayed silent past the no-answer time.
// Progress goes to err. Runs its own event loop.
int RunSendCommand(const std::string& path, const VySendOptions& options, std::ostream& err);
