// The canvas widget driven by real mouse and key events on the offscreen
// platform, with the virtual module behind its link.
#include "editor/canvas/canvas_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include "editor/canvas/hex_pane.h"
#include "editor/canvas/notice.h"
#include "editor/link/serial_link.h"
#include "tests/support/canvas_widget_fixture.h"
#include "tests/support/virtual_link.h"

namespace {

TEST_F(CanvasWidget, ADragCreatesAndTheModuleFollows) {
    QSignalSpy created(canvas.get(), &CVylCanvas::objectCreated);
    QSignalSpy added(canvas.get(), &CVylCanvas::editActionAdded);
    Draw(kToolBox, 10, 10, 150, 70);
    EXPECT_EQ(Dump(),
              "create[kind:2] 0 100000,100000,450000,250000<SW>\r\n"
              "cre_resize 0 100000,100000,1500000,700000 *");
    ASSERT_EQ(created.count(), 1);
    EXPECT_EQ(created.at(0).at(0).toInt(), kObjBox);
    EXPECT_EQ(added.count(), 2);
    ASSERT_TRUE(WaitIdle());
    // Clear, three states and the box.
    EXPECT_EQ(Commands(), 5);
    const CVylLcdFrame frame = dynamic_cast<CVylVirtualSerialControl*>(link.Control())->GetFrame();
    EXPECT_TRUE(frame.GetDot(10, 10));
    EXPECT_TRUE(frame.GetDot(150, 40));
    EXPECT_FALSE(frame.GetDot(80, 40));

    // A short press is a click on empty ground: nothing selected.
    QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, At(250, 200));
    EXPECT_EQ(canvas->Core().Selection().GetEverySelCount(), 0);
    EXPECT_EQ(canvas->Core().History().GetCount(), 2u);
}

TEST_F(CanvasWidget, CtrlMakesSquaresAndRightAnglesShiftCentres) {
    canvas->Core().SetTool(kToolEllipse);
    Drag(canvas.get(), At(100, 100), At(130, 115), Qt::ControlModifier);
    EXPECT_EQ(canvas->Core().Group().GetRegion(0), (VyRect{1000000, 1000000, 1300000, 1300000}));
    canvas->Core().Selection().RemoveAll();
    canvas->Core().SetMouseState(kMouseIdle);
    canvas->Core().SetTool(kToolLine);
    Drag(canvas.get(), At(10, 10), At(50, 40), Qt::ControlModifier);
    EXPECT_EQ(canvas->Core().Group().GetRegion(1), (VyRect{100000, 100000, 500000, 500000}));
    canvas->Core().Selection().RemoveAll();
    canvas->Core().SetMouseState(kMouseIdle);
    canvas->Core().SetTool(kToolBox);
    Drag(canvas.get(), At(200, 100), At(230, 120), Qt::ShiftModifier);
    EXPECT_EQ(canvas->Core().Group().GetRegion(2), (VyRect{1700000, 800000, 2300000, 1200000}));
}

