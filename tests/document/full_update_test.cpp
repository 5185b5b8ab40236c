#include "editor/document/full_update.h"

#include <gtest/gtest.h>

#include "tests/support/hex.h"
#include "tests/support/object_builders.h"

namespace {

TEST(FullUpdate, ClearsThenDrawsAndLeavesNoLineKeys) {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    CVylObjectGroup group;
    CVylObject text = MakeObject(2, kObjText, 0, 0, 100, 40);
    text.Unique().SetString("text_content", "A\nB");
    group.InsertOnTop(2, text);
    group.InsertOnTop(1, MakeShape(1, kObjBox, 10, 20, 100, 50));
    VyByteArray bytes = {9, 9};
    VyLengthArray lengths = {1};
    ASSERT_EQ(BuildFullLcdUpdate(dc, group, bytes, lengths), kExtractOk);
    EXPECT_EQ(lengths, (VyLengthArray{4, 6, 5, 7, 5, 7, 5, 5, 4, 4, 11}));
    EXPECT_EQ(VyByteArray(bytes.begin(), bytes.begin() + 4), Hex("1B 43 4C 00"));
    EXPECT_FALSE(group.GetByObjUid(2)->Unique().Has("line_count"));
    EXPECT_FALSE(group.GetByObjUid(2)->Unique().Has("line_content0"));

    group.InsertOnTop(3, MakeObject(3, kObjBitmap, 0, 0, 1, 1));
    EXPECT_EQ(BuildFullLcdUpdate(dc, group, bytes, lengths), kExtractBytesAttrMissing);
    EXPECT_EQ(lengths.size(), 11u);
}

}  // namespace
