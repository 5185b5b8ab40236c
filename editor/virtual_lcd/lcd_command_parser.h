// Splitting the LCD module's byte stream into commands: the escape byte, two
// letters, then arguments whose length the letters fix; a text runs up to and
// including its 0x00, a bitmap is as long as its BMP file header says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr uint8_t kLcdEscape = 0x1B;
// The longest text the module takes in one print command, terminator excluded.
inline constexpr size_t kLcdMaxTextBytes = 4096;
// A bitmap file no longer than a full-screen 24-bit picture with the largest
// info header and a full palette; a header declaring more is taken for garbage,
// so that a lie never makes the module wait for or hold gigabytes.
inline constexpr size_t kLcdMaxBmpBytes = 14 + 124 + 256 * 4 + 320 * 3 * 240;
// A file header and the smallest info header.
inline constexpr size_t kLcdMinBmpBytes = 14 + 12;

struct VyLcdCommand {
    std::string name;  // the two letters, as "BX"
    std::string args;  // every byte after the letters
    bool operator==(const VyLcdCommand&) const = default;
};

enum class VyLcdScanStatus { kComplete, kNeedMore, kInvalid };

struct VyLcdScan {
    VyLcdScanStatus status = VyLcdScanStatus::kNeedMore;
    size_t length = 0;  // of the whole command, escape included, when complete
};

// Examines the command at the start of bytes: complete with its length, not
// yet complete, or no command at all (no escape byte first, unknown letters,
// a text without end, a bitmap whose header is malformed or declares too much).
VyLcdScan ScanLcdCommand(std::string_view bytes);

// Keeps an unfinished command across calls, so bytes may arrive in any pieces.
class CVylLcdCommandParser {
  public:
    // Appends every command the new bytes complete to done, in order. Bytes
    // that start no command are skipped up to the next escape byte.
    void Feed(std::string_view bytes, std::vector<VyLcdCommand>* done);

    int64_t GetGarbageBytes() const { return m_garbageBytes; }
    // Bytes held of a command that has not ended yet.
    size_t GetPendingBytes() const { return m_pending.size(); }

  private:
    size_t SkipGarbage(std::string_view rest, size_t from);

    std::string m_pending;
    int64_t m_garbageBytes = 0;
};
