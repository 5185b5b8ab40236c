#include "editor/document/linker_actions.h"

#include <gtest/gtest.h>

#include "tests/support/selectable_group.h"

namespace {

constexpr int32_t U = kUnit;

// A canvas-like bundle: history, the group it replays into, the selection.
struct Drawing {
    Drawing() { history.AttachSelection(&s.selection); }
    int32_t Line(int32_t l, int32_t t, int32_t r, int32_t b) {
        const int32_t uid = history.TakeObjectUid();
        history.AddEditAction(
            CVylEditAction::Create(uid, kObjLine, {l * U, t * U, r * U, b * U}, {}));
        history.SetLastActionSwift(0);
        Replay();
        return uid;
    }
    void Replay() { ASSERT_TRUE(s.group.CreateObjectGroupFromEditActionGroup(history)); }
    VyJoinResult Join(int32_t chief, int32_t other) {
        s.selection.SetMultiSelection({chief, other}, false);
        s.selection.EnsureChiefSel(chief);
        const VyJoinResult result = JoinNearestEndPoints(history, s.group, s.selection);
        Replay();
        return result;
    }

    CVylEditActionGroup history;
    SelectableGroup s;
};

TEST(Linkers, JoinsTheNearestEndsAndMovesTheOtherLine) {
    Drawing d;
    const int32_t a = d.Line(0, 0, 10, 0);
    const int32_t b = d.Line(12, 3, 30, 30);
    ASSERT_EQ(d.Join(a, b), VyJoinResult::kJoined);
    // A's end (corner 4) meets B's start (corner 1); B's start moves onto A's end.
    EXPECT_EQ(d.s.group.GetLinkerOfPoint("0|4"), 0);
    EXPECT_EQ(d.s.group.GetLinkerOfPoint("1|1"), 0);
    EXPECT_EQ(d.s.group.GetRegion(b), (VyRect{10 * U, 0, 30 * U, 30 * U}));
    EXPECT_EQ(d.Join(a, b), VyJoinResult::kAlreadyJoined);

    // One undo takes the whole join back.
    d.history.UndoEditAction();
    d.Replay();
    EXPECT_EQ(d.s.group.GetRegion(b), (VyRect{12 * U, 3 * U, 30 * U, 30 * U}));
    EXPECT_TRUE(d.s.group.GetLinkers().empty());
}

TEST(Linkers, TiesJoinStartToStartAndEndTheBlock) {
    Drawing d;
    const int32_t a = d.Line(5, 5, 20, 5);
    const int32_t b = d.Line(5, 5, 5, 20);
    ASSERT_EQ(d.Join(a, b), VyJoinResult::kJoined);
    EXPECT_TRUE(d.s.group.GetLinkerOfPoint("0|1"));
    EXPECT_TRUE(d.s.group.GetLinkerOfPoint("1|1"));
    // Nothing had to move, so the join is one undo step of its own.
    EXPECT_EQ(d.history.GetAction(d.history.GetCount() - 1).swift, 0);
    d.Line(50, 50, 60, 60);
    d.history.UndoEditAction();
    d.Replay();
    EXPECT_EQ(d.s.group.GetLinkers().size(), 1u);
}

TEST(Linkers, AJoinToAJoinedLineExtendsItsLinker) {
    Drawing d;
    const int32_t a = d.Line(0, 0, 10, 0);
    const int32_t b = d.Line(10, 0, 10, 10);
    const int32_t c = d.Line(11, -1, 40, 40);
    ASSERT_EQ(d.Join(a, b), VyJoinResult::kJoined);
    const VyRect before[3] = {d.s.group.GetRegion(a), d.s.group.GetRegion(b),
                              d.s.group.GetRegion(c)};
    ASSERT_EQ(d.Join(c, b), VyJoinResult::kJoined);
    EXPECT_EQ(d.s.group.GetLinkers().size(), 1u);
    EXPECT_EQ(d.s.group.GetLinkers().begin()->second.Points().size(), 3u);

    // However many lines had to follow, one undo takes the whole join back.
    d.history.UndoEditAction();
    d.Replay();
    EXPECT_EQ(d.s.group.GetRegion(a), before[0]);
    EXPECT_EQ(d.s.group.GetRegion(b), before[1]);
    EXPECT_EQ(d.s.group.GetRegion(c), before[2]);
    EXPECT_EQ(d.s.group.GetLinkers().begin()->second.Points().size(), 2u);

    // Detaching two of three joined lines leaves no linker of a single point.
    ASSERT_EQ(d.Join(c, b), VyJoinResult::kJoined);
    d.s.selection.SetMultiSelection({a, c}, false);
    AddActionsForDetachSelectedObjectsPointsFromLinker(d.history, d.s.group, d.s.selection, true);
    d.Replay();
    for (const auto& [uid, linker] : d.s.group.GetLinkers()) {
        EXPECT_NE(linker.Points().size(), 1u) << "linker " << uid;
    }
    EXPECT_FALSE(d.s.group.GetLinkerOfPoint(LinkerPointKey(b, 1)));
}

TEST(Linkers, RefusedSelections) {
    Drawing d;
    const int32_t a = d.Line(0, 0, 10, 0);
    d.s.selection.SetSingleSelection(a, false);
    EXPECT_EQ(JoinNearestEndPoints(d.history, d.s.group, d.s.selection),
              VyJoinResult::kBadSelection);
    d.history.AddEditAction(CVylEditAction::Create(d.history.TakeObjectUid(), kObjBox, {}, {}));
    d.Replay();
    EXPECT_EQ(d.Join(a, 1), VyJoinResult::kNotLines);
    d.s.selection.SetMultiSelection({a, 77}, false);
    EXPECT_EQ(JoinNearestEndPoints(d.history, d.s.group, d.s.selection),
              VyJoinResult::kBadSelection);
    EXPECT_EQ(kNoticeNotLines.substr(0, 2), "\xB5\xCE");
}

TEST(Linkers, FollowUpPassUsesTheFirstPointWhenNothingIsSelected) {
    Drawing d;
    const int32_t a = d.Line(0, 0, 10, 0);
    const int32_t b = d.Line(10, 0, 10, 10);
    ASSERT_EQ(d.Join(a, b), VyJoinResult::kJoined);
    d.history.AddEditAction(CVylEditAction::MoveSingle(a, {0, 0, 20 * U, 5 * U}));
    d.Replay();
    d.s.selection.RemoveAll();
    EXPECT_EQ(AddFollowUpActions(d.history, d.s.group, d.s.selection, 1), 1);
    d.Replay();
    EXPECT_EQ(d.s.group.GetRegion(b), (VyRect{20 * U, 5 * U, 10 * U, 10 * U}));

    // With b selected, b's corner is the reference and a follows it live.
    d.s.selection.SetSingleSelection(b, false);
    d.s.group.ModifyRegion(b, {30 * U, 30 * U, 10 * U, 10 * U});
    ApplyLivePass(d.s.group, d.s.selection);
    EXPECT_EQ(d.s.group.GetRegion(a), (VyRect{0, 0, 30 * U, 30 * U}));
}

// A line joined at both ends follows both of its neighbours at once.
TEST(Linkers, ALineJoinedAtBothEndsKeepsBothJoints) {
    Drawing d;
    const int32_t x = d.Line(0, 0, 10, 0);
    const int32_t y = d.Line(10, 0, 20, 0);
    const int32_t z = d.Line(20, 0, 30, 0);
    ASSERT_EQ(d.Join(x, y), VyJoinResult::kJoined);
    ASSERT_EQ(d.Join(z, y), VyJoinResult::kJoined);
    ASSERT_EQ(d.s.group.GetLinkers().size(), 2u);
    d.history.AddEditAction(CVylEditAction::MoveMulti({x, z}, {0, 5 * U}));
    d.Replay();
    d.s.selection.SetMultiSelection({x, z}, false);
    EXPECT_EQ(AddFollowUpActions(d.history, d.s.group, d.s.selection, 0), 1);
    d.Replay();
    EXPECT_EQ(d.s.group.GetRegion(y), (VyRect{10 * U, 5 * U, 20 * U, 5 * U}));
}

// Only a damaged history deletes a joined line without detaching it: the
// other line then has nothing to follow and stays.
TEST(Linkers, APointWhoseObjectIsGoneIsNoReference) {
    Drawing d;
    const int32_t a = d.Line(0, 0, 10, 0);
    const int32_t b = d.Line(10, 0, 10, 10);
    ASSERT_EQ(d.Join(a, b), VyJoinResult::kJoined);
    d.history.AddEditAction(CVylEditAction::Delete(a));
    d.Replay();
    d.s.selection.RemoveAll();
    EXPECT_EQ(AddFollowUpActions(d.history, d.s.group, d.s.selection, 0), 0);
    EXPECT_EQ(d.s.group.GetRegion(b), (VyRect{10 * U, 0, 10 * U, 10 * U}));
}

TEST(Linkers, DeletingAJoinedLineAndUndoingIt) {
    Drawing d;
    const int32_t a = d.Line(0, 0, 10, 0);
    const int32_t b = d.Line(10, 0, 10, 10);
    ASSERT_EQ(d.Join(a, b), VyJoinResult::kJoined);
    d.s.selection.SetSingleSelection(a, false);
    EXPECT_EQ(AddActionsForDetachSelectedObjectsPointsFromLinker(d.history, d.s.group,
                                                                 d.s.selection, false),
              2);
    d.history.AddEditAction(CVylEditAction::Delete(a));
    d.Replay();
    EXPECT_TRUE(d.s.group.GetLinkers().empty());
    EXPECT_FALSE(d.s.group.GetLinkerOfPoint("1|1"));
    d.history.UndoEditAction();
    d.Replay();
    EXPECT_TRUE(d.s.group.GetByObjUid(a));
    EXPECT_EQ(d.s.group.GetLinkerOfPoint("1|1"), 0);

    EXPECT_EQ(AddActionsForDetachSelectedObjectsPointsFromLinker(d.history, d.s.group,
                                                                 d.s.selection, true),
              2);
    EXPECT_EQ(d.history.GetAction(d.history.GetCount() - 1).swift, 0);
}

}  // namespace
