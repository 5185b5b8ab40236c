// Users lose work through sequences: streams of random operations, each
// step checked (the history replays to the drawing shown, saves and opens
// to the same, the selection names only what is drawn, nothing is recorded
// that changes nothing), and the sequences in which work was lost.
#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "editor/document/action_effect.h"
#include "editor/image/bmp_codec.h"
#include "editor/image/raster.h"
#include "tests/support/canvas_driver.h"
#include "tests/support/canvas_session.h"
#include "tests/support/stored_history.h"

namespace {

// A width typed into the status strip's box and not applied yet: the canvas
// applies it when it is about to act; appliedTo tells for which object.
struct TypedWidth {
    TypedWidth(CanvasDriver& c, int32_t width) {
        c.core.AddPendingEditSource([this, &c, width] {
            if (std::exchange(pending, false)) {
                appliedTo = c.core.Selection().GetChiefUid();
                c.core.ChangeRegionBox("width", width);
            }
        });
    }
    bool pending = true;
    int32_t appliedTo = -1;
};

TEST(CanvasSequence, RandomSessionsStaySound) {
    for (uint32_t seed = 1; seed <= 80; ++seed) {
        std::mt19937 random(seed);
        const CanvasSession::ByteSource next = [&random] {
            return static_cast<uint8_t>(random() & 0xFF);
        };
        CanvasSession session;
        for (int step = 0; step < 200; ++step) {
            session.Step(next);
            const std::string fault = session.Check();
            ASSERT_TRUE(fault.empty()) << "seed " << seed << ": " << fault << "\nafter:\n"
                                       << session.Trace();
        }
    }
}

// A redo that deletes a selected object used to leave it selected; the next
// key then recorded an action on a uid that no longer existed, and nothing
// after it ever replayed.
TEST(CanvasSequence, ARedoneDeleteLeavesNothingSelected) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 20, 20, 60, 50);
    c.Click(40, 35);
    c.Key(VyKey::kDelete);
    c.core.UndoEditActionAndDrawAll();
    c.Click(40, 35);
    ASSERT_TRUE(c.core.Selection().IsUidSelected(a));
    c.core.RedoEditActionAndDrawAll();
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 0);
    EXPECT_EQ(c.core.GetMouseState(), kMouseIdle);
    const size_t actions = c.Actions();
    c.Key(VyKey::kRight);
    c.core.RunCommand(VyCanvasCommand::kDelete);
    EXPECT_EQ(c.Actions(), actions);
    const int32_t b = c.Draw(kToolBox, 100, 100, 150, 140);
    CVylObjectGroup replayed;
    ASSERT_TRUE(replayed.CreateObjectGroupFromEditActionGroup(c.core.History()));
    EXPECT_NE(replayed.GetByObjUid(b), nullptr);
}

// Nothing reaches the history that would not apply: single-object actions
// on missing uids, creates of existing ones, and changes that change nothing.
TEST(CanvasSequence, TheHistoryRefusesWhatWouldNotApply) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 20, 20, 60, 50);
    CVylEditActionGroup& history = c.core.History();
    const size_t actions = history.GetCount();
    int added = 0;
    history.SetActionAddedSink([&added] { ++added; });
    EXPECT_FALSE(history.AddEditAction(CVylEditAction::MoveSingle(77, {0, 0, D(5), D(5)})));
    EXPECT_FALSE(history.AddEditAction(CVylEditAction::Create(a, kObjBox, {}, {})));
    EXPECT_FALSE(history.AddEditAction(CVylEditAction::MoveSingle(a, c.Region(a))));
    EXPECT_FALSE(history.AddEditAction(CVylEditAction::GoUp(a)));
    EXPECT_FALSE(history.AddEditAction(CVylEditAction::DeleteMulti({77, 78})));
    EXPECT_EQ(history.GetCount(), actions);
    EXPECT_EQ(added, 0);
    EXPECT_TRUE(history.AddEditAction(CVylEditAction::Delete(a)));
    EXPECT_EQ(added, 1);
}

