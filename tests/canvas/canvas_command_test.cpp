// Keys and commands of the GUI-free canvas.
#include <gtest/gtest.h>

#include "editor/document/linker_actions.h"
#include "editor/image/bmp_codec.h"
#include "tests/support/canvas_driver.h"

namespace {

constexpr VyModifiers kShift{true, false};
constexpr VyModifiers kCtrl{false, true};
constexpr VyModifiers kCtrlShift{true, true};

void Select(CanvasDriver& c, std::initializer_list<int32_t> uids) {
    c.core.Selection().SetMultiSelection(VyUidSet(uids), true);
    c.core.Selection().EnsureChiefSel(*uids.begin());
}

TEST(CanvasKeys, ArrowsMoveByTheGridStepShiftStretches) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 100, 100, 140, 140);
    EXPECT_TRUE(c.Key(VyKey::kRight));
    EXPECT_EQ(c.Region(box), (VyRect{D(105), D(100), D(145), D(140)}));
    c.nowMs += 2000;
    EXPECT_TRUE(c.Key(VyKey::kDown, kShift));
    EXPECT_EQ(c.Region(box), (VyRect{D(105), D(100), D(145), D(145)}));
    c.core.Grid().SetGridInt("use_grid", 0);
    c.nowMs += 2000;
    c.Key(VyKey::kUp);
    EXPECT_EQ(c.Region(box), (VyRect{D(105), D(99), D(145), D(144)}));

    // Arrows, Delete, select-all and the clipboard keys belong to an edit
    // box that has the focus; undo and redo work from there too.
    EXPECT_FALSE(c.core.ProcessKeys(VyKey::kLeft, {}, false));
    EXPECT_FALSE(c.core.ProcessKeys(VyKey::kDelete, {}, false));
    EXPECT_FALSE(c.core.ProcessKeys(VyKey::kA, kCtrl, false));
    EXPECT_FALSE(c.core.ProcessKeys(VyKey::kV, kCtrl, false));
    EXPECT_EQ(c.core.Group().GetCount(), 1u);
    EXPECT_TRUE(c.core.ProcessKeys(VyKey::kY, kCtrl, false));

    // Nothing selected: nothing recorded.
    c.Deselect();
    const size_t actions = c.Actions();
    c.Key(VyKey::kLeft);
    EXPECT_EQ(c.Actions(), actions);
}

TEST(CanvasKeys, HeldArrowsSpeedUpAfterThirtyRepeats) {
    CanvasDriver c;
    c.core.Grid().SetGridInt("use_grid", 0);
    const int32_t box = c.Draw(kToolBox, 0, 0, 10, 10);
    for (int i = 0; i < 40; ++i) {
        c.nowMs += 100;
        c.Key(VyKey::kRight);
    }
    // Repeats 0 to 35 move one dot, 36 to 38 two, 39 three.
    EXPECT_EQ(c.Region(box).left, D(45));
    c.nowMs += 600;
    c.Key(VyKey::kRight);
    EXPECT_EQ(c.Region(box).left, D(46));
}

TEST(CanvasKeys, ABurstUndoesTogetherExceptItsFirstMoveAndEndsAtTheNextChange) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 100, 100, 140, 140);
    for (int i = 0; i < 10; ++i) {
        c.nowMs += 100;
        c.Key(VyKey::kRight);
    }
    EXPECT_EQ(c.Region(box).left, D(150));
    // A change of another kind after the burst is an undo step of its own.
    c.core.Inflate();
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(box).left, D(150));
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(box).left, D(105));
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(box).left, D(100));
    c.core.RedoEditActionAndDrawAll();
    c.core.RedoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(box).left, D(150));
}

