#include "editor/virtual_lcd/lcd_command_parser.h"

#include <algorithm>
#include <array>

namespace {

constexpr int32_t kText = -1;
constexpr int32_t kBitmap = -2;
constexpr size_t kNameEnd = 3;    // escape and two letters
constexpr size_t kBmpModeAt = 7;  // after x and y
constexpr size_t kBmpFileAt = 8;
constexpr uint8_t kBmpMode = 0x01;

struct CommandShape {
    std::string_view name;
    int32_t argBytes;  // or kText, kBitmap
};

constexpr std::array<CommandShape, 21> kCommands{{
    {"CL", 1}, {"BX", 8},     {"LI", 8},       {"BF", 9}, {"EL", 8}, {"EF", 8}, {"AR", 10},
    {"GL", 4}, {"PR", kText}, {"BD", kBitmap}, {"DS", 2}, {"SC", 1}, {"LS", 1}, {"FO", 2},
    {"FS", 3}, {"BL", 1},     {"PG", 1},       {"OM", 1}, {"WM", 1}, {"PM", 3}, {"VE", 2},
}};

constexpr VyLcdScan kNeedMore{VyLcdScanStatus::kNeedMore, 0};
constexpr VyLcdScan kInvalid{VyLcdScanStatus::kInvalid, 0};

VyLcdScan Complete(size_t length) {
    return {VyLcdScanStatus::kComplete, length};
}

bool AnyNameStartsWith(char letter) {
    return std::any_of(kCommands.begin(), kCommands.end(),
                       [letter](const CommandShape& c) { return c.name[0] == letter; });
}

const CommandShape* FindShape(std::string_view name) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [name](const CommandShape& c) { return c.name == name; });
    return it == kCommands.end() ? nullptr : &*it;
}

VyLcdScan ScanFixed(std::string_view bytes, int32_t argBytes) {
    const size_t length = kNameEnd + static_cast<size_t>(argBytes);
    return bytes.size() >= length ? Complete(length) : kNeedMore;
}

VyLcdScan ScanText(std::string_view bytes) {
    const std::string_view text = bytes.substr(kNameEnd, kLcdMaxTextBytes + 1);
    const size_t end = text.find('\0');
    if (end != std::string_view::npos) {
        return Complete(kNameEnd + end + 1);
    }
    return text.size() > kLcdMaxTextBytes ? kInvalid : kNeedMore;
}

uint32_t ReadLe32(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// Rejects a wrong byte as soon as it arrives, so a bad bitmap never holds up
// the commands behind it.
VyLcdScan ScanBitmap(std::string_view bytes) {
    constexpr std::string_view kMagic = "BM";
    if (bytes.size() > kBmpModeAt && static_cast<uint8_t>(bytes[kBmpModeAt]) != kBmpMode) {
        return kInvalid;
    }
    for (size_t i = 0; i < kMagic.size() && kBmpFileAt + i < bytes.size(); ++i) {
        if (bytes[kBmpFileAt + i] != kMagic[i]) {
            return kInvalid;
        }
    }
    constexpr size_t kSizeAt = kBmpFileAt + 2;
    if (bytes.size() < kSizeAt + 4) {
        return kNeedMore;
    }
    const size_t fileBytes = ReadLe32(bytes, kSizeAt);
    if (fileBytes < kLcdMinBmpBytes || fileBytes > kLcdMaxBmpBytes) {
        return kInvalid;
    }
    return ScanFixed(bytes, static_cast<int32_t>(kBmpFileAt - kNameEnd + fileBytes));
}

}  // namespace

VyLcdScan ScanLcdCommand(std::string_view bytes) {
    if (bytes.empty() || static_cast<uint8_t>(bytes[0]) != kLcdEscape) {
        return kInvalid;
    }
    if (bytes.size() < kNameEnd) {
        return bytes.size() == 2 && !AnyNameStartsWith(bytes[1]) ? kInvalid : kNeedMore;
    }
    const CommandShape* shape = FindShape(bytes.substr(1, 2));
    if (shape == nullptr) {
        return kInvalid;
    }
    switch (shape->argBytes) {
        case kText:
            return ScanText(bytes);
        case kBitmap:
            return ScanBitmap(bytes);
        default:
            return ScanFixed(bytes, shape->argBytes);
    }
}

void CVylLcdCommandParser::Feed(std::string_view bytes, std::vector<VyLcdCommand>* done) {
    m_pending.append(bytes);
    const std::string_view all(m_pending);
    size_t pos = 0;
    while (pos < all.size()) {
        const std::string_view rest = all.substr(pos);
        if (static_cast<uint8_t>(rest[0]) != kLcdEscape) {
            pos += SkipGarbage(rest, 0);
            continue;
        }
        const VyLcdScan scan = ScanLcdCommand(rest);
        if (scan.status == VyLcdScanStatus::kNeedMore) {
            break;
        }
        if (scan.status == VyLcdScanStatus::kInvalid) {
            pos += SkipGarbage(rest, 1);
            continue;
        }
        done->push_back({std::string(rest.substr(1, 2)),
                         std::string(rest.substr(kNameEnd, scan.length - kNameEnd))});
        pos += scan.length;
    }
    m_pending.erase(0, pos);
}

// Counts and passes over rest up to (not including) the next escape byte at or
// after from.
size_t CVylLcdCommandParser::SkipGarbage(std::string_view rest, size_t from) {
    const size_t next = std::min(rest.find(static_cast<char>(kLcdEscape), from), rest.size());
    m_garbageBytes += static_cast<int64_t>(next);
    return next;
}
