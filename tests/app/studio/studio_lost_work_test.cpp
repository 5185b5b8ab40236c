// Sequences in which the studio lost the user's work or ended, played with
// real events: what is typed or chosen reaches the drawing, the drawing is
// never replaced without a question, and pasting into a text box is safe.
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSlider>
#include <fstream>
#include <sstream>

#include "app/studio/message_line.h"
#include "editor/frame/grid_settings_window.h"
#include "editor/frame/lcd_options_dialog.h"
#include "editor/tree/code_page.h"
#include "tests/app/studio/studio_fixture.h"

class StudioLostWork : public StudioFixture {
  protected:
    CVyeEditor& Editor() { return window->View().Editor(); }
    QPlainTextEdit* TextBox() { return Editor().TextPanel().Content(); }
    std::string TextOf(int32_t uid) {
        const CVylObject* object = Core().Group().GetByObjUid(uid);
        return object == nullptr ? std::string("<none>")
                                 : object->Unique().GetString(kKeyTextContent);
    }
    void ClickAt(double x, double y) {
        QTest::mouseClick(&window->View().Canvas(), Qt::LeftButton, Qt::NoModifier,
                          Mouse().At(x, y));
    }
    // A file's bytes.
    static std::string Bytes(const QString& path) {
        std::ifstream in(path.toStdString(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void DropOnWindow(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        // The question comes once the drop is over.
        QCoreApplication::sendPostedEvents();
    }
    // Leaves a backup behind as an abnormal end would, and starts anew.
    void CrashWithUnsavedWork() {
        StartWindow();
        MakeRoomy();
        DrawBox();
        window->OnBackupTick();
        window->OnBackupTick();
        ASSERT_TRUE(Exists(folders->AutoBackupPath()));
        window->Document().SetModified(false);  // the process ends without a question
        window.reset();
    }

    int64_t now = 1000000;
};

// Qt's text control reads the first format of pasted data; the empty
// clipboard of an X11 desktop offers data without any and ended the studio.
TEST_F(StudioLostWork, PastingIntoATextBoxIsSafeAndPastesCopiedObjectsAsText) {
    StartWindow();
    MakeRoomy();
    const int32_t text = Mouse().Draw(kToolText, 110, 105, 200, 125);
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    QTest::keyClick(TextBox(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(TextBox()->toPlainText().isEmpty());
    EXPECT_EQ(TextOf(text), "");

    // Objects copied on the canvas reach the desktop's clipboard as their
    // commands, one a line.
    const int32_t box = Mouse().Draw(kToolBox, 110, 140, 160, 160);
    ASSERT_EQ(Core().Selection().GetChiefUid(), box);
    QTest::keyClick(&window->View().Canvas(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QStringLiteral("1B 42 58 00 00 00 00 32 00 14 00\n")))
        << copied.toStdString();
    ClickAt(150, 115);
    ASSERT_EQ(Core().Selection().GetChiefUid(), text);
    QTest::keyClick(TextBox(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(TextBox()->toPlainText(), copied);
    EXPECT_EQ(
        TextOf(text),
        Utf8ToCp949(
            QString(copied).replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString()));
}

// The box's text was compared with one text remembered for the whole
// program: typing the same into a second text went nowhere, and typing
// after an undo left the box and the object apart.
TEST_F(StudioLostWork, WhatTheTextBoxShowsIsWhatTheTextHolds) {
    StartWindow();
    MakeRoomy();
    Core().SetClock([this] { return now; });
    const int32_t a = Mouse().Draw(kToolText, 110, 105, 200, 115);
    QTest::keyClicks(TextBox(), QStringLiteral("1"));
    const int32_t b = Mouse().Draw(kToolText, 110, 160, 200, 170);
    QTest::keyClicks(TextBox(), QStringLiteral("1"));
    EXPECT_EQ(TextOf(a), "1");
    EXPECT_EQ(TextOf(b), "1");

    now += 1000;
    QTest::keyClicks(TextBox(), QStringLiteral("a"));
    now += 1000;
    QTest::keyClicks(TextBox(), QStringLiteral("b"));
    EXPECT_EQ(TextOf(b), "1ab");
    QTest::keyClick(TextBox(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TextOf(b), "1a");
    ClickAt(150, 165);
    ASSERT_EQ(Core().Selection().GetChiefUid(), b);
    EXPECT_EQ(TextBox()->toPlainText(), QStringLiteral("1a"));
    now += 1000;
    QTest::keyClicks(TextBox(), QStringLiteral("b"));
    EXPECT_EQ(TextBox()->toPlainText(), QStringLiteral("1ab"));
    EXPECT_EQ(TextOf(b), "1ab");
    // Redone, the box follows the object too.
    QTest::keyClick(TextBox(), Qt::Key_Z, Qt::ControlModifier);
    ClickAt(150, 165);
    QTest::keyClick(TextBox(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(TextOf(b), "1ab");
    EXPECT_EQ(TextBox()->toPlainText(), QStringLiteral("1ab"));
}

// A value typed into a region box and followed by Tab reaches the object it
// was typed for before Tab selects the neighbour; the box's timer later
// records nothing on the neighbour.
TEST_F(StudioLostWork, ARegionBoxValueFollowedByTabIsKept) {
    StartWindow();
    MakeRoomy();
    const int32_t left = Mouse().Draw(kToolBox, 110, 105, 130, 125);
    const int32_t right = Mouse().Draw(kToolBox, 140, 105, 160, 125);
    ClickAt(120, 115);
    ClickAt(150, 115);
    ClickAt(120, 115);
    ASSERT_EQ(Core().Selection().GetChiefUid(), left);
    QLineEdit* box = Editor().StatusStrip().RegionBox("width");
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("15"));
    const size_t actions = Core().History().GetCount();
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(Core().Group().GetRegion(left).Normalized().right, 124 * 10000);
    EXPECT_EQ(Core().Selection().GetChiefUid(), right);
    EXPECT_EQ(Core().History().GetCount(), actions + 1);
    Editor().StatusStrip().OnRegionTimer();
    EXPECT_EQ(Core().History().GetCount(), actions + 1);
    EXPECT_EQ(Core().Group().GetRegion(right).Normalized().right, 160 * 10000);
}

// The one-time dotted-circle notice opened during the slider's drag and took
// its release, and the value with it: it comes after the value is recorded.
TEST_F(StudioLostWork, TheDottedCircleNoticeComesAfterTheValueIsRecorded) {
    StartWindow();
    MakeRoomy();
    const int32_t ellipse = Mouse().Draw(kToolEllipse, 110, 105, 160, 128);
    QSlider* slider = Editor().ShapePanel().SpacingSlider();
    ASSERT_TRUE(slider->isEnabled());
    bool recordedFirst = false;
    int shown = 0;
    const VyNoticeSink previous = SetNoticeSink([&](const QString& text, const QString&, QWidget*) {
        ++shown;
        recordedFirst =
            !slider->isSliderDown() &&
            Core().History().GetAction(Core().History().GetCount() - 1).kind == kActRepair &&
            text.contains(QStringLiteral("점선"));
    });
    slider->setFocus();
    slider->setSliderDown(true);
    slider->setSliderPosition(6);
    slider->setSliderPosition(7);
    EXPECT_EQ(shown, 0);
    slider->setSliderDown(false);
    SetNoticeSink(previous);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(recordedFirst);
    EXPECT_EQ(Core().Group().GetByObjUid(ellipse)->Unique().GetString(kKeyDottedSpacing), "7");
}

// Enter in the brightness box pressed "적용" and sent the layer states too.
TEST_F(StudioLostWork, EnterInTheBrightnessBoxSendsTheBrightnessOnly) {
    StartWindow();
    ASSERT_TRUE(WaitLinkIdle(Link()));
    CDlgLcdOpt dialog(Link(), Core().DeviceContext(), window.get());
    dialog.show();
    const int64_t before = VirtualModuleCommands(Link());
    dialog.BrightnessBox()->setFocus();
    dialog.BrightnessBox()->selectAll();
    QTest::keyClicks(dialog.BrightnessBox(), QStringLiteral("450"));
    QTest::keyClick(dialog.BrightnessBox(), Qt::Key_Return);
    ASSERT_TRUE(WaitLinkIdle(Link()));
    EXPECT_EQ(VirtualModuleCommands(Link()), before + 1);
    EXPECT_TRUE(dialog.isVisible());
}

// A file dropped on the window replaced modified work without a question.
TEST_F(StudioLostWork, ADroppedFileAsksBeforeReplacingModifiedWork) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    const std::string history = History();
    saveAnswer = VySaveAnswer::kCancel;
    DropOnWindow(sample);
    EXPECT_EQ(saveAsks, 1);
    EXPECT_EQ(History(), history);
    saveAnswer = VySaveAnswer::kNo;
    DropOnWindow(sample);
    EXPECT_EQ(saveAsks, 2);
    EXPECT_NE(History(), history);
    EXPECT_EQ(window->Document().Path(), sample);
}

// The recovered work counted as saved: closing asked nothing and deleted the
// backup, so the work was gone for good.
TEST_F(StudioLostWork, RecoveredWorkIsUnsavedWorkUntilDecided) {
    CrashWithUnsavedWork();
    StartWindow();
    window->OnStartupTick();
    EXPECT_EQ(Core().Group().GetCount(), 1u);
    EXPECT_TRUE(window->Document().IsModified());
    EXPECT_TRUE(window->Document().Path().isEmpty());
    window->UpdateCommands();
    EXPECT_TRUE(window->Command(QStringLiteral("file_save"))->isEnabled());
    saveAnswer = VySaveAnswer::kCancel;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(Exists(folders->AutoBackupPath()));
    saveAnswer = VySaveAnswer::kNo;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(Exists(folders->AutoBackupPath()));
}

// The recovery replaced a project named on the command line but kept its
// path, and the next save wrote the recovered drawing over the user's file.
TEST_F(StudioLostWork, TheRecoveryNeverWritesOverTheFileNamedAtStart) {
    CrashWithUnsavedWork();
    const std::string original = Bytes(sample);
    StartWindow();
    window->OpenAtStart(sample);
    window->OnStartupTick();
    EXPECT_EQ(Core().Group().GetCount(), 1u);
    EXPECT_TRUE(window->Document().Path().isEmpty());
    EXPECT_TRUE(window->View().MessageLine().Text().contains(QStringLiteral("showcase.vyd")));
    savePath.clear();  // the save dialog is cancelled
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Bytes(sample), original);

    // Without anything to recover, the file opens at once.
    window->Document().SetModified(false);
    std::filesystem::remove(folders->AutoBackupPath());
    window->OpenAtStart(sample);
    EXPECT_EQ(window->Document().Path(), sample);
}

// 파일 > 종료 left the program running behind an open grid settings window.
TEST_F(StudioLostWork, ClosingTheMainWindowClosesTheGridWindow) {
    StartWindow();
    Trigger("tool_grid_settings");
    CDlgGridSettings* grid = window->findChild<CDlgGridSettings*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isVisible());
    Trigger("file_exit");
    EXPECT_FALSE(grid->isVisible());
    EXPECT_FALSE(window->isVisible());
}

// Opening the grid settings read grid.cfg again and took back a grid
// switched with Ctrl+R since.
TEST_F(StudioLostWork, TheGridWindowShowsTheGridInMemory) {
    StartWindow();
    CVylGridSystem stored;
    stored.SetGridInt("use_grid", 1);
    stored.SetGridInt("grid_size", 5);
    ASSERT_TRUE(stored.Save(folders->GridCfgPath()));
    Core().Grid().SetGridInt("use_grid", 1);
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(Core().Grid().GetGridInt("use_grid", 1), 0);
    Trigger("tool_grid_settings");
    CDlgGridSettings* grid = window->findChild<CDlgGridSettings*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_FALSE(grid->UseGrid()->isChecked());
    EXPECT_EQ(Core().Grid().GetGridInt("use_grid", 1), 0);
    grid->close();
}

// A value typed into a box of an unchanged document is work too: 새로 만들기
// asks about it instead of dropping it with the document.
TEST_F(StudioLostWork, ANewDocumentAsksAboutAValueStillBeingTyped) {
    StartWindow();
    MakeRoomy();
    ASSERT_TRUE(window->Document().Open(sample));
    const int32_t box = Mouse().Draw(kToolBox, 110, 140, 160, 160);
    window->Document().SetModified(false);
    QLineEdit* width = Editor().StatusStrip().RegionBox("width");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("33"));
    saveAnswer = VySaveAnswer::kCancel;
    QTest::keyClick(width, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(saveAsks, 1);
    ASSERT_NE(Core().Group().GetByObjUid(box), nullptr);
    const VyRect region = Core().Group().GetRegion(box).Normalized();
    EXPECT_EQ(region.right - region.left, 32 * 10000);
}