TEST(CanvasKeys, UndoRedoKeysAndTheShiftReleaseRule) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 100, 100, 140, 140);
    c.Key(VyKey::kZ, kCtrl);
    EXPECT_EQ(c.core.Group().GetCount(), 0u);
    c.Key(VyKey::kZ, kCtrlShift);
    EXPECT_EQ(c.core.Group().GetCount(), 1u);
    c.Key(VyKey::kZ, kCtrl);
    c.Key(VyKey::kY, kCtrl);
    EXPECT_EQ(c.core.Group().GetCount(), 1u);

    // Ctrl+Z right after the Shift of a Ctrl+Shift+Z chord came up: no undo.
    c.core.OnShiftReleased();
    c.nowMs += 300;
    EXPECT_TRUE(c.Key(VyKey::kZ, kCtrl));
    EXPECT_EQ(c.core.Group().GetCount(), 1u);
    c.nowMs += 300;
    c.Key(VyKey::kZ, kCtrl);
    EXPECT_EQ(c.core.Group().GetCount(), 0u);
    EXPECT_EQ(c.core.GetMouseState(), kMouseIdle);
    EXPECT_EQ(c.core.Group().GetByObjUid(box), nullptr);
    EXPECT_FALSE(c.Key(VyKey::kOther, kCtrl));
}

TEST(CanvasCommands, CopyThenPasteTwiceGivesTwoNewObjectsAtTheTopLeft) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 100, 100, 140, 130);
    c.Key(VyKey::kC, kCtrl);
    c.Key(VyKey::kV, kCtrl);
    c.Key(VyKey::kV, kCtrl);
    EXPECT_EQ(c.core.Group().GetCount(), 3u);
    EXPECT_EQ(c.Region(a + 1), (VyRect{0, 0, D(40), D(30)}));
    EXPECT_EQ(c.Region(a + 2), (VyRect{0, 0, D(40), D(30)}));
    EXPECT_EQ(c.core.Selection().GetChiefUid(), a + 2);
    EXPECT_EQ(c.LastAction(), "create[kind:2] 2 0,0,400000,300000 *");

    // Several objects paste as one action and become the selection; cut
    // removes them from the drawing.
    c.core.SelectAll();
    c.Key(VyKey::kX, kCtrl);
    EXPECT_EQ(c.core.Group().GetCount(), 0u);
    c.Key(VyKey::kV, kCtrl);
    EXPECT_EQ(c.LastAction(), "create_multi  *");
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 3);
    EXPECT_EQ(c.Region(3), (VyRect{D(100), D(100), D(140), D(130)}));
    EXPECT_EQ(c.Region(4), (VyRect{0, 0, D(40), D(30)}));
}

TEST(CanvasCommands, TabBrowsesTheObjectsNearTheAnchor) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 10, 10, 30, 30);
    const int32_t b = c.Draw(kToolBox, 40, 10, 60, 30);
    const int32_t far = c.Draw(kToolBox, 200, 200, 220, 220);
    const int32_t d = c.Draw(kToolBox, 10, 40, 30, 60);
    c.Deselect();
    EXPECT_FALSE(c.Key(VyKey::kTab));
    c.Click(20, 20);
    ASSERT_EQ(c.core.GetTabAnchor(), a);
    EXPECT_TRUE(c.Key(VyKey::kTab));
    EXPECT_EQ(c.core.Selection().GetChiefUid(), b);
    c.Key(VyKey::kTab);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), d);
    c.Key(VyKey::kTab);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), a);

    // Alone in its neighbourhood, the anchor selects itself.
    c.Deselect();
    c.Click(210, 210);
    EXPECT_EQ(c.core.OnTab(), 1);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), far);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 1);
}

TEST(CanvasCommands, LayoutCentringAndInflating) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 10, 10, 50, 30);
    c.core.HCenter();
    EXPECT_EQ(c.Region(box), (VyRect{1399999, D(10), 1799999, D(30)}));
    c.core.VCenter();
    EXPECT_EQ(c.Region(box), (VyRect{1399999, 1099999, 1799999, 1299999}));
    c.core.FullLayout();
    EXPECT_EQ(c.Region(box), (VyRect{0, 0, 3199999, 2399999}));

    const int32_t line = c.Draw(kToolLine, 50, 30, 10, 10);
    c.core.Inflate();
    EXPECT_EQ(c.Region(line), (VyRect{D(51), D(31), D(9), D(9)}));
    c.core.Deflate();
    c.core.Deflate();
    EXPECT_EQ(c.Region(line), (VyRect{D(49), D(29), D(11), D(11)}));
    c.core.HVCenter();
    EXPECT_EQ(c.Region(line), (VyRect{1789999, 1289999, 1409999, 1109999}));
}

