// The main window: its commands and their keys, the first-run guide, the
// window's place kept between runs and the view scale.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolBar>

#include "app/settings/window_state.h"
#include "app/studio/guide_window.h"
#include "app/studio/view_scale.h"
#include "editor/document/profile_file.h"
#include "tests/app/studio/studio_fixture.h"
#include "tests/support/pty_pair.h"

class StudioWindow : public StudioFixture {};

TEST_F(StudioWindow, CommandsFollowTheDrawing) {
    StartWindow();
    MakeRoomy();
    EXPECT_TRUE(
        window->windowTitle().startsWith(QStringLiteral("제목 없음[*] - VYLCD 스튜디오 v1.")))
        << window->windowTitle().toStdString();
    const auto enabled = [this](const char* name) {
        window->UpdateCommands();
        return window->Command(QString::fromLatin1(name))->isEnabled();
    };
    EXPECT_FALSE(enabled("edit_undo"));
    EXPECT_FALSE(enabled("file_save"));
    EXPECT_FALSE(enabled("edit_copy"));
    const int32_t uid = DrawBox();
    EXPECT_TRUE(enabled("edit_undo"));
    EXPECT_TRUE(enabled("file_save"));
    EXPECT_FALSE(enabled("edit_paste"));
    Core().Selection().SetMultiSelection(VyUidSet{uid}, true);
    Core().Selection().EnsureChiefSel(uid);
    EXPECT_TRUE(enabled("edit_copy"));
    EXPECT_TRUE(enabled("file_template_save"));
    Trigger("edit_copy");
    EXPECT_TRUE(enabled("edit_paste"));
    Trigger("edit_undo");
    EXPECT_EQ(Core().Group().GetCount(), 0u);
    EXPECT_TRUE(enabled("edit_redo"));
}

TEST_F(StudioWindow, CanvasKeysAfterAClickAndWindowKeysEverywhere) {
    StartWindow();
    MakeRoomy();
    CVylCanvas* canvas = &window->View().Canvas();
    // Keyboard focus somewhere else in the window first.
    auto* box = window->findChild<QLineEdit*>();
    ASSERT_NE(box, nullptr);
    box->setFocus();
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, Mouse().At(300, 230));
    EXPECT_EQ(QApplication::focusWidget(), canvas);
    QTest::keyClick(canvas, Qt::Key_B);
    EXPECT_EQ(Core().GetTool(), kToolBox);
    QTest::keyClick(canvas, Qt::Key_V);
    EXPECT_EQ(Core().GetTool(), kToolSelect);

    // The grid key works wherever the focus is, and the menu shows its state.
    const int grid = Core().Grid().GetGridInt("use_grid", 0);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Core().Grid().GetGridInt("use_grid", 0), grid != 0 ? 0 : 1);
    EXPECT_EQ(window->Command(QStringLiteral("tool_grid"))->isChecked(), grid == 0);

    DrawBox();
    savePath = QString::fromStdString(root.File("keys.vyd"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(Exists(savePath.toStdString()));
    QTest::keyClick(box, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Core().Group().GetCount(), 0u);
    openPath = savePath;
    QTest::keyClick(box, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Core().Group().GetCount(), 1u);
    const int64_t commands = VirtualModuleCommands(Link());
    QTest::keyClick(box, Qt::Key_F5);
    ASSERT_TRUE(WaitLinkIdle(Link()));
    EXPECT_GT(VirtualModuleCommands(Link()), commands) << "F5 sends the drawing again";
}

TEST_F(StudioWindow, GuideShowsOnTheFirstRunOnly) {
    StartWindow();
    window->OnStartupTick();
    auto* guide = window->findChild<CGuideWindow*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    const QString manual = QString::fromStdString(folders->ManualTxtPath());
    EXPECT_EQ(guide->GuidePath(), manual);
    EXPECT_TRUE(guide->Text().toPlainText().contains(QStringLiteral("프로그램 소스 생성")));
    // In the studio's own window: no other program is asked.
    EXPECT_TRUE(manualsOpened.isEmpty());
    QFile text(manual);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(text.readAll()), guide->Text().toPlainText());

    window.reset();
    StartWindow();
    window->OnStartupTick();
    EXPECT_EQ(window->findChild<CGuideWindow*>(), nullptr);
    EXPECT_EQ(ReadRunCount(folders->PubIniPath()), 2);
}

TEST_F(StudioWindow, PlaceIsClampedAndKept) {
    const std::string pub = folders->PubIniPath();
    WriteWindowState(pub, {-50, 40, 100, 400});
    StartWindow();
    EXPECT_EQ(window->pos(), QPoint(0, 40));
    // The stored 100 is clamped to 330; the window's minimum then holds it at 400.
    EXPECT_EQ(window->width(), 400);
    EXPECT_EQ(window->height(), 400);

    window->move(20, 30);
    window->resize(640, 480);
    EXPECT_TRUE(window->close());
    const VyWindowState kept = ReadWindowState(pub, 1920, 1080);
    EXPECT_EQ(kept.x, 20);
    EXPECT_EQ(kept.y, 30);
    EXPECT_EQ(kept.cx, 640);
    EXPECT_EQ(kept.cy, 480);
}

