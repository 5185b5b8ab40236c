#include "editor/document/full_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

// The leading commands, extracted without copying the drawing, are the
// start of the whole extraction: everything when it takes no more than the
// limit, else up to the first object past it.
TEST(FullUpdate, LeadingCommandsStartTheWholeExtraction) {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    CVylObjectGroup group;
    for (int32_t uid = 1; uid <= 6; ++uid) {
        if (uid % 2 == 0) {
            CVylObject text = MakeObject(uid, kObjText, uid * 10, 0, uid * 10 + 60, 40);
            text.Unique().SetString("text_content", "T" + std::to_string(uid) + "\nxy");
            group.InsertOnTop(uid, text);
        } else {
            group.InsertOnTop(uid, MakeShape(uid, kObjBox, uid, uid * 5, 100, 60));
        }
    }
    CVylObjectGroup copy = group;
    VyByteArray whole;
    VyLengthArray wholeLengths;
    ASSERT_EQ(ExtractDrawingCommands(dc, copy, whole, wholeLengths), kExtractOk);
    for (size_t limit :
         {size_t{0}, size_t{5}, size_t{30}, size_t{70}, whole.size() - 1, whole.size(), SIZE_MAX}) {
        VyByteArray bytes;
        VyLengthArray lengths;
        ASSERT_EQ(ExtractLeadingCommands(dc, group, limit, bytes, lengths), kExtractOk);
        ASSERT_LE(bytes.size(), whole.size());
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), whole.begin())) << limit;
        EXPECT_EQ(bytes.size() > limit, whole.size() > limit) << limit;
        EXPECT_TRUE(std::equal(lengths.begin(), lengths.end(), wholeLengths.begin())) << limit;
        if (limit >= whole.size()) {
            EXPECT_EQ(bytes, whole);
        } else if (limit <= 30) {
            EXPECT_LT(bytes.size(), whole.size() / 2) << limit;  // stopped early
        }
    }
    EXPECT_FALSE(group.GetByObjUid(2)->Unique().Has("line_count"));
}

}  // namespace