// Two segments on one row have a bounding box no taller than a dot: the
// arrows move them as a drag would, instead of recording resizes that
// change nothing.
TEST(CanvasSequence, ArrowsMoveSegmentsOfOneRow) {
    CanvasDriver c;
    const int32_t first = c.Draw(kToolLine, 20, 40, 60, 40);
    const int32_t second = c.Draw(kToolLine, 80, 40, 120, 40);
    c.core.SelectAll();
    const size_t actions = c.Actions();
    c.Key(VyKey::kRight);
    c.nowMs += 100;
    c.Key(VyKey::kDown);
    EXPECT_EQ(c.Region(first), (VyRect{D(25), D(45), D(65), D(45)}));
    EXPECT_EQ(c.Region(second), (VyRect{D(85), D(45), D(125), D(45)}));
    EXPECT_EQ(c.Actions(), actions + 2);
    // The first key of a burst undoes on its own.
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(first), (VyRect{D(25), D(40), D(65), D(40)}));
    // Stretching them taller than nothing cannot be done: nothing recorded.
    c.core.SelectAll();
    const size_t before = c.Actions();
    c.Key(VyKey::kDown, {true, false});
    EXPECT_EQ(c.Actions(), before);
}

// A file saved by an earlier version may hold an action that does not
// replay: it opens as before (the drawing stops there), and new work
// follows the last action that replays, so that it shows.
TEST(CanvasSequence, WorkOnAStoredHistoryThatStopsReplayingShows) {
    const CVylObjectUniqueAttr attrs;
    CVylEditActionGroup loaded;
    ASSERT_TRUE(loaded.EdtActionGrpFromRevolver(
        StoredHistoryBytes({CVylEditAction::Create(1, kObjBox, {0, 0, D(10), D(10)}, attrs),
                            CVylEditAction::MoveSingle(77, {0, 0, D(5), D(5)}),
                            CVylEditAction::Create(2, kObjBox, {D(20), 0, D(30), D(10)}, attrs)}),
        nullptr));
    CanvasDriver c;
    c.core.History().ReplaceWith(loaded);
    EXPECT_EQ(c.core.Rebuild(), 0);
    EXPECT_EQ(c.core.Group().GetCount(), 1u);
    EXPECT_FALSE(c.core.History().ReplaysToCurrent());

    const int32_t drawn = c.Draw(kToolBox, 100, 100, 150, 140);
    EXPECT_NE(c.core.Group().GetByObjUid(drawn), nullptr);
    EXPECT_TRUE(c.core.History().ReplaysToCurrent());
    CVylObjectGroup replayed;
    ASSERT_TRUE(replayed.CreateObjectGroupFromEditActionGroup(c.core.History()));
    EXPECT_EQ(replayed.GetCount(), 2u);
    EXPECT_EQ(c.core.History().GetAction(0).kind, kActCreate);
    EXPECT_EQ(c.core.History().GetAction(1).GetUid(), drawn);
}

// A live preview whose final call never comes (the slider's release went to
// a window that opened over it) is recorded before anything else happens.
TEST(CanvasSequence, ALivePreviewIsRecordedBeforeTheNextEdit) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 20, 20, 60, 50);
    c.core.TypicalRepair(CVylObjectRepairAction::Text(kKeyDotSize, "7"), 1);
    EXPECT_TRUE(c.core.HasPendingPreview());
    const size_t actions = c.Actions();
    c.Click(200, 200);
    EXPECT_FALSE(c.core.HasPendingPreview());
    EXPECT_EQ(c.Actions(), actions + 1);
    EXPECT_EQ(c.core.Group().GetByObjUid(box)->Unique().GetString(kKeyDotSize), "7");
    c.core.UndoEditActionAndDrawAll();
    EXPECT_NE(c.core.Group().GetByObjUid(box)->Unique().GetString(kKeyDotSize), "7");
}

