#include "editor/document/edit_action.h"

#include <gtest/gtest.h>

#include "editor/document/edit_history.h"
#include "tests/support/object_builders.h"

namespace {

constexpr int32_t U = kUnit;

CVylEditAction RoundTrip(const CVylEditAction& action) {
    CRevolver bytes;
    EXPECT_TRUE(action.ToRevolver(bytes));
    CVylEditAction back;
    EXPECT_TRUE(back.FromRevolver(bytes));
    return back;
}

CVylEditAction CreateBox(int32_t uid, int32_t l, int32_t t, int32_t r, int32_t b) {
    return CVylEditAction::Create(uid, kObjBox, {l * U, t * U, r * U, b * U},
                                  MakeShape(0, kObjBox, 0, 0, 0, 0).Unique());
}

TEST(EditActionReplay, SingleObjectKinds) {
    CVylObjectGroup group;
    ASSERT_TRUE(CreateBox(1, 0, 0, 10, 10).ApplyTo(group));
    ASSERT_TRUE(CreateBox(2, 5, 5, 20, 20).ApplyTo(group));
    EXPECT_FALSE(CreateBox(2, 0, 0, 1, 1).ApplyTo(group));
    EXPECT_EQ(group.GetByObjUid(2)->GetUid(), 2);
    EXPECT_EQ(group.GetByObjUid(2)->Unique().GetString("dot_size"), "1");

    ASSERT_TRUE(CVylEditAction::CreResize(1, {0, 0, 3 * U, 4 * U}).ApplyTo(group));
    ASSERT_TRUE(CVylEditAction::ModResize(1, {9 * U, 9 * U, 1 * U, 1 * U}, true).ApplyTo(group));
    EXPECT_EQ(group.GetRegion(1), (VyRect{U, U, 9 * U, 9 * U}));
    ASSERT_TRUE(CVylEditAction::MoveSingle(1, {2 * U, 2 * U, 3 * U, 3 * U}).ApplyTo(group));
    EXPECT_EQ(group.GetRegion(1), (VyRect{2 * U, 2 * U, 3 * U, 3 * U}));

    ASSERT_TRUE(CVylEditAction::GoUp(2).ApplyTo(group));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{1, 2}));
    ASSERT_TRUE(CVylEditAction::GoUp(1).ApplyTo(group));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{2, 1}));
    ASSERT_TRUE(CVylEditAction::GoDown(2).ApplyTo(group));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{2, 1}));

    ASSERT_TRUE(CVylEditAction::Delete(2).ApplyTo(group));
    for (const CVylEditAction& onMissing :
         {CVylEditAction::Delete(2), CVylEditAction::CreResize(2, {}), CVylEditAction::GoUp(2),
          CVylEditAction::Repair(2, CVylObjectRepairAction::Text("a", "b"), 0)}) {
        EXPECT_FALSE(onMissing.ApplyTo(group));
    }
    CVylEditAction noUid = CVylEditAction::Delete(1);
    noUid.Common().Remove("obj_uid");
    EXPECT_FALSE(noUid.ApplyTo(group));
}

TEST(EditActionReplay, RepairRecords) {
    CVylObject object = MakeShape(1, kObjText, 0, 0, 1, 1);
    object.Unique().SetString("bold_state", "12");
    CVylObjectRepairAction::Bit("bold_state", 0, true).ApplyTo(object);
    EXPECT_EQ(object.Unique().GetString("bold_state"), "13");
    CVylObjectRepairAction::Bit("bold_state", 35, false).ApplyTo(object);
    EXPECT_EQ(object.Unique().GetString("bold_state"), "5");
    CVylObjectRepairAction text = CVylObjectRepairAction::Text("text_content", "hi");
    text.regionFlag = 1;
    text.region = {1, 2, 3, 4};
    text.ApplyTo(object);
    EXPECT_EQ(object.Unique().GetString("text_content"), "hi");
    EXPECT_EQ(object.GetRegion(), (VyRect{1, 2, 3, 4}));
    CVylObjectRepairAction::Bytes("bmp_bin", CRevolver::FromBytes("BM")).ApplyTo(object);
    EXPECT_EQ(object.Unique().Find("bmp_bin")->Bytes().View(), "BM");
}

