#include "editor/command/text_layout.h"

#include <gtest/gtest.h>

#include "tests/support/object_builders.h"

namespace {

class TextLayout : public ::testing::Test {
  protected:
    void SetUp() override { dc.InitDeviceContext(kModelVyb3224); }

    std::vector<std::string> Lines(const std::string& text, int32_t kor, int32_t alnum,
                                   int64_t width, int64_t height) {
        std::vector<std::string> out;
        for (const VyTextLine& line : LayoutTextInBox(text, kor, alnum, width, height, dc)) {
            out.push_back(line.text);
        }
        return out;
    }

    CVylDeviceContext dc;
};

using Texts = std::vector<std::string>;

TEST_F(TextLayout, NarrowBoxPutsEveryCharacterOnItsOwnLine) {
    // Font 3 lines are 16 dots; 0.8 x 16 = 12.8 dots > a 10 dot wide box.
    EXPECT_EQ(Lines("ab", 3, 0, 10 * kUnit, 60 * kUnit), (Texts{"", "a", "b"}));
}

TEST_F(TextLayout, LinesBreakAtTheRightEdgeAndLineFeeds) {
    // Fixed width 8: "ABCD" reaches 32 dots, 32 + 12.8 > 40 breaks before E.
    const auto lines = LayoutTextInBox("ABCDEF\r\nG", 3, 0, 40 * kUnit, 100 * kUnit, dc);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "ABCD");
    EXPECT_EQ(lines[1].text, "EF");
    EXPECT_EQ(lines[1].top, 16 * kUnit);
    EXPECT_EQ(lines[2].text, "G");
    EXPECT_EQ(lines[2].top, 32 * kUnit);
}

TEST_F(TextLayout, WideCharactersAdvanceByTheKoreanWidth) {
    // Font 0: 10 + 1 dots per syllable; three fit before 33 + 12.8 > 40.
    const std::string syllables = "\xB0\xA1\xB3\xAA\xB4\xD9\xB6\xF3";
    EXPECT_EQ(Lines(syllables, 0, 0, 40 * kUnit, 100 * kUnit),
              (Texts{"\xB0\xA1\xB3\xAA\xB4\xD9", "\xB6\xF3"}));
}

TEST_F(TextLayout, BottomEdgeCutsTheRestAndLeavesAnEmptyLine) {
    // Two 16-dot lines fit in 40 dots (32 + 12.8 > 40 stops the third).
    EXPECT_EQ(Lines("A\nB\nC\nD", 3, 0, 100 * kUnit, 40 * kUnit), (Texts{"A", "B", ""}));
    EXPECT_EQ(Lines("A", 3, 0, 100 * kUnit, 10 * kUnit), (Texts{""}));
    EXPECT_EQ(Lines("", 3, 0, 100 * kUnit, 100 * kUnit), (Texts{""}));
}

TEST_F(TextLayout, CharactersWithoutWidthBecomeQuestionMarks) {
    EXPECT_EQ(Lines("a\tb\x7F", 3, 1, 300 * kUnit, 20 * kUnit), (Texts{"a?b?"}));
    // A lone lead byte at the end is no character either.
    EXPECT_EQ(Lines("a\xB0", 3, 0, 300 * kUnit, 20 * kUnit), (Texts{"a?"}));
    // Nor is one before a line feed, which still breaks the line, and a 0x00
    // would end the print command early.
    EXPECT_EQ(Lines("\xB0\nAB", 3, 0, 300 * kUnit, 60 * kUnit), (Texts{"?", "AB"}));
    EXPECT_EQ(Lines(std::string("A\0B", 3), 3, 0, 300 * kUnit, 20 * kUnit), (Texts{"A?B"}));
}

TEST_F(TextLayout, NegativeWidthEndsTheLayout) {
    EXPECT_EQ(Lines("a\nbc", 9, 0, 300 * kUnit, 200 * kUnit), (Texts{}));
}

TEST_F(TextLayout, PreparedLinesAreStoredWithAbsoluteTops) {
    CVylObject text = MakeObject(1, kObjText, 10, 100, 200, 20);
    text.Unique().SetString("text_content", "X\nY");
    text.Unique().SetString("kor_font_index", "3");
    text.Unique().SetString("line_content7", "stale");
    text.Unique().SetString("line_top7", "1");
    PrepareTextLines(text, dc);
    const CVylObjectUniqueAttr& attrs = text.Unique();
    EXPECT_EQ(attrs.GetString("line_count"), "2");
    EXPECT_EQ(attrs.GetString("line_content0"), "X");
    EXPECT_EQ(attrs.GetString("line_top0"), "200000");
    EXPECT_EQ(attrs.GetString("line_top1"), "360000");
    EXPECT_FALSE(attrs.Has("line_content7"));
    EXPECT_FALSE(attrs.Has("line_top7"));
}

}  // namespace

namespace {

class TextCut : public TextLayout {
  protected:
    bool Cut(const std::string& text, int32_t kor, int64_t width, int64_t height) {
        return IsTextCut(text, LayoutTextInBox(text, kor, 0, width, height, dc));
    }
};

TEST_F(TextCut, OnlyCharactersLeftOutCountAsCut) {
    EXPECT_FALSE(Cut("ABCDEF\r\nG", 3, 40 * kUnit, 100 * kUnit));
    // Two lines fit 40 dots of height: G and H are left out.
    EXPECT_TRUE(Cut("ABCDEF\r\nGH", 3, 40 * kUnit, 20 * kUnit));
    // Four wide characters in one line; a narrower box cuts the second line.
    const std::string hangul = "\xB0\xA1\xB3\xAA\xB4\xD9\xB6\xF3";  // four wide characters
    EXPECT_FALSE(Cut(hangul, 3, 100 * kUnit, 16 * kUnit));
    EXPECT_TRUE(Cut(hangul, 3, 40 * kUnit, 16 * kUnit));
    // Line feeds the box has no line for show nothing, so nothing is lost;
    // characters the module cannot show still take their place.
    EXPECT_FALSE(Cut("AB\n\n\n", 3, 100 * kUnit, 16 * kUnit));
    EXPECT_FALSE(Cut(std::string("A\x01"
                                 "B",
                                 3),
                     3, 100 * kUnit, 16 * kUnit));
    EXPECT_FALSE(Cut("", 3, 1, 1));
}

TEST_F(TextCut, HiddenCharactersAreCountedWhole) {
    const auto hidden = [&](const std::string& text, int64_t width, int64_t height) {
        return HiddenCharacterCount(text, LayoutTextInBox(text, 3, 0, width, height, dc));
    };
    // "ABCD" is the one line 20 dots of height hold.
    EXPECT_EQ(hidden("ABCDEF\r\nGH", 40 * kUnit, 20 * kUnit), 4);
    // Four wide characters, two a line, one line: two hidden, not four bytes.
    EXPECT_EQ(hidden("\xB0\xA1\xB3\xAA\xB4\xD9\xB6\xF3", 40 * kUnit, 16 * kUnit), 2);
    EXPECT_EQ(hidden(std::string(2000, 'x'), 100 * kUnit, 16 * kUnit), 2000 - 11);
}

}  // namespace