TEST(CanvasCommands, TheRightAngleCommandLevelsALine) {
    CanvasDriver c;
    const int32_t flat = c.Draw(kToolLine, 10, 10, 50, 20);
    c.core.LetRightAngleOneSel();
    EXPECT_EQ(c.Region(flat), (VyRect{D(10), D(15), D(50), D(15)}));
    const size_t actions = c.Actions();
    c.core.LetRightAngleOneSel();
    EXPECT_EQ(c.Actions(), actions);
    const int32_t steep = c.Draw(kToolLine, 10, 10, 20, 50);
    c.core.LetRightAngleOneSel();
    EXPECT_EQ(c.Region(steep), (VyRect{D(15), D(10), D(15), D(50)}));
}

TEST(CanvasCommands, ARepairPreviewsWithoutRecordingAndRecordsAtTheEnd) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 10, 10, 50, 30);
    const size_t actions = c.Actions();
    const int lcd = c.host.lcdRequests;
    c.core.TypicalRepair(CVylObjectRepairAction::Text(kKeyDotSize, "2"), 1);
    EXPECT_EQ(c.Actions(), actions);
    EXPECT_EQ(c.core.Group().GetByObjUid(box)->Unique().GetString(kKeyDotSize), "2");
    EXPECT_EQ(c.host.lcdRequests, lcd + 1);
    c.core.TypicalRepair(CVylObjectRepairAction::Text(kKeyDotSize, "3"), 0);
    EXPECT_EQ(c.LastAction(), "repair[dot_size] 0 0,0,0,0 *");
    EXPECT_EQ(c.core.Group().GetByObjUid(box)->Unique().GetString(kKeyDotSize), "3");

    c.Draw(kToolBox, 100, 10, 150, 30);
    c.core.SelectAll();
    c.core.TypicalRepair(CVylObjectRepairAction::Text(kKeyColorSwitch, "0"), 0);
    EXPECT_EQ(c.LastAction(), "repair_multi 0/1 *");

    c.Deselect();
    c.core.TypicalRepair(CVylObjectRepairAction::Text(kKeyColorSwitch, "1"), 0);
    EXPECT_EQ(c.LastAction(), "repair_multi 0/1 *");
}

TEST(CanvasCommands, UndoClearsTheSelectionRedoKeepsIt) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 10, 10, 50, 30);
    c.Draw(kToolBox, 60, 10, 90, 30);
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 0);
    Select(c, {a});
    c.core.RedoEditActionAndDrawAll();
    EXPECT_EQ(c.core.Selection().GetChiefUid(), a);
    EXPECT_EQ(c.core.GetMouseState(), kMouseSelected);
    c.core.RemoveEveryData();
    EXPECT_EQ(c.Actions(), 0u);
    EXPECT_EQ(c.core.Group().GetCount(), 0u);
    EXPECT_EQ(c.core.History().GetObjectCounter(), 0);
}

TEST(CanvasCommands, DeletingAJoinedLineUndoesWithItsJointInOneStep) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolLine, 10, 10, 50, 30);
    const int32_t b = c.Draw(kToolLine, 50, 30, 90, 10);
    Select(c, {a, b});
    ASSERT_EQ(JoinNearestEndPoints(c.core.History(), c.core.Group(), c.core.Selection()),
              VyJoinResult::kJoined);
    c.core.Rebuild();
    Select(c, {a});
    c.Key(VyKey::kDelete);
    EXPECT_EQ(c.core.Group().GetByObjUid(a), nullptr);
    EXPECT_TRUE(c.core.Group().GetLinkers().empty());
    EXPECT_EQ(c.core.GetMouseState(), kMouseIdle);

    c.core.UndoEditActionAndDrawAll();
    EXPECT_NE(c.core.Group().GetByObjUid(a), nullptr);
    EXPECT_TRUE(c.core.Group().GetLinkerOfPoint("0|4"));
    EXPECT_TRUE(c.core.Group().GetLinkerOfPoint("1|1"));
}