// Values typed into boxes go to the object they were typed for before the
// selection moves on (Tab browses to a neighbour).
TEST(CanvasSequence, ATypedValueReachesItsObjectBeforeTheSelectionMoves) {
    CanvasDriver c;
    const int32_t left = c.Draw(kToolBox, 20, 20, 40, 40);
    const int32_t right = c.Draw(kToolBox, 50, 20, 70, 40);
    c.Click(30, 30);
    TypedWidth typed(c, 11);
    EXPECT_TRUE(c.core.ProcessKeys(VyKey::kTab, {}, false));
    EXPECT_EQ(typed.appliedTo, left);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), right);
    EXPECT_EQ(c.Region(left).right, D(30));
}

// A dropped picture is one undo step, like a paste.
TEST(CanvasSequence, EachDroppedPictureUndoesAlone) {
    CanvasDriver c;
    VyRaster raster = MakeRaster(8, 8, 1);
    raster.palette = {0xFF000000, 0xFFFFFFFF};
    const std::string bmp = EncodeBmp(raster);
    const int32_t first = c.core.CreatePictureAt(CanvasDriver::Screen(10, 10), bmp);
    const int32_t second = c.core.CreatePictureAt(CanvasDriver::Screen(100, 100), bmp);
    EXPECT_EQ(first, 0) << "the first object of a drawing, no failure";
    c.core.UndoEditActionAndDrawAll();
    EXPECT_NE(c.core.Group().GetByObjUid(first), nullptr);
    EXPECT_EQ(c.core.Group().GetByObjUid(second), nullptr);
}

}  // namespace

namespace {

// A key move refused in a burst (a stretch to nothing) leaves the burst
// open, so that the next edit does not undo together with it.
TEST(CanvasSequence, ARefusedKeyMoveKeepsTheBurstApart) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 20, 20, 30, 35);
    c.Draw(kToolBox, 40, 20, 50, 35);
    c.core.SelectAll();
    for (int press = 0; press < 3; ++press) {
        c.nowMs += 100;
        c.Key(VyKey::kUp, {true, false});
    }
    EXPECT_EQ(c.Region(a).bottom, D(25));
    c.nowMs += 100;
    c.core.TypicalRepair(CVylObjectRepairAction::Text(kKeyDotSize, "3"), 0);
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(a).bottom, D(25));
    EXPECT_NE(c.core.Group().GetByObjUid(a)->Unique().GetString(kKeyDotSize), "3");
}

// A value typed into a box and a command chosen from a menu while the box
// keeps the focus: the value is applied first and the command works on it.
TEST(CanvasSequence, ACommandWorksOnTheValueTypedBeforeIt) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 20, 20, 40, 40);
    c.Click(30, 30);
    TypedWidth typed(c, 101);
    c.core.RunCommand(VyCanvasCommand::kHCenter);
    const VyRect r = c.Region(box).Normalized();
    EXPECT_EQ(r.right - r.left, D(100));
    EXPECT_EQ((r.left + r.right) / 2, (D(320) - 1) / 2);
}

// Recording what is pending from inside a click keeps the objects the
// click is looking at: the attributes it takes are the clicked object's.
TEST(CanvasSequence, ACommitInsideAClickKeepsTheClickedObject) {
    CanvasDriver c;
    const int32_t first = c.Draw(kToolBox, 20, 20, 40, 40);
    const int32_t second = c.Draw(kToolEllipse, 100, 100, 140, 140);
    c.Click(30, 30);
    TypedWidth typed(c, 31);
    c.Click(120, 120, {true, false});
    EXPECT_TRUE(c.core.Selection().IsUidSelected(second));
    EXPECT_EQ(c.Region(first).Normalized().right, D(50));
    EXPECT_TRUE(SameTree(c.core.ToolAttrs(), c.core.Group().GetByObjUid(second)->Unique()));
}

}  // namespace
