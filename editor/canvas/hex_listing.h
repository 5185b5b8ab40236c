// The hex pane's listing of a drawing's command bytes: two hexadecimal
// digits a byte, coloured by the byte's role in its command, a fixed number
// of bytes a line and a character column beside them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "editor/command/command_bytes.h"
#include "editor/model/device_context.h"

struct VyHexRun {
    std::string text;
    uint32_t rgb = 0;  // 0xRRGGBB
    bool operator==(const VyHexRun&) const = default;
};

struct VyHexListing {
    std::vector<VyHexRun> runs;
    // More bytes than were listed: the pane shows the start, not the end.
    bool cut = false;
};

// The pane lists at most this many bytes.
inline constexpr size_t kHexPaneByteLimit = 30;

// "key=value&key=value" as a map; pieces without "=" are skipped.
std::map<std::string, std::string> ParseKeyValueList(std::string_view text);

// Bytes a line for a pane in which fittingChars characters fit: a quarter,
// less one, from 1 to 127.
int32_t HexBytesPerLine(int32_t fittingChars);

// Byte colours come from the device context's "byte_props" (position in
// the command -> role) and "byte_colors" (role -> decimal 0x00BBGGRR).
VyHexListing BuildHexListing(const VyByteArray& bytes, const VyLengthArray& lengths,
                             const CVylDeviceContext& dc, int32_t bytesPerLine, bool trim);

// The listing's text as a plain-text pane holds it (line ends as "\n").
std::string HexListingText(const VyHexListing& listing);
