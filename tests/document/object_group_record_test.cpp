#include <gtest/gtest.h>

#include "editor/document/object_group.h"
#include "tests/support/object_builders.h"

namespace {

CRevolver Encode(const CFxAssignGroupEx& tree) {
    CRevolver out;
    tree.ToRevolver(out);
    return out;
}

CRevolver ObjectRecord(int32_t uid) {
    CRevolver record;
    MakeShape(uid, kObjBox, uid, 0, uid + 5, 5).ToRecord(record);
    return record;
}

// A group record written by hand: objects with the given uids, in record order.
CFxAssignGroupEx GroupRecord(std::initializer_list<int32_t> uids, const char* order) {
    CFxAssignGroupEx record;
    int32_t i = 0;
    for (int32_t uid : uids) {
        record.SetBytes(std::to_string(i++), ObjectRecord(uid));
    }
    record.SetInt("count", i);
    if (order != nullptr) {
        record.SetString("uid_z", order);
    }
    return record;
}

TEST(ObjectGroupRecord, RoundTripKeepsObjectsAndStackingOrder) {
    CVylObjectGroup group;
    CVylObject text = MakeObject(9, kObjText, 1, 2, 3, 4);
    text.Unique().SetString("text_content", "\xC7\xD1");
    text.Unique().SetString("line_count", "1");
    group.InsertOnTop(9, text);
    group.InsertOnTop(2, MakeShape(2, kObjLine, 50, 5, 3, 200));
    CRevolver bytes;
    ASSERT_TRUE(group.ObjGroupToRevolver(bytes));

    CFxAssignGroupEx raw;
    raw.FromRevolver(bytes);
    EXPECT_EQ(raw.GetInt("count", 0), 2);
    EXPECT_EQ(raw.GetString("uid_z"), "9,2");

    CVylObjectGroup back;
    back.InsertOnTop(77, MakeObject(77, kObjBox, 0, 0, 1, 1));
    ASSERT_TRUE(back.ObjGroupFromRevolver(bytes));
    EXPECT_EQ(back.GetZOrderList(), (std::vector<int32_t>{9, 2}));
    EXPECT_EQ(back.GetRegion(2), (VyRect{500000, 50000, 30000, 2000000}));
    EXPECT_EQ(back.GetByObjUid(9)->Unique().GetString("text_content"), "\xC7\xD1");
    EXPECT_FALSE(back.GetByObjUid(9)->Unique().Has("line_count"));
    EXPECT_EQ(back.GetByObjUid(77), nullptr);
}

TEST(ObjectGroupRecord, StackingOrderComesFromUidZ) {
    CVylObjectGroup group;
    ASSERT_TRUE(group.ObjGroupFromRevolver(Encode(GroupRecord({3, 7}, "7,3"))));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{7, 3}));
    ASSERT_TRUE(group.ObjGroupFromRevolver(Encode(GroupRecord({3, 7}, nullptr))));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{3, 7}));
}

TEST(ObjectGroupRecord, DamagedUidZStillStacksEveryObjectOnce) {
    CVylObjectGroup group;
    ASSERT_TRUE(group.ObjGroupFromRevolver(Encode(GroupRecord({3, 7, 5, 4}, "5,99,5,,x,3"))));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{5, 3, 7, 4}));
    ASSERT_TRUE(group.GetByObjUid(4));
}

TEST(ObjectGroupRecord, MissingCountOrObjectFails) {
    CVylObjectGroup group;
    CFxAssignGroupEx noCount = GroupRecord({1}, "1");
    noCount.Remove("count");
    EXPECT_FALSE(group.ObjGroupFromRevolver(Encode(noCount)));
    // Only the missing count fails; another negative one reads no object.
    noCount.SetInt("count", -2);
    EXPECT_TRUE(group.ObjGroupFromRevolver(Encode(noCount)));
    EXPECT_EQ(group.GetCount(), 0u);

    CFxAssignGroupEx gap = GroupRecord({1, 2}, "1,2");
    gap.SetInt("count", 3);
    EXPECT_FALSE(group.ObjGroupFromRevolver(Encode(gap)));
    EXPECT_EQ(group.GetCount(), 2u);

    CFxAssignGroupEx broken = GroupRecord({1}, "1");
    broken.SetBytes("0", CRevolver::FromBytes("\x08\x02"));
    EXPECT_FALSE(group.ObjGroupFromRevolver(Encode(broken)));
    EXPECT_FALSE(group.ObjGroupFromRevolver(CRevolver::FromBytes("garbage")));
}

TEST(ObjectGroupRecord, EmptyGroup) {
    CVylObjectGroup group;
    CRevolver bytes;
    ASSERT_TRUE(group.ObjGroupToRevolver(bytes));
    CVylObjectGroup back;
    ASSERT_TRUE(back.ObjGroupFromRevolver(bytes));
    EXPECT_EQ(back.GetCount(), 0u);
}

}  // namespace
