// Mouse gestures of the GUI-free canvas, checked on the edit history they
// record, the selection and the mouse state.
#include <gtest/gtest.h>

#include "editor/document/linker_actions.h"
#include "editor/document/profile_file.h"
#include "tests/support/canvas_driver.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr VyModifiers kShift{true, false};
constexpr VyModifiers kCtrl{false, true};

TEST(CanvasGestures, ADragCreatesAShortPressIsAClick) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 10, 10, 50, 30);
    EXPECT_EQ(c.Dump(),
              "create[kind:2] 0 100000,100000,200000,150000<SW>\r\n"
              "cre_resize 0 100000,100000,500000,300000 *");
    EXPECT_EQ(c.Region(box), (VyRect{D(10), D(10), D(50), D(30)}));
    EXPECT_EQ(c.core.Selection().GetChiefUid(), box);
    EXPECT_EQ(c.core.GetMouseState(), kMouseSelected);
    EXPECT_EQ(c.host.createdKinds, std::vector<int32_t>{kObjBox});
    // The release brings everything up to date.
    EXPECT_GT(c.host.lcdRequests, 0);
    EXPECT_GT(c.host.hexRefreshes, 0);

    // Less than 5 dots in both directions: no object.
    c.core.SetTool(kToolLine);
    c.Press(100, 100);
    c.MoveTo(104.5, 104.5);
    c.Release(104.5, 104.5);
    EXPECT_EQ(c.Actions(), 2u);
    EXPECT_EQ(c.core.GetMouseState(), kMouseIdle);

    // One undo takes the whole creation back.
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.core.Group().GetCount(), 0u);
}

TEST(CanvasGestures, TheReleaseSnapsToTheGridTheDragDoesNot) {
    CanvasDriver c;
    c.core.SetTool(kToolBox);
    c.Press(11, 12);
    c.MoveTo(33.5, 21.5);
    EXPECT_EQ(c.Region(0), (VyRect{D(11), D(12), D(33.5), D(21.5)}));
    c.Release(33.5, 21.5);
    EXPECT_EQ(c.Region(0), (VyRect{D(10), D(10), D(35), D(20)}));

    c.core.Grid().SetGridInt("grid_size", 20);
    c.Press(49, 51);
    c.MoveTo(91, 110);
    c.Release(91, 110);
    // 49 and 51 are within 9 dots of 40 and 60; 91 is 11 dots from 80 and
    // 9 from 100; 110 is 10 from both lines.
    EXPECT_EQ(c.Region(1), (VyRect{D(40), D(60), D(100), D(110)}));
}

TEST(CanvasGestures, CtrlSquaresAndTurnsLinesToRightAnglesShiftCentres) {
    CanvasDriver c;
    const int32_t square = c.Draw(kToolEllipse, 100, 100, 130, 115, kCtrl);
    EXPECT_EQ(c.Region(square), (VyRect{D(100), D(100), D(130), D(130)}));
    const int32_t upLeft = c.Draw(kToolFilledBox, 100, 100, 90, 60, kCtrl);
    EXPECT_EQ(c.Region(upLeft), (VyRect{D(100), D(100), D(60), D(60)}));

    const int32_t flat = c.Draw(kToolLine, 10, 10, 60, 25, kCtrl);
    EXPECT_EQ(c.Region(flat), (VyRect{D(10), D(10), D(60), D(10)}));
    const int32_t diagonal = c.Draw(kToolLine, 10, 10, 50, 40, kCtrl);
    EXPECT_EQ(c.Region(diagonal), (VyRect{D(10), D(10), D(50), D(50)}));
    const int32_t steep = c.Draw(kToolLine, 10, 100, 20, 40, kCtrl);
    EXPECT_EQ(c.Region(steep), (VyRect{D(10), D(100), D(10), D(40)}));

    const int32_t centred = c.Draw(kToolBox, 100, 100, 130, 120, kShift);
    EXPECT_EQ(c.Region(centred), (VyRect{D(70), D(80), D(130), D(120)}));
}