class CanvasAlign : public ::testing::Test {
  protected:
    void SetUp() override {
        reference = c.Draw(kToolBox, 100, 100, 150, 130);
        small = c.Draw(kToolBox, 10, 50, 40, 60);
        reversed = c.Draw(kToolBox, 240, 200, 200, 160);
        Select(c, {reference, small, reversed});
        before = c.Actions();
    }
    void Align(std::string_view mode) {
        c.core.Align(mode);
        c.core.OnAgain(1, 1, 0, 0, 0, 0);
    }

    CanvasDriver c;
    int32_t reference = 0;
    int32_t small = 0;
    int32_t reversed = 0;
    size_t before = 0;
};

TEST_F(CanvasAlign, EdgesGoToTheReferenceAndTheWholeAlignmentUndoesAtOnce) {
    Align("left");
    EXPECT_EQ(c.Region(small), (VyRect{D(100), D(50), D(130), D(60)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(140), D(200), D(100), D(160)}));
    EXPECT_EQ(c.Region(reference), (VyRect{D(100), D(100), D(150), D(130)}));
    // The reference is where it must be: only the other two are recorded.
    ASSERT_EQ(c.Actions(), before + 2);
    EXPECT_EQ(c.LastAction().find("<SW>"), std::string::npos);
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(small), (VyRect{D(10), D(50), D(40), D(60)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(240), D(200), D(200), D(160)}));

    Select(c, {reference, small, reversed});
    Align("right");
    EXPECT_EQ(c.Region(small), (VyRect{D(120), D(50), D(150), D(60)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(150), D(200), D(110), D(160)}));
    Align("top");
    EXPECT_EQ(c.Region(small), (VyRect{D(120), D(100), D(150), D(110)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(150), D(140), D(110), D(100)}));
    Align("bottom");
    EXPECT_EQ(c.Region(small), (VyRect{D(120), D(120), D(150), D(130)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(150), D(130), D(110), D(90)}));
}

TEST_F(CanvasAlign, SizesFollowTheReferenceMovingTheFarEdge) {
    Align("width");
    EXPECT_EQ(c.Region(small), (VyRect{D(10), D(50), D(60), D(60)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(250), D(200), D(200), D(160)}));
    Align("height");
    EXPECT_EQ(c.Region(small), (VyRect{D(10), D(50), D(60), D(80)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(250), D(190), D(200), D(160)}));
    c.core.UndoEditActionAndDrawAll();
    Select(c, {reference, small, reversed});
    Align("size");
    EXPECT_EQ(c.Region(small), (VyRect{D(10), D(50), D(60), D(80)}));
}

TEST_F(CanvasAlign, EvenSpacingKeepsTheEndsAndDirections) {
    Align("horiz_gap");
    // From 10 to 240, 120 dots of objects, 55-dot gaps.
    EXPECT_EQ(c.Region(small), (VyRect{D(10), D(50), D(40), D(60)}));
    EXPECT_EQ(c.Region(reference), (VyRect{D(95), D(100), D(145), D(130)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(240), D(200), D(200), D(160)}));
    // Already even: nothing moves.
    Align("horiz_gap");
    EXPECT_EQ(c.Region(reference), (VyRect{D(95), D(100), D(145), D(130)}));
    Align("vert_gap");
    // From 50 to 200, 80 dots of objects, 35-dot gaps.
    EXPECT_EQ(c.Region(small), (VyRect{D(10), D(50), D(40), D(60)}));
    EXPECT_EQ(c.Region(reference), (VyRect{D(95), D(95), D(145), D(125)}));
    EXPECT_EQ(c.Region(reversed), (VyRect{D(240), D(200), D(200), D(160)}));

    // Fewer than two objects: nothing.
    Select(c, {small});
    const size_t actions = c.Actions();
    Align("left");
    EXPECT_EQ(c.Actions(), actions);
}

