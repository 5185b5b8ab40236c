// A small built-in dot font for the one-byte characters the module prints.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr int32_t kGlyphColumns = 5;
inline constexpr int32_t kGlyphRows = 7;

// Seven rows, top first; bit 4 of a row is its leftmost dot.
using VyGlyph = std::array<uint8_t, kGlyphRows>;

// The glyph of a printable character (32 to 126); "?" for any other byte.
const VyGlyph& LcdGlyph(uint8_t character);

inline bool GlyphDot(const VyGlyph& glyph, int32_t column, int32_t row) {
    return ((glyph[static_cast<std::size_t>(row)] >> (kGlyphColumns - 1 - column)) & 1) != 0;
}
