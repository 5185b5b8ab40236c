#include "editor/canvas/hex_listing.h"

#include <algorithm>

#include "editor/tree/decimal_text.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kColumnGrey = 0x787882;  // RGB(120, 120, 130)

uint32_t RgbOfColorRef(int32_t colorRef) {
    const auto value = static_cast<uint32_t>(colorRef);
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

void Append(VyHexListing& listing, std::string text, uint32_t rgb) {
    if (!listing.runs.empty() && listing.runs.back().rgb == rgb) {
        listing.runs.back().text += text;
    } else {
        listing.runs.push_back({std::move(text), rgb});
    }
}

// The colour of each position inside a command.
std::map<int64_t, uint32_t> PositionColours(const CVylDeviceContext& dc) {
    const auto props = ParseKeyValueList(dc.GetString(kKeyByteProps));
    const auto colours = ParseKeyValueList(dc.GetString(kKeyByteColors));
    std::map<int64_t, uint32_t> result;
    for (const auto& [position, role] : props) {
        const auto colour = colours.find(role);
        if (colour != colours.end()) {
            result[AtoiValue(position)] = RgbOfColorRef(AtoiValue(colour->second));
        }
    }
    return result;
}

}  // namespace

std::map<std::string, std::string> ParseKeyValueList(std::string_view text) {
    std::map<std::string, std::string> result;
    while (!text.empty()) {
        const size_t end = std::min(text.find('&'), text.size());
        const std::string_view piece = text.substr(0, end);
        const size_t equals = piece.find('=');
        if (equals != std::string_view::npos) {
            result[std::string(piece.substr(0, equals))] = std::string(piece.substr(equals + 1));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return result;
}

int32_t HexBytesPerLine(int32_t fittingChars) {
    return std::clamp(fittingChars / 4 - 1, 1, 127);
}

VyHexListing BuildHexListing(const VyByteArray& bytes, const VyLengthArray& lengths,
                             const CVylDeviceContext& dc, int32_t bytesPerLine, bool trim) {
    VyHexListing listing;
    const int64_t perLine = std::max(bytesPerLine, 1);
    size_t count = bytes.size();
    if (trim && count > kHexPaneByteLimit) {
        count = kHexPaneByteLimit;
        listing.cut = true;
    }
    const std::map<int64_t, uint32_t> colours = PositionColours(dc);
    std::string column;
    size_t command = 0;
    int64_t position = 0;
    for (size_t i = 0; i < count; ++i) {
        // Positions restart with every command of the length list.
        while (command < lengths.size() && position >= static_cast<int64_t>(lengths[command])) {
            position -= lengths[command];
            ++command;
        }
        const auto byte = static_cast<uint8_t>(bytes[i]);
        const auto colour = colours.find(position);
        std::string hex;
        AppendHexByte(hex, byte);
        Append(listing, std::move(hex), colour == colours.end() ? kBlack : colour->second);
        column += byte >= 0x21 && byte <= 0x7F ? static_cast<char>(byte) : '.';
        const int64_t inLine = static_cast<int64_t>(i) % perLine;
        if (inLine == perLine - 1 || i + 1 == count) {
            Append(listing, std::string((perLine - inLine - 1) * 3 + 5, ' ') + column + "\r\n",
                   kColumnGrey);
            column.clear();
        } else {
            Append(listing, " ", kBlack);
        }
        ++position;
    }
    return listing;
}

std::string HexListingText(const VyHexListing& listing) {
    std::string text;
    for (const VyHexRun& run : listing.runs) {
        for (char c : run.text) {
            if (c != '\r') {
                text += c;
            }
        }
    }
    return text;
}
