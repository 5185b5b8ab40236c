#include "editor/virtual_lcd/lcd_text_painter.h"

#include <algorithm>
#include <bit>
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

// What a character is drawn from: a Unifont glyph when there is one, else
// the built-in one-byte glyph or, for a double-byte character, a frame.
struct GlyphSource {
    const VyUnifontGlyph* unifont = nullptr;
    uint8_t character = '?';
};

// The source dots that one box dot covers along an axis: at least one, so
// stretching repeats dots and squeezing merges them without losing a stroke.
std::pair<int32_t, int32_t> SourceSpan(int32_t at, int32_t size, int32_t sourceSize) {
    const int32_t first = at * sourceSize / size;
    return {first, std::max(first + 1, (at + 1) * sourceSize / size)};
}

// The dots of a glyph stretched or squeezed over a box: a box dot is set
// when any source dot it covers is.
template <typename DotAt>
void DrawStretched(CVylLcdFrame& frame, const Box& box, int32_t sourceWidth, int32_t sourceHeight,
                   bool ink, DotAt dotAt) {
    for (int32_t row = 0; row < box.height; ++row) {
        const auto [top, bottom] = SourceSpan(row, box.height, sourceHeight);
        for (int32_t column = 0; column < box.width; ++column) {
            const auto [left, right] = SourceSpan(column, box.width, sourceWidth);
            bool on = false;
            for (int32_t y = top; y < bottom && !on; ++y) {
                for (int32_t x = left; x < right && !on; ++x) {
                    on = dotAt(x, y);
                }
            }
            if (on) {
                frame.FillRect(box.left + column, box.top + row, box.left + column, box.top + row,
                               ink);
            }
        }
    }
}

// The built-in glyph's dots keep one column free on the right and a row
// above and below; whole-number scaling keeps the strokes even, and a cell
// too narrow for that squeezes the glyph instead.
Box BuiltInBox(const Cell& cell, bool wide) {
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

// Double-byte characters without a glyph: a frame stands for them.
void DrawFrameGlyph(CVylLcdFrame& frame, const Box& box, bool ink) {
    const int64_t right = box.left + box.width - 1;
    const int64_t bottom = box.top + box.height - 1;
    frame.FillRect(box.left, box.top, right, box.top, ink);
    frame.FillRect(box.left, bottom, right, bottom, ink);
    frame.FillRect(box.left, box.top, box.left, bottom, ink);
    frame.FillRect(right, box.top, right, bottom, ink);
}

// The columns of a Unifont glyph that carry ink; {0, -1} for none.
std::pair<int32_t, int32_t> InkColumns(const VyUnifontGlyph& glyph) {
    uint16_t used = 0;
    for (const uint16_t row : glyph.rows) {
        used |= row;
    }
    if (used == 0) {
        return {0, -1};
    }
    return {std::countl_zero(used), 15 - std::countr_zero(used)};
}

// A double-width glyph fills a cell of its own width or more; a narrower
// cell takes its ink, leaving one column between characters. A one-byte
// glyph keeps its shape at the cell's height, narrowed only when the cell is
// narrower than its ink.
void DrawUnifontGlyph(CVylLcdFrame& frame, const Cell& cell, int64_t shift,
                      const VyUnifontGlyph& glyph, bool ink) {
    const auto dot = [&glyph](int32_t offset) {
        return [&glyph, offset](int32_t column, int32_t row) {
            return glyph.Dot(column + offset, row);
        };
    };
    if (glyph.width == 16 && cell.width >= 16) {
        DrawStretched(frame, {cell.left + shift, cell.top, cell.width, cell.height}, 16,
                      VyUnifontGlyph::kRows, ink, dot(0));
        return;
    }
    const auto [first, last] = InkColumns(glyph);
    if (last < first) {
        return;
    }
    const int32_t inkWidth = last - first + 1;
    const int32_t room = std::max(1, cell.width - 1);
    const int32_t natural =
        glyph.width == 16 ? room : inkWidth * cell.height / VyUnifontGlyph::kRows;
    const int32_t width = std::clamp(natural, 1, room);
    const Box box{cell.left + (cell.width - width) / 2 + shift, cell.top, width, cell.height};
    DrawStretched(frame, box, inkWidth, VyUnifontGlyph::kRows, ink, dot(first));
}

void DrawGlyphAt(CVylLcdFrame& frame, const Cell& cell, int64_t shift, bool wide,
                 const GlyphSource& source, bool ink) {
    if (source.unifont != nullptr) {
        DrawUnifontGlyph(frame, cell, shift, *source.unifont, ink);
        return;
    }
    Box box = BuiltInBox(cell, wide);
    box.left += shift;
    if (wide) {
        DrawFrameGlyph(frame, box, ink);
        return;
    }
    const VyGlyph& glyph = LcdGlyph(source.character);
    DrawStretched(frame, box, kGlyphColumns, kGlyphRows, ink,
                  [&glyph](int32_t column, int32_t row) { return GlyphDot(glyph, column, row); });
}

void DrawCharacter(CVylLcdFrame& frame, const Cell& cell, const VyLcdCharStep& step,
                   const GlyphSource& source, const VyLcdTextStyle& style) {
    const bool ink = !style.inverse;
    if (style.inverse) {
        frame.FillRect(cell.left - 1, cell.top, cell.left + cell.width, cell.top + cell.height - 1,
                       true);
    }
    const bool bold = (style.boldState & (step.wide ? 1 : 2)) != 0;
    // Bold doubles every stroke one dot to the right.
    for (int64_t pass = 0; pass < (bold ? 2 : 1); ++pass) {
        DrawGlyphAt(frame, cell, pass, step.wide, source, ink);
    }
    if (style.underline) {
        const int64_t row = cell.top + cell.height - 1;
        frame.FillRect(cell.left - 3, row, cell.left + cell.width + 2, row, true);
    }
}

GlyphSource SourceOf(const CVylUnifont* glyphs, std::string_view character,
                     const VyLcdCharStep& step) {
    GlyphSource source{nullptr, step.character};
    if (glyphs != nullptr) {
        const uint32_t codePoint =
            step.wide ? CodePointOfCp949(character) : static_cast<uint32_t>(step.character);
        source.unifont = glyphs->Find(codePoint);
    }
    return source;
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
                    std::string_view text, const VyLcdTextStyle& style, const CVylUnifont* glyphs) {
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
            DrawCharacter(frame, cell, step, SourceOf(glyphs, text.substr(i, step.bytes), step),
                          style);
        }
        x += step.advance;
        i += step.bytes;
    }
    // Text after text only moves on; the position stops at the largest one.
    return static_cast<int32_t>(std::min<int64_t>(x, std::numeric_limits<int32_t>::max()));
}
