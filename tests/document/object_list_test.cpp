#include "editor/document/object_list.h"

#include <gtest/gtest.h>

#include "editor/tree/code_page.h"
#include "tests/support/selectable_group.h"

namespace {

constexpr int32_t U = kUnit;

CVylObject MakeText(int32_t uid, const std::string& utf8) {
    CVylObject text = MakeObject(uid, kObjText, 10, 10, 100, 30);
    text.Unique().SetString(kKeyTextContent, Utf8ToCp949(utf8));
    return text;
}

TEST(ObjectList, RowsGoTopFirstWithKindRegionAndSelection) {
    SelectableGroup s;
    s.Add(MakeObject(4, kObjBox, 10, 20, 150, 70));
    // Stored right to left, bottom to top: shown normalised.
    s.Add(MakeObject(9, kObjLine, 200, 90, 30, 5));
    s.Add(MakeText(2, "abc"));
    s.selection.SetSingleSelection(9, false);
    const std::vector<VyObjectListRow> rows = ObjectListRows(s.group, s.selection, 320, 240);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].uid, 2);
    EXPECT_EQ(rows[0].kind, kObjText);
    EXPECT_EQ(rows[0].text, "abc");
    EXPECT_FALSE(rows[0].textCut);
    EXPECT_EQ(rows[1].uid, 9);
    EXPECT_EQ(rows[1].dots, (VyRect{30, 5, 200, 90}));
    EXPECT_TRUE(rows[1].selected);
    EXPECT_FALSE(rows[0].selected);
    EXPECT_EQ(rows[2].uid, 4);
    EXPECT_EQ(RegionDotsText(rows[2].dots), "(10,20)-(150,70)");
    EXPECT_TRUE(rows[2].text.empty()) << "only texts show their content";

    s.selection.AddSelObj(4);
    const std::vector<VyObjectListRow> again = ObjectListRows(s.group, s.selection, 320, 240);
    EXPECT_TRUE(again[2].selected);
    EXPECT_TRUE(again[2].LooksLike(rows[2])) << "the selection is no part of the look";
    EXPECT_FALSE(again[1].LooksLike(again[2]));
}

TEST(ObjectList, RowsOfAnEmptyDrawing) {
    SelectableGroup s;
    EXPECT_TRUE(ObjectListRows(s.group, s.selection, 320, 240).empty());
}

TEST(ObjectList, TextExcerptCountsCharactersNotBytes) {
    // Hangul takes two bytes a character in the system code page.
    bool cut = false;
    const std::string korean = Utf8ToCp949("가나다라마바사아자차카타파하가나다");
    EXPECT_EQ(Cp949ToUtf8(TextExcerpt(korean, 16, &cut)), "가나다라마바사아자차카타파하가나");
    EXPECT_TRUE(cut);
    EXPECT_EQ(Cp949ToUtf8(TextExcerpt(Utf8ToCp949("a가b나"), 3, &cut)), "a가b");
    EXPECT_TRUE(cut);
    EXPECT_EQ(TextExcerpt("short", 16, &cut), "short");
    EXPECT_FALSE(cut);
    EXPECT_EQ(TextExcerpt("", 16, &cut), "");
    EXPECT_FALSE(cut);
}

TEST(ObjectList, TextExcerptShowsLineBreaksAsBlanksAndDropsAHalfCharacter) {
    bool cut = false;
    EXPECT_EQ(TextExcerpt("one\r\ntwo\nthree\tfour", 40, &cut), "one two three four");
    EXPECT_EQ(TextExcerpt("ab\r\ncd", 4, &cut), "ab c");
    EXPECT_TRUE(cut);
    // A lead byte at the end has no character to show.
    EXPECT_EQ(TextExcerpt(std::string("ab\xB0", 3), 16, &cut), "ab");
    EXPECT_FALSE(cut);
    EXPECT_EQ(TextExcerpt("x", 16, nullptr), "x");
}

TEST(ObjectList, OnlyObjectsWhollyOffTheLcdAreMarked) {
    // The LCD's dots are 0 to 319 across and 0 to 239 down.
    const auto off = [](int32_t l, int32_t t, int32_t r, int32_t b) {
        return IsWhollyOffLcd({l, t, r, b}, 320, 240);
    };
    EXPECT_FALSE(off(10 * U, 10 * U, 20 * U, 20 * U));
    EXPECT_FALSE(off(-50 * U, 10 * U, 0, 20 * U)) << "touches the first column";
    EXPECT_TRUE(off(-50 * U, 10 * U, -1, 20 * U));
    EXPECT_FALSE(off(319 * U, 10 * U, 400 * U, 20 * U)) << "holds the last column";
    EXPECT_TRUE(off(320 * U, 10 * U, 400 * U, 20 * U));
    EXPECT_TRUE(off(400 * U, 10 * U, 320 * U, 20 * U)) << "a reversed region too";
    EXPECT_TRUE(off(10 * U, 240 * U, 20 * U, 300 * U));
    EXPECT_TRUE(off(10 * U, -30 * U, 20 * U, -10 * U));
    EXPECT_FALSE(off(-10 * U, -10 * U, 400 * U, 300 * U)) << "larger than the LCD";
    EXPECT_TRUE(IsWhollyOffLcd({200 * U, 10 * U, 250 * U, 20 * U}, 128, 64))
        << "the LCD's own size counts";

    SelectableGroup s;
    s.Add(MakeObject(1, kObjBox, 330, 10, 360, 20));
    s.Add(MakeObject(2, kObjBox, 300, 10, 360, 20));
    const std::vector<VyObjectListRow> rows = ObjectListRows(s.group, s.selection, 320, 240);
    EXPECT_FALSE(rows[0].offLcd);
    EXPECT_TRUE(rows[1].offLcd);
}

}  // namespace
