// Real glyphs for the module's text: the GNU Unifont dot font (8 by 16
// one-byte and 16 by 16 double-width glyphs of the Basic Multilingual
// Plane), read from its ".hex" text form.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "editor/vyedit_export.h"

struct VyUnifontGlyph {
    static constexpr int32_t kRows = 16;
    int32_t width = 8;  // 8 or 16 dots
    // Top row first; bit 15 of a row is its leftmost dot.
    std::array<uint16_t, kRows> rows{};

    bool Dot(int32_t column, int32_t row) const {
        return ((rows[static_cast<size_t>(row)] >> (15 - column)) & 1) != 0;
    }
};

class VYEDIT_EXPORT CVylUnifont {
  public:
    CVylUnifont() = default;
    // A font that reads path when a glyph is first looked for.
    explicit CVylUnifont(std::string lazyPath) : m_lazyPath(std::move(lazyPath)) {}

    // Reads "XXXX:hexdots" lines; lines of another form are skipped, so a
    // damaged file only loses its damaged glyphs. The number of glyphs read.
    size_t Parse(std::string_view text);
    // 0 when the file cannot be read.
    size_t Load(const std::string& path);

    // The glyph of a code point, or nullptr.
    const VyUnifontGlyph* Find(uint32_t codePoint) const;
    size_t GetCount() const {
        LoadOnce();
        return m_glyphs.size();
    }

    // The system's font (the file named by VYLCD_UNIFONT, else Debian's
    // unifont package), read on its first use so that a start pays nothing;
    // empty when there is none.
    static const CVylUnifont& System();

  private:
    void LoadOnce() const;

    std::string m_lazyPath;
    mutable std::once_flag m_loaded;
    mutable std::unordered_map<uint32_t, VyUnifontGlyph> m_glyphs;
};

// The Unicode code point of a character in the system code page (one byte,
// or a lead and a trail byte); 0 when it has none.
VYEDIT_EXPORT uint32_t CodePointOfCp949(std::string_view character);
