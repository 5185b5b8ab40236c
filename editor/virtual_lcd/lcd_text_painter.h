// Printing text on the module's screen: character cells placed and advanced
// exactly as the module advances, each filled with a readable dot glyph.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/model/device_context.h"
#include "editor/virtual_lcd/lcd_frame.h"
#include "editor/virtual_lcd/lcd_unifont.h"

struct VyLcdTextStyle {
    int32_t korFont = 0;    // LCD font index, 0 to 8
    int32_t alnumFont = 0;  // 0 fixed-width one-byte characters, otherwise proportional
    int32_t boldState = 0;  // bit 0: double-byte characters bold, bit 1: one-byte ones
    bool inverse = false;
    bool underline = false;
};

// Prints text (system code page bytes) from at: a byte with the top bit set
// starts a double-byte character. Characters come from glyphs where it has
// them, else from the small built-in font (a frame for a double-byte one).
// Returns the x where the next character would start; a font without metrics
// for a character ends the text there.
int32_t DrawLcdText(CVylLcdFrame& frame, const CVylDeviceContext& dc, VyDot at,
                    std::string_view text, const VyLcdTextStyle& style,
                    const CVylUnifont* glyphs = nullptr);

// The advance of the character that starts at text[index] and the number of
// its bytes; a negative advance when the font has no metrics for it.
struct VyLcdCharStep {
    bool wide = false;      // a double-byte character
    uint8_t character = 0;  // the one-byte character to show ("?" without a width entry)
    int32_t advance = 0;
    size_t bytes = 1;
};
VyLcdCharStep LcdCharStep(const CVylDeviceContext& dc, std::string_view text, size_t index,
                          const VyLcdTextStyle& style);
