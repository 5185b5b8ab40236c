#include "editor/model/drawing_object.h"

#include <gtest/gtest.h>

namespace {

CVylObject MakeText() {
    CVylObject object;
    object.SetCommonAttrs(7, kObjText, {300000, 200000, 100000, 50000});
    CVylObjectUniqueAttr& attrs = object.Unique();
    attrs.SetString("text_content", "Hi\n\xC7\xD1");
    attrs.SetString("kor_font_index", "3");
    attrs.SetString("alnum_font_index", "1");
    attrs.SetString("bold_state", "3");
    attrs.SetString("inverse", "1");
    attrs.SetString("underline", "1");
    attrs.SetString("dotted_spacing", "2");
    attrs.SetString("line_count", "2");
    attrs.SetString("line_content0", "Hi");
    attrs.SetString("line_top0", "50000");
    return object;
}

TEST(DrawingObject, RegionKeepsItsDirection) {
    const CVylObject text = MakeText();
    EXPECT_EQ(text.GetRegion(), (VyRect{300000, 200000, 100000, 50000}));
    EXPECT_EQ(text.GetUid(), 7);
    EXPECT_EQ(text.GetKind(), kObjText);
    EXPECT_EQ(CVylObject().GetRegion(), (VyRect{0, 0, 0, 0}));
}

TEST(DrawingObject, RecordKeepsAllAttributesButTheLaidOutLines) {
    CRevolver record;
    ASSERT_TRUE(MakeText().ToRecord(record));
    CVylObject back;
    ASSERT_TRUE(back.FromRecord(record));
    EXPECT_EQ(back.GetRegion(), (VyRect{300000, 200000, 100000, 50000}));
    for (const char* key : {"text_content", "kor_font_index", "alnum_font_index", "bold_state",
                            "inverse", "underline", "dotted_spacing"}) {
        EXPECT_EQ(back.Unique().GetString(key), MakeText().Unique().GetString(key)) << key;
    }
    EXPECT_FALSE(back.Unique().Has("line_count"));
    EXPECT_FALSE(back.Unique().Has("line_content0"));
    EXPECT_FALSE(back.Unique().Has("line_top0"));
}

TEST(DrawingObject, RecordNeedsBothParts) {
    CFxAssignGroupEx onlyCommon;
    CRevolver common;
    MakeText().Common().ToRevolver(common);
    onlyCommon.SetBytes("ca", common);
    CRevolver bytes;
    onlyCommon.ToRevolver(bytes);
    CVylObject object;
    EXPECT_FALSE(object.FromRecord(bytes));

    onlyCommon.SetString("ua", "text, not bytes");
    onlyCommon.ToRevolver(bytes);
    EXPECT_FALSE(object.FromRecord(bytes));

    // Nor is a record written without its unique part: that would lose
    // every attribute while reporting success.
    CVylObject unwritable = MakeText();
    unwritable.Unique().SetString("", "no key");
    EXPECT_FALSE(unwritable.ToRecord(bytes));
}

TEST(DrawingObject, FewerUniqueKeysStillRead) {
    CVylObject line;
    line.SetCommonAttrs(1, kObjLine, {1000000, 50000, 30000, 2390000});
    line.Unique().SetString("dot_size", "2");
    CRevolver record;
    ASSERT_TRUE(line.ToRecord(record));
    CVylObject back;
    ASSERT_TRUE(back.FromRecord(record));
    EXPECT_EQ(back.Unique().GetString("dot_size"), "2");
    EXPECT_EQ(back.Unique().GetInt("dotted_spacing", 0), 0);
    EXPECT_EQ(back.GetRegion().left, 1000000);
}

}  // namespace