TEST(EditActionReplay, MultiObjectKinds) {
    CVylObjectGroup source;
    source.InsertOnTop(40, MakeShape(40, kObjLine, 0, 0, 10, 10));
    source.InsertOnTop(30, MakeShape(30, kObjBox, 10, 10, 20, 20));
    int32_t counter = 7;
    const CVylEditAction createMulti = CVylEditAction::CreateMulti(source, &counter);
    EXPECT_EQ(counter, 9);
    CVylObjectGroup group;
    ASSERT_TRUE(createMulti.ApplyTo(group));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{7, 8}));
    // Made again, the same uids would replace the objects: the replay stops.
    EXPECT_FALSE(createMulti.ApplyTo(group));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{7, 8}));

    ASSERT_TRUE(CVylEditAction::MoveMulti({7, 8, 99}, {U, 2 * U}).ApplyTo(group));
    EXPECT_EQ(group.GetRegion(8), (VyRect{11 * U, 12 * U, 21 * U, 22 * U}));
    ASSERT_TRUE(
        CVylEditAction::ModResizeMultiBothCorners({7, 8}, {0, 0, 40 * U, 40 * U}).ApplyTo(group));
    EXPECT_EQ(group.GetRegion(7), (VyRect{0, 0, 20 * U, 20 * U}));
    ASSERT_TRUE(
        CVylEditAction::ModResizeMultiOneCorner({7, 8}, kHandleRight, {20 * U, 0}).ApplyTo(group));
    EXPECT_EQ(group.GetRegion(8), (VyRect{10 * U, 20 * U, 20 * U, 40 * U}));
    ASSERT_TRUE(CVylEditAction::RepairMulti({7, 8, 99},
                                            CVylObjectRepairAction::Text("color_switch", "0"), 0)
                    .ApplyTo(group));
    EXPECT_EQ(group.GetByObjUid(7)->Unique().GetString("color_switch"), "0");
    ASSERT_TRUE(CVylEditAction::DeleteMulti({7, 99}).ApplyTo(group));
    EXPECT_EQ(group.GetZOrderList(), (std::vector<int32_t>{8}));

    ASSERT_TRUE(CVylEditAction::AddLinker(3).ApplyTo(group));
    ASSERT_TRUE(CVylEditAction::AddPointToLinker(3, 8, 4).ApplyTo(group));
    EXPECT_EQ(group.GetLinkerOfPoint("8|4"), 3);
    ASSERT_TRUE(CVylEditAction::AddPointToLinker(5, 8, 1).ApplyTo(group));
    EXPECT_FALSE(group.GetLinkerOfPoint("8|1"));
    ASSERT_TRUE(CVylEditAction::DetachPointFromLinker(3, 8, 4).ApplyTo(group));
    EXPECT_EQ(group.GetLinker(3), nullptr);
}