TEST_F(StudioWindow, ViewScaleFitsTheCanvasToTheLcd) {
    StartWindow();
    window->OnViewScale(2);
    QApplication::processEvents();
    const CVylCanvas& canvas = window->View().Canvas();
    const QRect room = window->screen()->availableGeometry();
    // As tall as twice the LCD needs where the screen has the room, never
    // beyond it; the LCD shows at twice its size either way.
    EXPECT_TRUE(room.contains(window->frameGeometry()))
        << window->frameGeometry().height() << " in " << room.height();
    if (Core().Zoom().IsFit()) {
        EXPECT_EQ(canvas.height(), 530);
        EXPECT_GE(canvas.width(), 690);
    } else {
        // Too small a screen: the scale asked for, with scroll bars where
        // the LCD does not fit.
        EXPECT_EQ(Core().Zoom().GetScale(), 2);
        EXPECT_EQ(
            canvas.VerticalScrollBar()->isVisible() || canvas.HorizontalScrollBar()->isVisible(),
            canvas.height() < 530 || canvas.width() < 690);
    }
    window->View().Canvas().Refit();
    EXPECT_DOUBLE_EQ(Core().Fit().GetScale(), 2.0);
    const int wide = window->width();
    window->OnViewScale(1);
    QApplication::processEvents();
    EXPECT_EQ(canvas.height(), 290);
    EXPECT_TRUE(Core().Zoom().IsFit());
    EXPECT_EQ(window->width(), wide) << "the command never narrows the window";
}

TEST_F(StudioWindow, ZoomKeysWorkWhereverTheFocusIs) {
    StartWindow();
    MakeRoomy();
    auto* box = window->findChild<QLineEdit*>();
    ASSERT_NE(box, nullptr);
    box->setFocus();
    window->View().Canvas().Refit();
    const double fitted = Core().Fit().GetScale();
    QTest::keyClick(box, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(Core().Zoom().GetScale(), CVylCanvasZoom::ScaleAbove(fitted));
    QTest::keyClick(box, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(Core().Zoom().GetScale(), CVylCanvasZoom::ScaleAbove(fitted) + 1);
    QTest::keyClick(box, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Core().Zoom().GetScale(), CVylCanvasZoom::ScaleAbove(fitted));
    QTest::keyClick(box, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Core().Zoom().GetScale(), 1);
    // The status strip names the scale the canvas shows.
    const QString state = window->View().Editor().StatusStrip().StateText();
    EXPECT_TRUE(state.endsWith(QStringLiteral(" 100.00%"))) << state.toStdString();
    Trigger("view_zoom_fit");
    EXPECT_TRUE(Core().Zoom().IsFit());
    Trigger("view_module_preview");
    EXPECT_TRUE(Core().IsModulePreview());
    EXPECT_TRUE(window->Command(QStringLiteral("view_module_preview"))->isChecked());
    Trigger("view_module_preview");
    EXPECT_FALSE(Core().IsModulePreview());
    EXPECT_EQ(box->text(), QString()) << "the keys never reach the box";
}

TEST(ViewScale, TheLargestWholeScaleTheRoomAllows) {
    const QSize window(800, 700);
    const QSize canvas(600, 400);  // 200 wide and 300 high around it
    const QSize lcd(320, 240);
    EXPECT_EQ(WindowSizeForScale(2, window, canvas, lcd), QSize(890, 830));
    EXPECT_EQ(WindowSizeForScale(1, window, canvas, lcd), QSize(800, 590)) << "never narrower";
    EXPECT_EQ(LargestScaleThatFits(window, canvas, lcd, QSize(1400, 1000), 4), 2);
    EXPECT_EQ(LargestScaleThatFits(window, canvas, lcd, QSize(1920, 1100), 4), 3);
    EXPECT_EQ(LargestScaleThatFits(window, canvas, lcd, QSize(3840, 2100), 4), 4);
    EXPECT_EQ(LargestScaleThatFits(window, canvas, lcd, QSize(800, 600), 4), 0);
}

TEST_F(StudioWindow, FirstStartDrawsOnTheVirtualModuleUntilAPortIsChosen) {
    StartWindow();
    CVylMSCommConfig settings;
    ASSERT_TRUE(settings.LoadSettings(folders->CommCfgPath()));
    EXPECT_EQ(settings.GetString("device"), "virtual");
    window->LcdDock().Refresh();
    EXPECT_EQ(window->LcdDock().PortText(), QStringLiteral("가상 LCD"));
    window.reset();

    PtyPair module;
    settings.SetString("device", module.SlavePath());
    ASSERT_TRUE(settings.SaveSettings(folders->CommCfgPath()));
    StartWindow();
    window->LcdDock().Refresh();
    EXPECT_TRUE(window->LcdDock().PortText().contains(QString::fromStdString(module.SlavePath())))
        << window->LcdDock().PortText().toStdString();
}

TEST_F(StudioWindow, LcdScreenIsSavedAsAPicture) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    pngExport = {QString::fromStdString(root.File("screen.png")), 3};
    Trigger("file_export_png");
    QImage picture(pngExport.path);
    ASSERT_EQ(picture.size(), QSize(960, 720));
    // The box's top edge at (130, 105) and its inside at (130, 115).
    EXPECT_EQ(qGray(picture.pixel(130 * 3 + 1, 105 * 3 + 1)), 0);
    EXPECT_EQ(qGray(picture.pixel(130 * 3 + 1, 115 * 3 + 1)), 255);
    EXPECT_TRUE(window->View().MessageLine().Text().contains(pngExport.path));

    pngExport = {QString::fromStdString(root.File("missing/folder/screen.png")), 1};
    Trigger("file_export_png");
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices.first().contains(QStringLiteral("PNG 파일을 저장할 수 없습니다")));
}