TEST(CanvasCommands, RegionBoxesMoveOneEdgeAndStayOnTheLcd) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 10, 20, 20, 40);
    // A box from 10 to 19 dots wide reads width 10.
    ASSERT_EQ(c.core.ChangeRegionBox("right", 19), 1);
    EXPECT_EQ(c.LastAction(), "cre_resize 0 100000,200000,190000,400000 *");
    EXPECT_EQ(c.core.ChangeRegionBox("right", 500), 1);
    EXPECT_EQ(c.Region(box).right, D(319));
    c.core.ChangeRegionBox("width", 500);
    EXPECT_EQ(c.Region(box).right, D(509));
    c.core.ChangeRegionBox("left", 600);
    EXPECT_EQ(c.Region(box).left, D(319));
    c.core.ChangeRegionBox("left", -5);
    EXPECT_EQ(c.Region(box).left, 0);
    c.core.ChangeRegionBox("bottom", 5);
    EXPECT_EQ(c.Region(box).bottom, D(20));
    c.core.ChangeRegionBox("height", 30);
    EXPECT_EQ(c.Region(box).bottom, D(49));
    c.core.ChangeRegionBox("top", 300);
    EXPECT_EQ(c.Region(box).top, D(49));

    // A line drawn backwards keeps its direction.
    const int32_t line = c.Draw(kToolLine, 50, 10, 20, 30);
    c.core.ChangeRegionBox("left", 5);
    EXPECT_EQ(c.Region(line), (VyRect{D(50), D(10), D(5), D(30)}));
    c.core.ChangeRegionBox("bottom", 100);
    EXPECT_EQ(c.Region(line), (VyRect{D(50), D(10), D(5), D(100)}));

    // Several selected, or an unknown box: nothing.
    c.core.SelectAll();
    const size_t actions = c.Actions();
    EXPECT_EQ(c.core.ChangeRegionBox("left", 1), 0);
    Select(c, {line});
    EXPECT_EQ(c.core.ChangeRegionBox("middle", 1), 0);
    EXPECT_EQ(c.Actions(), actions);
}

TEST(CanvasCommands, TypingAndPicturesChangeTheChief) {
    CanvasDriver c;
    c.Draw(kToolText, 10, 10, 100, 40);
    c.core.TypeText("a");
    c.nowMs += 100;
    c.core.TypeText("ab");
    EXPECT_EQ(c.LastAction(), "repair[text_content] 0 0,0,0,0 *");
    EXPECT_EQ(c.Actions(), 3u);
    c.nowMs += 500;
    c.core.TypeText("abc");
    EXPECT_EQ(c.Actions(), 4u);
    EXPECT_EQ(c.core.Group().GetByObjUid(0)->Unique().GetString(kKeyTextContent), "abc");

    const int32_t bitmap = c.Draw(kToolBitmap, 50, 50, 60, 60);
    EXPECT_EQ(c.core.ResizeChiefToPicture(), 0);
    VyRaster raster = MakeRaster(60, 240, 1);
    raster.palette = {0xFF000000, 0xFFFFFFFF};
    c.core.RepairChief(
        CVylObjectRepairAction::Bytes(kKeyBmpBin, CRevolver::FromBytes(EncodeBmp(raster))));
    EXPECT_EQ(c.core.ResizeChiefToPicture(), 1);
    EXPECT_EQ(c.Region(bitmap), (VyRect{D(50), D(50), D(109), D(289)}));

    // Nothing selected: typing records nothing.
    c.Deselect();
    const size_t actions = c.Actions();
    c.core.TypeText("x");
    EXPECT_EQ(c.Actions(), actions);
}

TEST(CanvasSpacing, ObjectsMovingFartherThanTheirWidthKeepTheirSize) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 0, 0, 10, 10);
    const int32_t b = c.Draw(kToolBox, 12, 0, 22, 10);
    const int32_t d = c.Draw(kToolBox, 110, 30, 100, 20);
    Select(c, {a, b, d});
    c.core.Align("horiz_gap");
    c.core.OnAgain(1, 1, 0, 0, 0, 0);
    // From 0 to 110, 30 dots of objects, 40-dot gaps.
    EXPECT_EQ(c.Region(b), (VyRect{D(50), 0, D(60), D(10)}));
    EXPECT_EQ(c.Region(d), (VyRect{D(110), D(30), D(100), D(20)}));
    Select(c, {a, b, d});
    c.core.Align("vert_gap");
    c.core.OnAgain(1, 1, 0, 0, 0, 0);
    EXPECT_EQ(c.Region(d), (VyRect{D(110), D(30), D(100), D(20)}));
    EXPECT_EQ(c.Region(b), (VyRect{D(50), D(10), D(60), D(20)}));
}

}  // namespace