TEST(EditActionRecord, EveryKindSurvivesItsRecord) {
    const CVylEditAction create = RoundTrip(CreateBox(4, 1, 2, 3, 4));
    EXPECT_EQ(create.kind, kActCreate);
    EXPECT_EQ(create.swift, 1);
    EXPECT_EQ(create.GetRegion(), (VyRect{U, 2 * U, 3 * U, 4 * U}));
    EXPECT_EQ(create.Unique().GetString("color_switch"), "1");

    const CVylEditAction repair =
        RoundTrip(CVylEditAction::Repair(4, CVylObjectRepairAction::Bit("inverse", 33, true), 1));
    EXPECT_EQ(repair.repair.type, CVylObjectRepairAction::kSetBit);
    EXPECT_EQ(repair.repair.bitNumber, 33);
    EXPECT_EQ(repair.repair.bitState, 1);
    EXPECT_EQ(repair.GetUid(), 4);

    const CVylEditAction point = RoundTrip(CVylEditAction::DetachPointFromLinker(2, 5, 4));
    EXPECT_EQ(point.linkerUid, 2);
    EXPECT_EQ(point.contactUid, 5);
    EXPECT_EQ(point.contactCorner, 4);

    const CVylEditAction move = RoundTrip(CVylEditAction::MoveMulti({4, 9, 12}, {-5, 6}));
    EXPECT_EQ(move.uids, (VyUidSet{4, 9, 12}));
    EXPECT_EQ(move.offset, (VyPoint{-5, 6}));
    EXPECT_EQ(move.groupForm, kFormUids);
    EXPECT_TRUE(RoundTrip(CVylEditAction::DeleteMulti({})).uids.empty());

    const CVylEditAction corner =
        RoundTrip(CVylEditAction::ModResizeMultiOneCorner({1}, kHandleTop, {7, 8}));
    EXPECT_EQ(corner.handleCode, kHandleTop);
    EXPECT_EQ(corner.handlePoint, (VyPoint{7, 8}));

    int32_t counter = 0;
    CVylObjectGroup source;
    source.InsertOnTop(1, MakeShape(1, kObjBox, 0, 0, 1, 1));
    const CVylEditAction multi = RoundTrip(CVylEditAction::CreateMulti(source, &counter));
    EXPECT_EQ(multi.Group().GetZOrderList(), (std::vector<int32_t>{0}));
}

TEST(EditActionRecord, KindsThatOnceLostDataKeepIt) {
    const CVylEditAction both =
        RoundTrip(CVylEditAction::ModResizeMultiBothCorners({1, 2}, {1, 2, 300000, 400000}));
    EXPECT_EQ(both.rect, (VyRect{1, 2, 300000, 400000}));
    const CVylEditAction repair = RoundTrip(
        CVylEditAction::RepairMulti({1, 2}, CVylObjectRepairAction::Text("dot_size", "3"), 1));
    EXPECT_EQ(repair.repair.attrName, "dot_size");
    EXPECT_EQ(repair.repair.textValue, "3");
    EXPECT_EQ(repair.swift, 1);
    EXPECT_EQ(RoundTrip(CVylEditAction::AddLinker(6)).linkerUid, 6);
}

TEST(EditActionRecord, OlderAndDamagedRecords) {
    // A multi action written without the newer keys reads with its defaults.
    CFxAssignGroupEx part;
    part.SetInt("gak", 2);
    part.SetString("uids", "4|9|12");
    CRevolver partBytes;
    part.ToRevolver(partBytes);
    CFxAssignGroupEx tree;
    tree.SetInt("ack", kActModResizeMultiBothCorners);
    tree.SetBytes("gea", partBytes);
    CRevolver bytes;
    tree.ToRevolver(bytes);
    CVylEditAction action;
    ASSERT_TRUE(action.FromRevolver(bytes));
    EXPECT_EQ(action.uids, (VyUidSet{4, 9, 12}));
    EXPECT_EQ(action.rect, kEmptyRect);
    EXPECT_EQ(action.groupForm, kFormNone);
    EXPECT_EQ(action.handleCode, 11);

    CFxAssignGroupEx single;
    single.SetInt("ack", kActRepair);
    single.ToRevolver(bytes);
    EXPECT_FALSE(CVylEditAction().FromRevolver(bytes));
    EXPECT_FALSE(CVylEditAction().FromRevolver(CRevolver::FromBytes("\x22\x01x")));

    CVylEditAction badRepair = CVylEditAction::Repair(1, CVylObjectRepairAction(), 0);
    EXPECT_FALSE(badRepair.ToRevolver(bytes));
}

TEST(EditActionNames, KnownKinds) {
    EXPECT_STREQ(ActionKindName(kActModResizeMultiBothCorners), "mod_resize_multi_both_corners");
    EXPECT_STREQ(ActionKindName(kActDetachPointFromLinker), "detach_point_from_linker");
    EXPECT_STREQ(ActionKindName(18), "");
}

}  // namespace