TEST_F(StudioWindow, SendingOnlyChangesIsAnOptionKeptAcrossStartsAndF5SendsAll) {
    StartWindow();
    MakeRoomy();
    // Boxes side by side, none over another.
    int drawn = 0;
    const auto drawBox = [&] {
        const double left = 10 + 45 * drawn++;
        Mouse().Draw(kToolBox, left, 20, left + 30, 50);
    };
    QAction* option = window->Command(QStringLiteral("tool_send_changes"));
    ASSERT_NE(option, nullptr);
    EXPECT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked()) << "off by default: the whole screen each time";
    // The sample goes whole; then a box drawn on top goes whole too.
    ASSERT_TRUE(
        WaitFor([&] { return WaitLinkIdle(Link()) && !Link().Credits().IsUpdatePending(); }));
    int64_t before = VirtualModuleCommands(Link());
    drawBox();
    ASSERT_TRUE(WaitLinkIdle(Link()));
    const int64_t whole = VirtualModuleCommands(Link()) - before;
    ASSERT_GT(whole, 4);

    option->trigger();
    EXPECT_TRUE(Link().IsSendOnlyChanges());
    before = VirtualModuleCommands(Link());
    drawBox();
    ASSERT_TRUE(WaitLinkIdle(Link()));
    window->View().Canvas().OnTimer();
    ASSERT_TRUE(WaitLinkIdle(Link()));
    const int64_t changes = VirtualModuleCommands(Link()) - before;
    EXPECT_LT(changes, whole) << "the first update after the switch may go whole, no more";
    before = VirtualModuleCommands(Link());
    drawBox();
    ASSERT_TRUE(WaitLinkIdle(Link()));
    EXPECT_LE(VirtualModuleCommands(Link()) - before, 4) << "a box and its state commands";
    EXPECT_LT(VirtualModuleCommands(Link()) - before, whole);
    const CVylLcdFrame partly = VirtualModuleScreen(Link());

    before = VirtualModuleCommands(Link());
    Trigger("tool_resend");
    ASSERT_TRUE(WaitLinkIdle(Link()));
    EXPECT_GT(VirtualModuleCommands(Link()) - before, whole) << "F5 sends the whole screen";
    EXPECT_TRUE(VirtualModuleScreen(Link()) == partly);

    window.reset();
    StartWindow();
    EXPECT_TRUE(window->Command(QStringLiteral("tool_send_changes"))->isChecked());
    EXPECT_TRUE(Link().IsSendOnlyChanges());
}

// Select all and Delete from the menu and their keys wherever the focus
// is, except in an edit box, which keeps the keys for its own text.
TEST_F(StudioWindow, SelectAllAndDeleteWorkUnlessAnEditBoxHasTheKeys) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    Mouse().Draw(kToolBox, 200, 150, 240, 180);
    Core().Selection().RemoveAll();
    Core().SetMouseState(kMouseIdle);
    window->UpdateCommands();
    EXPECT_TRUE(window->Command(QStringLiteral("edit_select_all"))->isEnabled())
        << "select all is for when nothing is selected";
    const size_t objects = Core().Group().GetCount();
    ASSERT_GT(objects, 1u);

    // An edit box of the window's (the panels' boxes come and go with the
    // selection).
    auto* box = new QLineEdit(window.get());
    box->show();
    box->setFocus();
    box->setText(QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Core().Selection().GetEverySelCount(), 0) << "the box selected its own text";
    EXPECT_EQ(box->selectedText(), QStringLiteral("12"));

    QWidget* other = window->findChild<QToolBar*>();
    ASSERT_NE(other, nullptr);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setFocus();
    QTest::keyClick(other, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Core().Selection().GetEverySelCount(), static_cast<int32_t>(objects));
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(Core().Group().GetCount(), objects) << "Delete edits the box's text";
    EXPECT_EQ(box->text(), QStringLiteral("2"));
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Delete);
    EXPECT_EQ(Core().Group().GetCount(), 0u);
    Trigger("edit_undo");
    EXPECT_EQ(Core().Group().GetCount(), objects) << "one undo step brings them back";
}
