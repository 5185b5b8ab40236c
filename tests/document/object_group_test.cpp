#include "editor/document/object_group.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/selectable_group.h"

namespace {

constexpr int32_t U = kUnit;

TEST(ObjectGroup, TotalRectKeepsASingleRegionAsStored) {
    SelectableGroup s;
    s.Add(MakeObject(1, kObjLine, 100, 50, 10, 20));
    s.Add(MakeObject(2, kObjBox, 5, 60, 7, 70));
    EXPECT_EQ(s.group.GetTotalRect({1}), (VyRect{100 * U, 50 * U, 10 * U, 20 * U}));
    EXPECT_EQ(s.group.GetTotalRect({1, 2, 99}), (VyRect{5 * U, 20 * U, 100 * U, 70 * U}));
    EXPECT_EQ(s.group.GetTotalRect({99}), kEmptyRect);
    EXPECT_EQ(s.group.GetSelectionTotalRect(), kEmptyRect);
}

TEST(ObjectGroup, RegionsOfUnknownUids) {
    CVylObjectGroup group;
    group.InsertOnTop(4, MakeObject(4, kObjBox, 1, 2, 3, 4));
    EXPECT_EQ(group.GetRegion(5), kEmptyRect);
    EXPECT_FALSE(group.ModifyRegion(5, {}));
    EXPECT_FALSE(group.MoveRegion(5, {1, 1}));
    group.MoveRegions({4, 5}, {U, -U});
    EXPECT_EQ(group.GetRegion(4), (VyRect{2 * U, U, 4 * U, 3 * U}));
    EXPECT_EQ(group.GetPointByUidAndCorner(4, 3), (VyPoint{2 * U, 3 * U}));
    EXPECT_EQ(group.GetPointByUidAndCorner(4, 5), kEmptyPoint);
    EXPECT_EQ(group.GetPointByUidAndCorner(5, 1), kEmptyPoint);
}

TEST(ObjectGroup, HandleCodesAndCursors) {
    SelectableGroup s;
    s.Add(MakeObject(1, kObjBox, 100, 100, 200, 160));
    s.selection.SetSingleSelection(1, false);
    EXPECT_EQ(s.group.GetCornerState({100 * U + 50000, 100 * U - 50000}, true), kHandleTopLeft);
    EXPECT_EQ(s.group.GetCornerState({100 * U + 50001, 100 * U}, true), kHandleNone);
    EXPECT_EQ(s.group.GetCornerState({200 * U, 160 * U}, true), kHandleBottomRight);
    EXPECT_EQ(s.group.GetCornerState({150 * U, 130 * U + 80000}, true), kHandleMove);
    EXPECT_EQ(s.group.GetCornerState({150 * U, 100 * U}, true), kHandleTop);
    EXPECT_EQ(s.group.GetCornerState({200 * U, 130 * U}, true), kHandleRight);
    EXPECT_EQ(s.group.GetCornerCursor({100 * U, 160 * U}), VyCornerCursor::kSizeNesw);
    EXPECT_EQ(s.group.GetCornerCursor({150 * U, 160 * U}), VyCornerCursor::kSizeNs);
    EXPECT_EQ(s.group.GetCornerCursor({150 * U, 130 * U}), VyCornerCursor::kSizeAll);
    EXPECT_EQ(s.group.GetCornerCursor({0, 0}), VyCornerCursor::kArrow);

    // A tiny selection: corners win over the centre.
    s.Add(MakeObject(2, kObjBox, 10, 10, 12, 12));
    s.selection.SetSingleSelection(2, false);
    EXPECT_EQ(s.group.GetCornerState({11 * U, 11 * U}, true), kHandleTopLeft);
    s.selection.RemoveAll();
    EXPECT_EQ(s.group.GetCornerState({11 * U, 11 * U}, true), kHandleNone);
}

TEST(ObjectGroup, ResizingMapsEveryObjectOntoTheNewRectangle) {
    SelectableGroup s;
    s.Add(MakeObject(1, kObjBox, 0, 0, 10, 10));
    s.Add(MakeObject(2, kObjLine, 20, 20, 10, 10));
    s.group.ResizeMultiOneCorner({1, 2}, kHandleBottomRight, {40 * U, 60 * U});
    EXPECT_EQ(s.group.GetRegion(1), (VyRect{0, 0, 20 * U, 30 * U}));
    EXPECT_EQ(s.group.GetRegion(2), (VyRect{40 * U, 60 * U, 20 * U, 30 * U}));

    s.group.ResizeMultiBothCorners({1, 2}, {10 * U, 10 * U, 11 * U, 100 * U});
    EXPECT_EQ(s.group.GetRegion(1), (VyRect{0, 0, 20 * U, 30 * U}));
    s.group.ResizeMultiBothCorners({1, 2}, {10 * U, 10 * U, 30 * U, 40 * U});
    EXPECT_EQ(s.group.GetRegion(1), (VyRect{10 * U, 10 * U, 20 * U, 25 * U}));
    EXPECT_EQ(s.group.GetRegion(2), (VyRect{30 * U, 40 * U, 20 * U, 25 * U}));
}

TEST(ObjectGroup, ResizingADegenerateSelectionNeverDividesByZero) {
    SelectableGroup s;
    s.Add(MakeObject(1, kObjLine, 10, 0, 10, 50));
    s.Add(MakeObject(2, kObjLine, 10, 60, 10, 80));
    s.group.ResizeMultiBothCorners({1, 2}, {30 * U, 0, 60 * U, 160 * U});
    EXPECT_EQ(s.group.GetRegion(1), (VyRect{30 * U, 0, 30 * U, 100 * U}));
    EXPECT_EQ(s.group.GetRegion(2), (VyRect{30 * U, 120 * U, 30 * U, 160 * U}));
    s.group.ResizeMultiOneCorner({1, 2}, kHandleBottomRight, {50 * U, 320 * U});
    EXPECT_EQ(s.group.GetRegion(1), (VyRect{30 * U, 0, 30 * U, 200 * U}));
}

TEST(ObjectGroup, PickingPrefersTheNearestCentreAndTheLowerOnATie) {
    SelectableGroup s;
    s.Add(MakeObject(1, kObjBox, 0, 0, 40, 40));
    s.Add(MakeObject(2, kObjBox, 20, 0, 60, 40));
    s.Add(MakeObject(3, kObjBox, 200, 200, 210, 210));
    CVylObjectUniqueAttr attrs;
    attrs.SetString("stale", "1");
    VyPoint centre;
    ASSERT_TRUE(s.group.SelectObjByCenterSenseMethod({30 * U, 20 * U}, &attrs, &centre));
    EXPECT_EQ(s.selection.GetChiefUid(), 1);
    EXPECT_EQ(centre, (VyPoint{20 * U, 20 * U}));
    EXPECT_FALSE(attrs.Has("stale"));
    ASSERT_TRUE(s.group.SelectObjByCenterSenseMethod({45 * U, 20 * U}, nullptr, nullptr));
    EXPECT_EQ(s.selection.GetChiefUid(), 2);
    EXPECT_EQ(s.selection.GetEverySelCount(), 2);
    // The 15-dot margin reaches objects near the point.
    EXPECT_TRUE(s.group.SelectObjByCenterSenseMethod({224 * U, 224 * U}, nullptr, nullptr));
    EXPECT_FALSE(s.group.SelectObjByCenterSenseMethod({226 * U, 226 * U}, nullptr, nullptr));
}

TEST(ObjectGroup, SelectingByRectangle) {
    SelectableGroup s;
    s.Add(MakeObject(1, kObjBox, 10, 10, 20, 20));
    s.Add(MakeObject(2, kObjBox, 5, 5, 30, 31));
    s.Add(MakeObject(3, kObjBox, 0, 0, 30, 30));
    s.selection.SetSingleSelection(2, false);
    s.group.SelectObjsByRect({0, 0, 30 * U, 30 * U});
    EXPECT_EQ(s.selection.GetSelectedUidListExp(), "[1:3]");
}

TEST(ObjectGroup, StackingOrder) {
    SelectableGroup s;
    for (int32_t uid : {5, 6, 7}) {
        s.Add(MakeObject(uid, kObjBox, 0, 0, 1, 1));
    }
    EXPECT_EQ(s.group.GetNextZOrderUid(7, true), 5);
    EXPECT_EQ(s.group.GetNextZOrderUid(7, false), -1);
    EXPECT_EQ(s.group.GetPrevZOrderUid(5, true), 7);
    EXPECT_EQ(s.group.GetPrevZOrderUid(-3, true), -1);
    EXPECT_EQ(s.group.GetNextZOrderUid(9, true), -1);

    int32_t position = -1;
    EXPECT_EQ(s.group.GetZOrderNeighborUidPos(true, &position), -1);
    s.selection.SetSingleSelection(6, false);
    EXPECT_EQ(s.group.GetZOrderNeighborUidPos(true, &position), 2);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(s.group.GetZOrderNeighborUidPos(false, &position), 0);
    ASSERT_TRUE(s.group.ZOrderGoUp());
    EXPECT_EQ(s.group.GetZOrderList(), (std::vector<int32_t>{5, 7, 6}));
    EXPECT_FALSE(s.group.ZOrderGoUp());
    ASSERT_TRUE(s.group.ZOrderGoDown());
    ASSERT_TRUE(s.group.ZOrderGoDown());
    EXPECT_EQ(s.group.GetZOrderList(), (std::vector<int32_t>{6, 5, 7}));
    EXPECT_FALSE(s.group.ZOrderGoDown());

    ASSERT_TRUE(s.group.Delete(5));
    EXPECT_FALSE(s.group.Delete(5));
    EXPECT_EQ(s.group.GetNextZOrderUid(6, false), 7);
    s.group.DeleteMulti({6, 7, 8});
    EXPECT_TRUE(s.group.GetZOrderList().empty());
}

TEST(ObjectGroup, AppendingGivesNewUidsAndShiftsToTheOrigin) {
    CVylObjectGroup source;
    source.InsertOnTop(10, MakeObject(10, kObjLine, 50, 40, 30, 90));
    source.InsertOnTop(3, MakeObject(3, kObjBox, 60, 70, 80, 75));
    source.InsertOnTop(8, MakeObject(8, kObjBox, 0, 0, 1, 1));
    CVylObjectGroup target;
    target.InsertOnTop(1, MakeObject(1, kObjBox, 0, 0, 1, 1));
    int32_t counter = 20;
    const VyUidSet filter{10, 3};
    target.AppendObjects(true, source, &counter, &filter, true);
    EXPECT_EQ(counter, 22);
    EXPECT_EQ(target.GetZOrderList(), (std::vector<int32_t>{20, 21}));
    EXPECT_EQ(target.GetRegion(20), (VyRect{20 * U, 0, 0, 50 * U}));
    EXPECT_EQ(target.GetRegion(21), (VyRect{30 * U, 30 * U, 50 * U, 35 * U}));
    EXPECT_EQ(target.GetByObjUid(21)->GetUid(), 21);

    // The most negative coordinate still shifts to the origin.
    CVylObjectGroup far;
    far.InsertOnTop(1, MakeObject(1, kObjBox, 0, 0, 1, 1));
    far.ModifyRegion(1, {INT32_MIN, INT32_MIN, 0, 0});
    int32_t farCounter = 0;
    target.AppendObjects(true, far, &farCounter, nullptr, true);
    EXPECT_EQ(target.GetRegion(0), (VyRect{0, 0, INT32_MIN, INT32_MIN}));

    int32_t negative = -1;
    target.AppendObjects(true, source, &negative, nullptr, false);
    EXPECT_EQ(target.GetCount(), 0u);

    int32_t last = 2147483647;
    target.AppendObjects(false, target, &last, nullptr, false);
    target.AppendObjects(false, source, &last, nullptr, false);
    EXPECT_EQ(target.GetZOrderList(), (std::vector<int32_t>{2147483647, 1, 2}));
}

TEST(ObjectGroup, LaidOutLinesComeAndGo) {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    CVylObjectGroup group;
    CVylObject text = MakeObject(1, kObjText, 0, 0, 100, 100);
    text.Unique().SetString("text_content", "a\nb");
    group.InsertOnTop(1, text);
    group.InsertOnTop(2, MakeShape(2, kObjBox, 0, 0, 1, 1));
    group.AdoptLoops(dc);
    EXPECT_EQ(group.GetByObjUid(1)->Unique().GetString("line_count"), "2");
    EXPECT_EQ(group.GetByObjUid(1)->Unique().GetString("line_content1"), "b");
    EXPECT_FALSE(group.GetByObjUid(2)->Unique().Has("line_count"));
    group.ReleaseLoops();
    EXPECT_EQ(group.GetByObjUid(1)->Unique().Count(), 1u);
    EXPECT_EQ(group.GetLcdUpdateNeededApproxTime(), 60);
}

TEST(ObjectGroup, LinkerStoreFollowsItsPoints) {
    CVylObjectGroup group;
    EXPECT_FALSE(group.AddPointToLinker(1, {4, 1}));
    ASSERT_TRUE(group.AddLinker(1));
    EXPECT_FALSE(group.AddLinker(1));
    ASSERT_TRUE(group.AddPointToLinker(1, {4, 1}));
    ASSERT_TRUE(group.AddPointToLinker(1, {5, 4}));
    EXPECT_EQ(group.GetLinkerOfPoint("5|4"), 1);
    EXPECT_EQ(group.GetLinker(1)->Points().front().first, "4|1");
    EXPECT_FALSE(group.DetachPointFromLinker(1, {6, 1}));
    ASSERT_TRUE(group.DetachPointFromLinker(1, {4, 1}));
    ASSERT_TRUE(group.DetachPointFromLinker(1, {5, 4}));
    EXPECT_EQ(group.GetLinker(1), nullptr);
    EXPECT_FALSE(group.GetLinkerOfPoint("5|4"));
    group.AddLinker(2);
    group.RemoveAllObjectGroup();
    EXPECT_TRUE(group.GetLinkers().empty());
}

}  // namespace

namespace {

// Deleting some of many objects keeps the rest in order, each at its place.
TEST(ObjectGroup, DeletingManyKeepsTheRestInOrder) {
    CVylObjectGroup group;
    for (int32_t uid = 0; uid < 20; ++uid) {
        group.InsertOnTop(uid, MakeObject(uid, kObjBox, 0, 0, 1, 1));
    }
    group.DeleteMulti({0, 3, 4, 19, 42});
    const std::vector<int32_t> order = group.GetZOrderList();
    ASSERT_EQ(order.size(), 16u);
    EXPECT_EQ(order.front(), 1);
    EXPECT_EQ(order.back(), 18);
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        EXPECT_EQ(group.GetNextZOrderUid(order[i], false), order[i + 1]);
    }
    EXPECT_EQ(group.GetByObjUid(3), nullptr);
    ASSERT_TRUE(group.Delete(10));
    EXPECT_EQ(group.GetNextZOrderUid(9, false), 11);
}

}  // namespace
