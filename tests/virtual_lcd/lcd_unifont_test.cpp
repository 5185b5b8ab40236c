#include "editor/virtual_lcd/lcd_unifont.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/virtual_lcd/lcd_text_painter.h"

namespace {

// "A" as 8 by 16 dots and a made-up double-width glyph for U+AC00 (가): a
// diagonal and a full last column, so any misplaced dot shows.
std::string FontText() {
    std::string wide;
    for (int row = 0; row < 16; ++row) {
        const unsigned bits = (0x8000u >> row) | 1u;
        static const char* digits = "0123456789ABCDEF";
        for (int shift = 12; shift >= 0; shift -= 4) {
            wide += digits[(bits >> shift) & 0xF];
        }
    }
    return "0041:0000000018242442427E424242420000\r\n"
           "AC00:" +
           wide +
           "\n"
           "broken line\n"
           "0042:00001\n"
           "0043:ZZ00000018242442427E424242420000\n"
           ":0000000018242442427E424242420000\n";
}

CVylDeviceContext Context() {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    return dc;
}

}  // namespace

TEST(LcdUnifont, ReadsGoodLinesAndSkipsDamagedOnes) {
    CVylUnifont font;
    EXPECT_EQ(font.Parse(FontText()), 2u);
    const VyUnifontGlyph* a = font.Find('A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->width, 8);
    EXPECT_TRUE(a->Dot(3, 4) && a->Dot(4, 4));  // row 4 is 0x18
    EXPECT_FALSE(a->Dot(2, 4));
    EXPECT_TRUE(a->Dot(1, 9) && a->Dot(6, 9));  // row 9 is 0x7E
    const VyUnifontGlyph* ga = font.Find(0xAC00);
    ASSERT_NE(ga, nullptr);
    EXPECT_EQ(ga->width, 16);
    EXPECT_TRUE(ga->Dot(5, 5) && ga->Dot(15, 0));
    EXPECT_FALSE(ga->Dot(4, 5));
    EXPECT_EQ(font.Find('B'), nullptr);
    EXPECT_EQ(font.Find('C'), nullptr);
    EXPECT_EQ(CVylUnifont().Load("/nonexistent/unifont.hex"), 0u);
}

TEST(LcdUnifont, CodePointsOfTheSystemCodePage) {
    EXPECT_EQ(CodePointOfCp949("\xB0\xA1"), 0xAC00u);  // 가
    EXPECT_EQ(CodePointOfCp949("\xC7\xD1"), 0xD55Cu);  // 한
    EXPECT_EQ(CodePointOfCp949("A"), 0x41u);
    EXPECT_EQ(CodePointOfCp949("?"), 0x3Fu);
    EXPECT_EQ(CodePointOfCp949("\xFF\xFF"), 0u);
}

TEST(LcdUnifont, DoubleByteCharactersAreDrawnFromTheirGlyphs) {
    CVylUnifont font;
    font.Parse(FontText());
    const CVylDeviceContext dc = Context();
    VyLcdTextStyle style;
    style.korFont = 2;  // 16 by 16 cells
    CVylLcdFrame frame;
    EXPECT_EQ(DrawLcdText(frame, dc, {40, 100}, "\xB0\xA1", style, &font), 56);
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            EXPECT_EQ(frame.GetDot(40 + column, 100 + row), column == row || column == 15)
                << column << "," << row;
        }
    }
    EXPECT_EQ(frame.CountDots(), 31);

    // A narrower cell squeezes the ink into all but its last column and
    // loses no stroke: every row keeps its diagonal dot and the last column.
    style.korFont = 0;
    CVylLcdFrame narrow;
    const int32_t next = DrawLcdText(narrow, dc, {40, 100}, "\xB0\xA1", style, &font);
    const int32_t right = next - 2;
    for (int row = 0; row < 16; ++row) {
        const int64_t y = 100 - 2 + row;  // the small fonts stand two dots higher
        EXPECT_TRUE(narrow.GetDot(right, y)) << row;
        int dots = 0;
        for (int32_t x = 40; x < right; ++x) {
            dots += narrow.GetDot(x, y) ? 1 : 0;
        }
        // Source columns 14 and 15 share the last box column.
        EXPECT_GE(dots, row >= 14 ? 0 : 1) << row;
    }
    EXPECT_FALSE(narrow.GetDot(next - 1, 105)) << "a column is left between characters";

    // Without a glyph a frame stands for the character.
    style.korFont = 2;
    CVylLcdFrame framed;
    DrawLcdText(framed, dc, {40, 100}, "\xB0\xA2", style, &font);
    EXPECT_TRUE(framed.GetDot(40, 101) && framed.GetDot(40, 110));
    EXPECT_FALSE(framed.GetDot(45, 105));
}

TEST(LcdUnifont, OneByteGlyphsKeepTheirShapeInNarrowCells) {
    CVylUnifont font;
    font.Parse(FontText());
    const CVylDeviceContext dc = Context();
    VyLcdTextStyle style;
    style.korFont = 2;
    CVylLcdFrame frame;
    const int32_t next = DrawLcdText(frame, dc, {40, 100}, "A", style, &font);
    const int32_t cell = next - 40;
    ASSERT_GT(cell, 0);
    // The glyph's ink (six columns) sits inside the cell, rows as drawn.
    int32_t left = 1000;
    int32_t right = -1;
    for (int32_t x = 40; x < next; ++x) {
        for (int32_t y = 100; y < 116; ++y) {
            if (frame.GetDot(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_EQ(right - left + 1, std::min(6, cell - 1));
    EXPECT_FALSE(frame.GetDot(left, 103));
    EXPECT_TRUE(frame.GetDot(left, 109));  // the bar of the A
    EXPECT_TRUE(frame.GetDot(right, 109));
}

TEST(LcdUnifont, SystemFontHasHangul) {
    if (!std::filesystem::exists("/usr/share/unifont/unifont.hex")) {
        GTEST_SKIP() << "the unifont package is not installed";
    }
    const VyUnifontGlyph* ga = CVylUnifont::System().Find(0xAC00);
    ASSERT_NE(ga, nullptr);
    EXPECT_EQ(ga->width, 16);
    EXPECT_GT(CVylUnifont::System().GetCount(), 50000u);
}