TEST(CanvasGestures, ALineKeepsTheDirectionItWasDrawnIn) {
    CanvasDriver c;
    const int32_t line = c.Draw(kToolLine, 200, 150, 100, 50);
    EXPECT_EQ(c.Region(line), (VyRect{D(200), D(150), D(100), D(50)}));
}

TEST(CanvasGestures, ResizingOneObjectByItsHandles) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 100, 100, 200, 150);
    // Over the right edge's middle handle, then dragged to the right.
    c.MoveTo(200, 125);
    EXPECT_EQ(c.core.GetMouseState(), kMouseOverResize);
    EXPECT_EQ(c.host.cursor, VyCanvasCursor::kSizeWe);
    c.Press(200, 125);
    c.MoveTo(230, 130);
    EXPECT_EQ(c.core.GetMouseState(), kMouseResizing);
    EXPECT_EQ(c.Region(box), (VyRect{D(100), D(100), D(230), D(150)}));
    c.Release(231, 130);
    EXPECT_EQ(c.LastAction(), "mod_resize 0 1000000,1000000,2300000,1500000 *");
    EXPECT_EQ(c.core.GetMouseState(), kMouseOverResize);

    // A reversed line: the end under the mouse is the one that moves.
    const int32_t line = c.Draw(kToolLine, 150, 200, 100, 180);
    c.MoveTo(100, 180);
    c.Press(100, 180);
    c.MoveTo(80, 170);
    c.Release(80, 170);
    EXPECT_EQ(c.Region(line), (VyRect{D(150), D(200), D(80), D(170)}));
}

TEST(CanvasGestures, ResizingAndMovingSeveralObjects) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 100, 100, 150, 150);
    const int32_t b = c.Draw(kToolFilledBox, 200, 100, 250, 150);
    c.core.SelectAll();
    // The bottom-right corner of the pair, pulled to double the width.
    c.MoveTo(250, 150);
    c.Press(250, 150);
    c.MoveTo(400, 150);
    c.Release(400, 150);
    EXPECT_EQ(c.LastAction(), "mod_resize_multi_one_corner 0/1 *");
    EXPECT_EQ(c.Region(a), (VyRect{D(100), D(100), D(200), D(150)}));
    EXPECT_EQ(c.Region(b), (VyRect{D(300), D(100), D(400), D(150)}));

    // The centre handle moves both.
    c.MoveTo(250, 125);
    ASSERT_EQ(c.core.GetMouseState(), kMouseOverMove);
    c.Press(250, 125);
    c.MoveTo(260, 131);
    c.MoveTo(262, 133);
    EXPECT_EQ(c.Region(a), (VyRect{D(112), D(108), D(212), D(158)}));
    c.Release(262, 133);
    EXPECT_EQ(c.LastAction(), "move_multi 0/1 *");
    EXPECT_EQ(c.Region(a), (VyRect{D(110), D(110), D(210), D(160)}));
    EXPECT_EQ(c.Region(b), (VyRect{D(310), D(110), D(410), D(160)}));
}

TEST(CanvasGestures, AMoveReleasedWhereItStartedRecordsNothing) {
    CanvasDriver c;
    const int32_t box = c.Draw(kToolBox, 100, 100, 140, 140);
    const size_t actions = c.Actions();
    c.MoveTo(120, 120);
    c.Press(120, 120);
    c.MoveTo(170, 190);
    c.MoveTo(120, 120);
    c.Release(120, 120);
    EXPECT_EQ(c.Actions(), actions);
    EXPECT_EQ(c.Region(box), (VyRect{D(100), D(100), D(140), D(140)}));

    c.MoveTo(120, 120);
    c.Press(120, 120);
    c.MoveTo(133, 121);
    c.Release(133, 121);
    EXPECT_EQ(c.LastAction(), "move_single 0 1150000,1000000,1550000,1400000 *");
}