TEST_F(CanvasWidget, KeysMoveUndoBrowseAndPaste) {
    const int32_t a = Draw(kToolBox, 10, 10, 30, 30);
    canvas->Core().Selection().RemoveAll();
    canvas->Core().SetMouseState(kMouseIdle);
    const int32_t b = Draw(kToolBox, 40, 10, 60, 30);
    QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, At(200, 200));
    QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, At(20, 20));
    ASSERT_EQ(canvas->Core().Selection().GetChiefUid(), a);

    QTest::keyClick(canvas.get(), Qt::Key_Right);
    EXPECT_EQ(canvas->Core().Group().GetRegion(a).left, 150000);
    QTest::keyClick(canvas.get(), Qt::Key_Tab);
    EXPECT_EQ(canvas->Core().Selection().GetChiefUid(), b);
    QTest::keyClick(canvas.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(canvas->Core().Group().GetRegion(a).left, 100000);
    QTest::keyClick(canvas.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(canvas->Core().Group().GetRegion(a).left, 150000);

    QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, At(50, 20));
    QTest::keyClick(canvas.get(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(canvas.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(canvas.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(canvas->Core().Group().GetCount(), 4u);
    EXPECT_EQ(canvas->Core().Group().GetRegion(b + 1), (VyRect{0, 0, 200000, 200000}));
    EXPECT_EQ(canvas->Core().Group().GetRegion(b + 2), (VyRect{0, 0, 200000, 200000}));

    QTest::keyClick(canvas.get(), Qt::Key_Delete);
    EXPECT_EQ(canvas->Core().Group().GetCount(), 3u);
}

TEST_F(CanvasWidget, TheRightButtonAsksForThePopupAndTheMouseIsReported) {
    QSignalSpy popup(canvas.get(), &CVylCanvas::popupMenuRequested);
    QSignalSpy moved(canvas.get(), &CVylCanvas::mousePositionChanged);
    MoveTo(canvas.get(), At(5, 5), Qt::NoButton);
    QTest::mouseClick(canvas.get(), Qt::RightButton, Qt::NoModifier, At(5, 5));
    EXPECT_EQ(popup.count(), 1);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(popup.at(0).at(0).toPoint(), canvas->mapToGlobal(At(5, 5)));
}

TEST_F(CanvasWidget, TenEditsDuringATransferGiveOneMoreUpdate) {
    const int32_t box = Draw(kToolBox, 10, 10, 150, 70);
    ASSERT_TRUE(WaitIdle());
    const int64_t perUpdate = Commands();
    canvas->Core().Selection().SetSingleSelection(box, true);
    // The first starts a transfer; the others find the link busy.
    for (int i = 0; i < 10; ++i) {
        canvas->Core().OffsetMove(10000, 0);
    }
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Commands(), 2 * perUpdate);
    canvas->OnTimer();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Commands(), 3 * perUpdate);
    canvas->OnTimer();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Commands(), 3 * perUpdate);
    // The module shows the last position.
    const CVylLcdFrame frame = dynamic_cast<CVylVirtualSerialControl*>(link.Control())->GetFrame();
    EXPECT_TRUE(frame.GetDot(20, 10));
    EXPECT_FALSE(frame.GetDot(19, 10));
}

TEST_F(CanvasWidget, AClosedPortIsNoticedOnceAnOutage) {
    link.Finalize();
    const int32_t box = Draw(kToolBox, 10, 10, 150, 70);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0],
              QStringLiteral("알림: 포트가 열려있지 않아서 데이터를 LCD로 전송할 수 없습니다."));
    canvas->OnTimer();
    canvas->Core().Selection().SetSingleSelection(box, true);
    canvas->Core().OffsetMove(10000, 0);
    EXPECT_EQ(notices.size(), 1) << "the rest of the outage goes without a box";
    // Open again and closed again: a new outage.
    ASSERT_TRUE(link.OpenPort());
    canvas->Core().OffsetMove(10000, 0);
    ASSERT_TRUE(WaitIdle());
    link.Finalize();
    canvas->Core().OffsetMove(10000, 0);
    EXPECT_EQ(notices.size(), 2);
}

TEST_F(CanvasWidget, DestroyingTheCanvasUrgesTheLinkToStop) {
    link.Credits().ClearStopRequest();
    canvas.reset();
    EXPECT_TRUE(link.Credits().IsStopRequested());
}

TEST_F(CanvasWidget, TheHexPaneListsTheCommandBytesInTheirColours) {
    pane.resize(1400, 300);
    pane.show();
    Draw(kToolBox, 10, 10, 150, 70);
    const QString text = pane.toPlainText();
    const QString hex =
        QStringLiteral("1B 44 53 01 00 1B 4C 53 00 1B 53 43 01 1B 42 58 0A 00 0A 00 96 00 46 00");
    ASSERT_TRUE(text.startsWith(hex)) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("     .DS...LS..SC..BX......F.\n")))
        << text.toStdString();
    const auto colourAt = [this](int position) {
        QTextCursor cursor(pane.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    };
    EXPECT_EQ(colourAt(0), QColor(170, 70, 30));
    EXPECT_EQ(colourAt(3), QColor(70, 170, 30));
    EXPECT_EQ(colourAt(9), QColor(0, 0, 0));
    EXPECT_EQ(colourAt(15), QColor(170, 70, 30));
    EXPECT_EQ(colourAt(hex.size() + 6), QColor(120, 120, 130));

    // A second box makes more than 30 bytes: the pane shows the first 30,
    // from the top.
    pane.resize(200, 60);
    canvas->Core().Selection().RemoveAll();
    canvas->Core().SetMouseState(kMouseIdle);
    Draw(kToolBox, 10, 100, 150, 170);
    const QString cut = pane.toPlainText();
    EXPECT_EQ(cut.count(QRegularExpression(QStringLiteral("\\b[0-9A-F]{2}\\b"))), 30);
    EXPECT_EQ(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->minimum());
    EXPECT_GT(pane.verticalScrollBar()->maximum(), 0);
}

}  // namespace
