#include "lcd_text_painter.h"

#include <algorithm>
#include <limits>

#include "editor/virtual_lcd/lcd_glyph_font.h"

namespace {

// One character cell on the screen; all of it belongs to that character.
struct Cell {
    int64_t left = 0;
    int64_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct Box {
    int64_t left = 0;
    int64_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The module's small fonts sit higher than their line position says.
int32_t CellShift(int32_t korFont, bool wide) {
    if (korFont == 0) {
        return -2;
    }
    if (korFont == 1) {
        return wide ? -3 : -2;
    }
    return 0;
}

// The glyph's dots keep one column free on the right and a row above and
// below; whole-number scaling keeps the strokes even, and a cell too narrow
// for that squeezes the glyph instead.
Box GlyphBox(const Cell& cell, bool wide) {
    const int32_t roomX = std::max(1, cell.width - 1);
    const int32_t roomY = std::max(1, cell.height - 2);
    int32_t width = roomX;
    int32_t height = roomY;
    if (!wide) {
        width = std::min(roomX, kGlyphColumns * std::max(1, roomX / kGlyphColumns));
        height = std::min(roomY, kGlyphRows * std::max(1, roomY / kGlyphRows));
    }
    return {cell.left + (cell.width - width) / 2, cell.top + (cell.height - height) / 2, width,
            height};
}

void DrawGlyph(CVylLcdFrame& frame, const Box& box, const VyGlyph& glyph, bool ink) {
    for (int32_t row = 0; row < box.height; ++row) {
        for (int32_t column = 0; column < box.width; ++column) {
            if (GlyphDot(glyph, column * kGlyphColumns / box.width,
                         row * kGlyphRows / box.height)) {
                frame.FillRect(box.left + column, box.top + row, box.left + column, box.top + row,
                               ink);
            }
        }
    }
}

// Double-byte characters have no glyphs here: a frame stands for them.
void DrawFrameGlyph(CVylLcdFrame& frame, const Box& box, bool ink) {
    const int64_t right = box.left + box.width - 1;
    const int64_t bottom = box.top + box.height - 1;
    frame.FillRect(box.left, box.top, right, box.top, ink);
    frame.FillRect(box.left, bottom, right, bottom, ink);
    frame.FillRect(box.left, box.top, box.left, bottom, ink);
    frame.FillRect(right, box.top, right, bottom, ink);
}

void DrawCharacter(CVylLcdFrame& frame, const Cell& cell, const VyLcdCharStep& step,
                   const VyLcdTextStyle& style) {
    const bool ink = !style.inverse;
    if (style.inverse) {
        frame.FillRect(cell.left - 1, cell.top, cell.left + cell.width, cell.top + cell.height - 1,
                       true);
    }
    const Box box = GlyphBox(cell, step.wide);
    const bool bold = (style.boldState & (step.wide ? 1 : 2)) != 0;
    // Bold doubles every stroke one dot to the right, while the cell has room.
    const int32_t passes = bold && box.left + box.width < cell.left + cell.width ? 2 : 1;
    for (int32_t pass = 0; pass < passes; ++pass) {
        const Box shifted{box.left + pass, box.top, box.width, box.height};
        if (step.wide) {
            DrawFrameGlyph(frame, shifted, ink);
        } else {
            DrawGlyph(frame, shifted, LcdGlyph(step.character), ink);
        }
    }
    if (style.underline) {
        const int64_t row = cell.top + cell.height - 1;
        frame.FillRect(cell.left - 3, row, cell.left + cell.width + 2, row, true);
    }
}

}  // namespace

VyLcdCharStep LcdCharStep(const CVylDeviceContext& dc, std::string_view text, size_t index,
                          const VyLcdTextStyle& style) {
    const auto byte = static_cast<uint8_t>(text[index]);
    if (byte >= 0x80 && index + 1 < text.size()) {
        const int32_t wideWidth = dc.GetKorFontWidth(style.korFont);
        return {true, 0, wideWidth + (style.korFont <= 1 ? 1 : 0), 2};
    }
    bool noEntry = false;
    const int32_t advance =
        dc.GetAlnumCharWidth(style.korFont, style.alnumFont != 0, byte, &noEntry);
    // A lead byte without its second half is no character the module can show.
    const bool unknown = noEntry || byte >= 0x80;
    return {false, unknown ? static_cast<uint8_t>('?') : byte, advance, 1};
}

int32_t DrawLcdText(CVylLcdFrame& frame, const CVylDeviceContext& dc, VyDot at,
                    std::string_view text, const VyLcdTextStyle& style) {
    const int32_t height = dc.GetKorFontHeight(style.korFont);
    int64_t x = at.x;
    for (size_t i = 0; i < text.size();) {
        const VyLcdCharStep step = LcdCharStep(dc, text, i, style);
        if (step.advance < 0) {
            break;
        }
        if (step.advance > 0 && height > 0) {
            const Cell cell{x, static_cast<int64_t>(at.y) + CellShift(style.korFont, step.wide),
                            step.advance, height};
            DrawCharacter(frame, cell, step, style);
        }
        x += step.advance;
        i += step.bytes;
    }
    // Text after text only moves on; the position stops at the largest one.
    return static_cast<int32_t>(std::min<int64_t>(x, std::numeric_limits<int32_t>::max()));
}