TEST(CanvasGestures, JoinedLinesFollowAMoveAndOneUndoTakesItBack) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolLine, 100, 100, 150, 130);
    const int32_t b = c.Draw(kToolLine, 150, 130, 150, 190);
    c.core.Selection().SetMultiSelection({a, b}, false);
    c.core.Selection().EnsureChiefSel(a);
    ASSERT_EQ(JoinNearestEndPoints(c.core.History(), c.core.Group(), c.core.Selection()),
              VyJoinResult::kJoined);
    c.core.Rebuild();
    const size_t joined = c.Actions();

    // Only line a is dragged by its end handle; b's start follows, live and
    // in the history, snapped the same way.
    c.core.Selection().SetSingleSelection(a, true);
    c.MoveTo(150, 130);
    ASSERT_EQ(c.core.GetMouseState(), kMouseOverResize);
    c.Press(150, 130);
    c.MoveTo(171, 152);
    EXPECT_EQ(c.Region(b), (VyRect{D(171), D(152), D(150), D(190)}));
    c.Release(171, 152);
    EXPECT_EQ(c.Region(a), (VyRect{D(100), D(100), D(170), D(150)}));
    EXPECT_EQ(c.Region(b), (VyRect{D(170), D(150), D(150), D(190)}));
    EXPECT_EQ(c.Actions(), joined + 2);

    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Actions(), joined + 2);
    EXPECT_EQ(c.Region(a), (VyRect{D(100), D(100), D(150), D(130)}));
    EXPECT_EQ(c.Region(b), (VyRect{D(150), D(130), D(150), D(190)}));
}

// Two joined lines moved together, their joint already open: each moves
// once, and the joint closes on the moved chief.
TEST(CanvasGestures, JoinedLinesMovedTogetherMoveOnce) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolLine, 100, 100, 150, 130);
    const int32_t b = c.Draw(kToolLine, 150, 130, 150, 190);
    c.core.Selection().SetMultiSelection({a, b}, true);
    ASSERT_EQ(JoinNearestEndPoints(c.core.History(), c.core.Group(), c.core.Selection()),
              VyJoinResult::kJoined);
    c.core.History().AddEditAction(CVylEditAction::MoveSingle(b, {D(160), D(140), D(160), D(190)}));
    c.core.Rebuild();
    c.core.Selection().SetMultiSelection({a, b}, true);
    c.MoveTo(130, 145);
    ASSERT_EQ(c.core.GetMouseState(), kMouseOverMove);
    c.Press(130, 145);
    c.MoveTo(140, 155);
    c.Release(140, 155);
    EXPECT_EQ(c.Region(a), (VyRect{D(110), D(110), D(160), D(140)}));
    EXPECT_EQ(c.Region(b), (VyRect{D(160), D(140), D(170), D(200)}));
    // One undo takes the move and the follow-up back.
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Region(b), (VyRect{D(160), D(140), D(160), D(190)}));
}

TEST(CanvasGestures, AFrameSelectsWhatItHoldsShiftAddsToTheSelection) {
    CanvasDriver c;
    const int32_t a = c.Draw(kToolBox, 10, 10, 30, 30);
    const int32_t b = c.Draw(kToolBox, 100, 10, 130, 30);
    const int32_t far = c.Draw(kToolBox, 200, 200, 230, 230);
    c.Click(250, 100);
    EXPECT_EQ(c.core.GetMouseState(), kMouseIdle);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 0);

    c.MoveTo(5, 5);
    c.Press(5, 5);
    c.MoveTo(60, 40);
    EXPECT_EQ(c.core.GetMouseState(), kMouseFraming);
    c.MoveTo(150, 50);
    c.Release(150, 50);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 2);
    EXPECT_TRUE(c.core.Selection().IsUidSelected(a));
    EXPECT_TRUE(c.core.Selection().IsUidSelected(b));
    EXPECT_EQ(c.core.GetMouseState(), kMouseSelected);

    c.Click(215, 215, kShift);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 3);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), far);
    c.Click(20, 20);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 1);

    c.Drag(190, 190, 240, 240, kShift);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 2);
    EXPECT_TRUE(c.core.Selection().IsUidSelected(a));
    EXPECT_TRUE(c.core.Selection().IsUidSelected(far));
}

