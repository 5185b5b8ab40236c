// Private-profile (INI) files: "[section]" lines and "key=value" lines,
// section and key names compared without regard to case, values as text.
// An own reader and writer rather than QSettings: QSettings escapes and
// re-encodes values and would pull Qt into this GUI-free layer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "editor/vyedit_export.h"

class VYEDIT_EXPORT CFxProfileFile {
  public:
    // Reads LF or CRLF text; lines that are neither sections nor keys are
    // kept as they are.
    void Parse(std::string_view text);
    // Every line as read or set, each ended by CRLF.
    std::string ToText() const;

    // 1 when the file was read; otherwise the contents become empty.
    int Load(const std::string& path);
    // Loads the file before a rewrite: 1 when it was read or does not exist
    // yet; 0 for a file that exists but cannot be read (never replace it).
    int LoadForUpdate(const std::string& path);
    // Written atomically: on failure the old file stays; returns 0.
    int Save(const std::string& path) const;

    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
    // Changes the first line of the key or adds the key (and the section).
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

  private:
    // Index of the section's header line, or -1.
    int FindSection(std::string_view section) const;
    // Index of the key's line inside the section starting at header, or -1.
    int FindKey(int header, std::string_view key) const;
    // Index after the section's last non-blank line.
    size_t SectionEnd(int header) const;

    std::vector<std::string> m_lines;
};

// One-call access to a single key, reading and writing the file each time.
VYEDIT_EXPORT std::string ReadProfileString(const std::string& path, std::string_view section,
                                            std::string_view key, std::string_view fallback);
VYEDIT_EXPORT int32_t ReadProfileInt(const std::string& path, std::string_view section,
                                     std::string_view key, int32_t fallback);
VYEDIT_EXPORT int WriteProfileString(const std::string& path, std::string_view section,
                                     std::string_view key, std::string_view value);
VYEDIT_EXPORT int WriteProfileInt(const std::string& path, std::string_view section,
                                  std::string_view key, int32_t value);

// One-time notices ("contexthelpshow.ini", section "gen"): true exactly once
// per key, when the caller should show the notice now.
bool TakeOneTimeNotice(const std::string& path, std::string_view key);