TEST(CanvasGestures, AClickCopiesThePickedObjectsAttributesToTheTool) {
    CanvasDriver c;
    c.core.ToolAttrs().SetString(kKeyDotSize, "3");
    const int32_t box = c.Draw(kToolBox, 10, 10, 30, 30);
    c.core.ToolAttrs().SetString(kKeyDotSize, "0");
    c.Deselect();
    c.Click(20, 20);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), box);
    EXPECT_EQ(c.core.ToolAttrs().GetString(kKeyDotSize), "3");
}

TEST(CanvasGestures, TheRightButtonOpensThePopupAndAViewOnlyCanvasIgnoresTheLeft) {
    CanvasDriver c;
    c.core.OnRButtonDown(CanvasDriver::Screen(5, 5));
    EXPECT_EQ(c.core.GetMouseState(), kMouseIdle);
    c.core.OnRButtonUp(CanvasDriver::Screen(5, 5));
    EXPECT_EQ(c.host.popups, 1);

    c.core.SetViewOnly(true);
    c.Draw(kToolBox, 10, 10, 50, 50);
    EXPECT_EQ(c.Actions(), 0u);
}

TEST(CanvasGestures, TextAndBitmapToolsStartEmpty) {
    CanvasDriver c;
    c.core.ToolAttrs().SetString(kKeyTextContent, "old");
    const int32_t text = c.Draw(kToolText, 10, 10, 100, 40);
    const int32_t bitmap = c.Draw(kToolBitmap, 10, 50, 100, 90);
    EXPECT_EQ(c.core.Group().GetByObjUid(text)->Unique().GetString(kKeyTextContent), "");
    EXPECT_TRUE(c.core.Group().GetByObjUid(bitmap)->Unique().Has(kKeyBmpBin));
    EXPECT_EQ(c.host.createdKinds, (std::vector<int32_t>{kObjText, kObjBitmap}));
}

TEST(CanvasTips, TheTabTipComesOnceAfterTwoQuickNearbyClicks) {
    VyTempFolder folder;
    CanvasDriver c;
    c.core.SetTextDataFolder(folder.Path());
    c.Draw(kToolBox, 10, 10, 30, 30);
    c.Draw(kToolBox, 40, 10, 60, 30);
    c.Draw(kToolBox, 200, 200, 220, 220);
    c.Click(20, 20);
    c.nowMs += 2000;
    c.Click(50, 20);  // too late
    c.nowMs += 100;
    c.Click(210, 210);  // too far
    c.nowMs += 100;
    EXPECT_TRUE(c.host.notices.empty());
    c.Click(20, 20);
    c.nowMs += 100;
    c.Click(50, 20);
    ASSERT_EQ(c.host.notices.size(), 1u);
    EXPECT_EQ(c.host.notices[0],
              "팁 : Tab 키를 누르면 근처에 있는 객체끼리 선택 전환할 수 있습니다.");
    c.nowMs += 100;
    c.Click(20, 20);
    EXPECT_EQ(c.host.notices.size(), 1u);
    EXPECT_EQ(ReadProfileString(folder.File("contexthelpshow.ini"), "gen", "tabbrowsing", ""), "1");
}

TEST(CanvasTips, CreationTipsComeWithTheThirdAndFourthRun) {
    VyTempFolder folder;
    std::vector<std::string> shown;
    for (int run = 1; run <= 5; ++run) {
        CanvasDriver c;
        c.core.SetTextDataFolder(folder.Path());
        c.Draw(kToolBox, 10, 10, 30, 30);
        c.Draw(kToolBox, 40, 10, 60, 30);
        EXPECT_LE(c.host.notices.size(), 1u);
        shown.insert(shown.end(), c.host.notices.begin(), c.host.notices.end());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "팁 : Ctrl키를 누른 상태로 객체를 생성하면 정방형으로 생성됩니다.",
                         "팁 : Shift키를 누른 상태로 객체를 생성하면 대칭형으로 생성됩니다."}));
    // Without a text data folder nothing is shown or written.
    CanvasDriver quiet;
    quiet.Draw(kToolBox, 10, 10, 30, 30);
    EXPECT_TRUE(quiet.host.notices.empty());
}

}  // namespace
