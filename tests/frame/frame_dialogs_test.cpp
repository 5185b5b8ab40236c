// The editor's dialogs, the bitmap panel and the link's side of the status
// strip; the bytes that reach the module are read from a pseudo-terminal.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <atomic>
#include <chrono>
#include <fstream>

#include "editor/command/bitmap_source.h"
#include "editor/document/template_files.h"
#include "editor/frame/grid_settings_window.h"
#include "editor/frame/lcd_options_dialog.h"
#include "editor/frame/serial_settings_dialog.h"
#include "editor/frame/template_dialogs.h"
#include "editor/image/bmp_codec.h"
#include "editor/link/serial_port.h"
#include "tests/support/canvas_mouse.h"
#include "tests/support/claimed_pictures.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/hex.h"
#include "tests/support/pty_pair.h"
#include "tests/support/virtual_link.h"

namespace {

class LinkDialogs : public EditorFixture {
  protected:
    void SetUp() override { OpenEditor(module.SlavePath()); }
    // The next command on the line, answered with "K" (the answer is
    // taken on this thread's event loop).
    std::string NextCommand(size_t size) {
        const std::string bytes = module.ReadMaster(size, 3000);
        module.WriteMaster("K");
        EXPECT_TRUE(WaitLinkIdle(editor->Link()));
        return bytes;
    }

    PtyPair module;
};

TEST_F(LinkDialogs, LcdOptionsSendEachSettingAtOnce) {
    module.Drain(100);
    {
        CDlgLcdOpt dialog(editor->Link(), Core().DeviceContext());
        dialog.show();
        dialog.OnTimer();
        dialog.Backlight()->setCurrentIndex(0);
        EXPECT_EQ(module.Drain(50), "");
        dialog.BrightnessBox()->setText(QStringLiteral("450"));
        dialog.OnTimer();
        EXPECT_EQ(NextCommand(5), HexString("1B 56 45 C2 01"));
        dialog.OnTimer();
        dialog.OnApply();
        EXPECT_EQ(NextCommand(6), HexString("1B 50 4D 01 01 00"));
        dialog.Backlight()->setCurrentIndex(2);
        EXPECT_EQ(NextCommand(4), HexString("1B 42 4C 01"));
        dialog.Overlay()->setCurrentIndex(3);
        EXPECT_EQ(NextCommand(4), HexString("1B 4F 4D 02"));
    }
    // Opening and closing without touching anything sends nothing.
    {
        CDlgLcdOpt dialog(editor->Link(), Core().DeviceContext());
        dialog.show();
        dialog.OnTimer();
        dialog.OnTimer();
    }
    EXPECT_EQ(module.Drain(100), "");
}

// The box and the slider say the same; a typed value beyond the slider's
// range is never sent and ends as the range's nearest end.
TEST_F(LinkDialogs, TheBrightnessBoxKeepsToTheSlidersRange) {
    module.Drain(100);
    CDlgLcdOpt dialog(editor->Link(), Core().DeviceContext());
    dialog.show();
    EXPECT_EQ(dialog.BrightnessBox()->text(), QString::number(dialog.BrightnessSlider()->value()));
    QLineEdit* box = dialog.BrightnessBox();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("9999"));
    dialog.OnTimer();
    EXPECT_EQ(module.Drain(50), "") << "nothing is sent for 9999";
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), QStringLiteral("500"));
    EXPECT_EQ(dialog.BrightnessSlider()->value(), 500);
    dialog.OnTimer();
    EXPECT_EQ(NextCommand(5), HexString("1B 56 45 F4 01"));
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("350"));
    EXPECT_EQ(dialog.BrightnessSlider()->value(), 350) << "the slider follows the typing";
}

TEST_F(LinkDialogs, SerialSettingsApplyOpenFirstAndSave) {
    PtyPair other;
    CDlgSysOpt dialog(editor->Link(), CommPath(), Canvas(), nullptr, folder.Path());
    // COM1 to COM5, then the machine's devices (none in this folder), the
    // device in use, and the virtual module.
    EXPECT_EQ(dialog.PortList()->itemText(0), QStringLiteral("COM1"));
    EXPECT_EQ(dialog.PortList()->currentText(), QString::fromStdString(module.SlavePath()));
    EXPECT_EQ(dialog.PortList()->itemText(dialog.PortList()->count() - 1),
              QStringLiteral("가상 LCD"));
    EXPECT_EQ(dialog.BaudList()->currentText(), QStringLiteral("115200"));

    // A busy port keeps the dialog open and the file as it was.
    CVylSerialPort holder;
    ASSERT_EQ(holder.Open(other.SlavePath(), 19200), "");
    dialog.PortList()->addItem(QString::fromStdString(other.SlavePath()),
                               QString::fromStdString(other.SlavePath()));
    dialog.PortList()->setCurrentIndex(dialog.PortList()->count() - 1);
    dialog.OnApply();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(notices.size(), 1);
    CVylMSCommConfig saved;
    ASSERT_TRUE(saved.LoadSettings(CommPath()));
    EXPECT_EQ(saved.GetString("device"), module.SlavePath());

    // No rate chosen: refused before anything is tried.
    dialog.PortList()->setCurrentIndex(dialog.PortList()->count() - 2);
    dialog.BaudList()->setCurrentIndex(-1);
    dialog.OnApply();
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(dialog.result(), 0);

    // The virtual module at 9600: opened, saved, accepted.
    dialog.BaudList()->setCurrentIndex(dialog.BaudList()->findText(QStringLiteral("9600")));
    dialog.OnApply();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(saved.LoadSettings(CommPath()));
    EXPECT_EQ(saved.GetString("device"), "virtual");
    EXPECT_EQ(saved.GetBaudRate(), 9600);
    EXPECT_TRUE(editor->StatusStrip().StateText().startsWith(QStringLiteral("virtual: 9600")));

    // COM n clears the device.
    dialog.ConfigToCtrls(saved);
    CVylMSCommConfig chosen;
    chosen.SetString("device", "x");
    dialog.PortList()->setCurrentIndex(2);
    dialog.CtrlsToConfig(chosen);
    EXPECT_FALSE(chosen.Has("device"));
    EXPECT_EQ(chosen.GetPort(), 3);
}

TEST_F(LinkDialogs, TheStripWarnsOfASilentModuleOnce) {
    // Set before the transfer starts: its worker reads the clock.
    std::atomic<int64_t> offsetMs{0};
    editor->Link().Credits().SetClock(
        [&offsetMs] {
            return std::chrono::steady_clock::now() + std::chrono::milliseconds(offsetMs.load());
        },
        6100);
    Draw(kToolBox, 10, 10, 50, 50);
    ASSERT_FALSE(module.Drain(200).empty());
    CDlgGlobalStatus& status = editor->StatusStrip();
    status.OnTimer();
    EXPECT_TRUE(status.RefreshButton()->isEnabled());
    EXPECT_TRUE(status.NoAnswerText().isEmpty());
    // Silence beyond the no-answer time.
    offsetMs = 10000;
    QSignalSpy lines(&status, &CDlgGlobalStatus::messageLine);
    status.OnTimer();
    status.OnTimer();
    EXPECT_EQ(status.NoAnswerText(), QStringLiteral("LCD로부터 응답 없음"));
    EXPECT_TRUE(notices.isEmpty()) << "a module that said nothing is not of old firmware";
    // Said once while it lasts, so that other texts stay on the message line.
    ASSERT_EQ(lines.count(), 1);
    EXPECT_TRUE(lines.at(0).at(1).toString().startsWith(QStringLiteral("LCD 연결이 안 되었거나")));
    status.RefreshButton()->click();
    status.OnTimer();
    EXPECT_FALSE(status.RefreshButton()->isEnabled());
    EXPECT_TRUE(status.NoAnswerText().isEmpty());
    ASSERT_EQ(lines.count(), 2);
    EXPECT_TRUE(lines.at(1).at(1).toString().isEmpty());
}

class FrameDialogs : public EditorFixture {
  protected:
    void SetUp() override { OpenEditor(); }
    std::string Picture(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        const std::string path = folder.File("picture.png");
        image.save(QString::fromStdString(path));
        return path;
    }
    QSize LoadedSize(int32_t uid) {
        CRevolver bytes;
        Core().Group().GetByObjUid(uid)->Unique().GetBytes(kKeyBmpBin, &bytes);
        int32_t w = 0;
        int32_t h = 0;
        ReadBmpSize(bytes.View(), &w, &h);
        return {w, h};
    }
};

TEST_F(FrameDialogs, PicturesAreShrunkToTheLcdAndNeverEnlarged) {
    const int32_t bitmap = Draw(kToolBitmap, 10, 10, 100, 100);
    CDlgLocalBmp& panel = editor->BitmapPanel();
    panel.LoadPicture(QString::fromStdString(Picture(640, 480)));
    EXPECT_EQ(LoadedSize(bitmap), QSize(320, 240));
    panel.LoadPicture(QString::fromStdString(Picture(100, 400)));
    EXPECT_EQ(LoadedSize(bitmap), QSize(60, 240));
    panel.LoadPicture(QString::fromStdString(Picture(50, 50)));
    EXPECT_EQ(LoadedSize(bitmap), QSize(50, 50));
    EXPECT_TRUE(panel.RealSizeButton()->isEnabled());
    panel.RealSizeButton()->click();
    EXPECT_EQ(Core().Group().GetRegion(bitmap), (VyRect{100000, 100000, 590000, 590000}));

    // The file dialog goes through a chooser tests replace.
    const VyOpenFileChooser previous =
        CDlgLocalBmp::SetOpenFileChooser([this](QWidget*, const QString&, const QString& filter) {
            EXPECT_EQ(filter, QStringLiteral("지원되는 이미지 형식(*.bmp *.jpg *.gif *.png *.ico "
                                             "*.tif *.pcx);;모든 파일(*.*)"));
            return QString::fromStdString(Picture(640, 480));
        });
    panel.LoadButton()->click();
    EXPECT_EQ(LoadedSize(bitmap), QSize(320, 240));
    CDlgLocalBmp::SetOpenFileChooser(previous);

    const std::string junk = folder.File("junk.png");
    std::ofstream(junk) << "not a picture";
    const size_t actions = Core().History().GetCount();
    panel.LoadPicture(QString::fromStdString(junk));
    panel.LoadPicture(QString::fromStdString(folder.File("none")));
    EXPECT_EQ(notices, (QStringList{QStringLiteral("지원되는 이미지 형식이 아닙니다."),
                                    QStringLiteral("파일을 로드할 수 없습니다.")}));
    EXPECT_EQ(Core().History().GetCount(), actions);
}

TEST_F(FrameDialogs, PicturesTooLargeToReadNameTheLimit) {
    Draw(kToolBitmap, 10, 10, 100, 100);
    const std::string huge = folder.File("huge.png");
    std::ofstream(huge, std::ios::binary) << PngClaiming(20000, 20000);
    const size_t actions = Core().History().GetCount();
    editor->BitmapPanel().LoadPicture(QString::fromStdString(huge));
    EXPECT_EQ(
        notices,
        (QStringList{QStringLiteral("그림이 너무 큽니다: 20000 x 20000 화소. 불러올 수 있는 그림은 "
                                    "16384 x 16384 = 268,435,456 화소까지입니다.")}));
    EXPECT_EQ(Core().History().GetCount(), actions);
}

TEST_F(FrameDialogs, TheBitmapPanelChoosesTheReductionOneUndoStepEach) {
    const int32_t bitmap = Draw(kToolBitmap, 10, 10, 100, 100);
    QImage greys(64, 32, QImage::Format_RGB32);
    for (int y = 0; y < greys.height(); ++y) {
        for (int x = 0; x < greys.width(); ++x) {
            greys.setPixel(x, y, qRgb(x * 4, x * 4, y * 8));
        }
    }
    const std::string path = folder.File("greys.png");
    ASSERT_TRUE(greys.save(QString::fromStdString(path)));
    CDlgLocalBmp& panel = editor->BitmapPanel();
    panel.LoadPicture(QString::fromStdString(path));
    ASSERT_TRUE(notices.isEmpty());
    auto bits = [&] {
        CRevolver bytes;
        Core().Group().GetByObjUid(bitmap)->Unique().GetBytes(kKeyBmpBin, &bytes);
        return bytes.ToString();
    };
    auto reduction = [&] { return ReductionOf(Core().Group().GetByObjUid(bitmap)->Unique()); };
    const std::string nearer = bits();
    EXPECT_EQ(panel.DitherBox()->currentIndex(), 0);
    EXPECT_EQ(panel.LevelBox()->value(), 128);
    EXPECT_TRUE(panel.LevelBox()->isEnabled());
    EXPECT_FALSE(panel.InvertBox()->isChecked());

    // A level typed in is taken at Enter, as one change.
    const size_t before = Core().History().GetCount();
    panel.LevelBox()->setFocus();
    QTest::keyClick(panel.LevelBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(panel.LevelBox(), QStringLiteral("60"));
    EXPECT_EQ(Core().History().GetCount(), before) << "nothing while typing";
    QTest::keyClick(panel.LevelBox(), Qt::Key_Return);
    EXPECT_EQ(reduction(), (VyReduction{VyDither::kThreshold, 60, false}));
    const std::string level60 = bits();
    EXPECT_NE(level60, nearer);

    // The next method; it has no level to set.
    QTest::keyClick(panel.DitherBox(), Qt::Key_Down);
    EXPECT_EQ(reduction().dither, VyDither::kFloydSteinberg);
    EXPECT_FALSE(panel.LevelBox()->isEnabled());
    const std::string diffused = bits();
    QCheckBox* invert = panel.InvertBox();
    QTest::mouseClick(invert, Qt::LeftButton, {}, QPoint(6, invert->height() / 2));
    EXPECT_TRUE(reduction().invert);
    const std::string inverted = bits();
    ASSERT_EQ(inverted.size(), diffused.size());
    EXPECT_NE(inverted, diffused);

    // Undo steps back one choice at a time, to the exact dots before it;
    // the bitmap clicked again, the panel shows that choice.
    CanvasMouse mouse(*editor);
    auto undoAndSelect = [&] {
        QTest::keyClick(mouse.Canvas(), Qt::Key_Z, Qt::ControlModifier);
        const QPoint middle = mouse.At(55, 55);
        mouse.MoveTo(middle);
        QTest::mouseClick(mouse.Canvas(), Qt::LeftButton, Qt::NoModifier, middle);
        ASSERT_EQ(Core().Selection().GetChiefUid(), bitmap);
    };
    mouse.Canvas()->setFocus();
    undoAndSelect();
    EXPECT_EQ(bits(), diffused);
    EXPECT_EQ(panel.DitherBox()->currentIndex(), 1);
    EXPECT_FALSE(panel.InvertBox()->isChecked());
    undoAndSelect();
    EXPECT_EQ(bits(), level60);
    EXPECT_EQ(panel.DitherBox()->currentIndex(), 0);
    EXPECT_EQ(panel.LevelBox()->value(), 60);
    EXPECT_TRUE(panel.LevelBox()->isEnabled());
    undoAndSelect();
    EXPECT_EQ(bits(), nearer);
    EXPECT_EQ(panel.LevelBox()->value(), 128);
    EXPECT_EQ(Core().History().GetCount(), before + 6) << "undone, nothing dropped";
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(FrameDialogs, TemplatesAreSavedListedPreviewedAndPasted) {
    const std::string templates = folder.File("template/sys100");
    const int32_t a = Draw(kToolBox, 50, 80, 90, 100);
    const int32_t b = Draw(kToolFilledBox, 100, 90, 120, 110);
    Select({a, b});
    CDlgPreTemplateSave save(editor->Canvas(), templates);
    save.NameBox()->setText(QStringLiteral("   "));
    save.OnOK();
    save.NameBox()->setText(QStringLiteral("a/b"));
    save.OnOK();
    EXPECT_EQ(save.result(), 0);
    save.NameBox()->setText(QStringLiteral(" 두 상자 "));
    save.OnOK();
    EXPECT_EQ(save.result(), QDialog::Accepted);
    ASSERT_EQ(notices.size(), 2);
    EXPECT_EQ(notices[0], QStringLiteral("올바른 템플릿 이름을 입력하세요."));
    EXPECT_TRUE(notices[1].startsWith(QStringLiteral("템플릿 이름에 다음 문자가 올 수 없습니다.")));
    CDlgPreTemplateSave again(editor->Canvas(), templates);
    again.NameBox()->setText(QStringLiteral("두 상자"));
    again.OnOK();
    EXPECT_EQ(notices.last(), QStringLiteral("이미 존재하는 템플릿 이름입니다."));

    CDlgTemplateList list(editor->Canvas(), templates);
    ASSERT_EQ(list.List()->count(), 1);
    EXPECT_EQ(list.List()->item(0)->text(), QStringLiteral("두 상자"));
    list.List()->setCurrentRow(0);
    EXPECT_EQ(list.Preview().Core().Group().GetCount(), 2u);
    EXPECT_EQ(list.Preview().Core().Group().GetRegion(0), (VyRect{0, 0, 400000, 200000}));
    const size_t objects = Core().Group().GetCount();
    list.OnOK();
    list.OnOK();
    EXPECT_EQ(Core().Group().GetCount(), objects + 4);
}

TEST_F(FrameDialogs, TheGridWindowChangesTheGridAtOnceAndKeepsItWhenClosed) {
    const std::string path = folder.File("grid.cfg");
    {
        CDlgGridSettings window(editor->Canvas(), path);
        window.show();
        EXPECT_TRUE(window.UseGrid()->isChecked());
        EXPECT_EQ(window.SpacingBox()->text(), QStringLiteral("5"));
        window.Spacing()->setSliderDown(true);
        window.Spacing()->setSliderPosition(12);
        EXPECT_EQ(window.SpacingBox()->text(), QStringLiteral("12"));
        EXPECT_EQ(Core().Grid().GetGridInt("grid_size", 0), 12);
        window.SpacingBox()->setText(QStringLiteral("30"));
        EXPECT_EQ(Core().Grid().GetGridInt("grid_size", 0), 30);
        window.UseGrid()->click();
        EXPECT_EQ(Core().Grid().GetGridInt("use_grid", 1), 0);
        window.close();
    }
    CVylGridSystem saved;
    ASSERT_TRUE(saved.Load(path));
    EXPECT_EQ(saved.GetGridInt("grid_size", 0), 30);
    EXPECT_EQ(saved.GetGridInt("use_grid", 1), 0);

    // Opened on its own, it goes when it is closed, and with the canvas.
    QPointer<CDlgGridSettings> opened = CDlgGridSettings::Open(editor->Canvas(), path);
    opened->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(opened.isNull());
    opened = CDlgGridSettings::Open(editor->Canvas(), path);
    editor.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(opened.isNull());
}

// Typed as a user types: a spacing outside 1..100 dots never reaches the
// grid, the file or the arrows.
TEST_F(FrameDialogs, TheGridSpacingStaysWithinOneToAHundredDots) {
    CDlgGridSettings window(editor->Canvas(), folder.File("grid.cfg"));
    window.show();
    QLineEdit* box = window.SpacingBox();
    for (const char* pasted : {"-5", "0", "999", "101"}) {
        box->setText(QString::fromLatin1(pasted));
        EXPECT_EQ(Core().Grid().GetGridInt("grid_size", 0), 5) << pasted;
    }
    // Typed, 999 passes through 9 and 99 but is not taken, and Enter puts
    // back the spacing in use.
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("999"));
    EXPECT_EQ(Core().Grid().GetGridInt("grid_size", 0), 99);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), QStringLiteral("99"));
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("100"));
    EXPECT_EQ(Core().Grid().GetGridInt("grid_size", 0), 100);
    EXPECT_EQ(window.Spacing()->value(), window.Spacing()->maximum()) << "the slider follows";
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("7"));
    EXPECT_EQ(window.Spacing()->value(), 7);
    EXPECT_FALSE(Core().Grid().SetGridInt("grid_size", -5));
    EXPECT_EQ(Core().Grid().GetGridInt("grid_size", 0), 7);

    // A stored spacing outside the range reads as the default.
    for (const char* stored : {"-5", "0", "999"}) {
        CFxAssignGroupEx tree;
        tree.SetInt("use_grid", 1);
        tree.SetString("grid_size", stored);
        const std::string path = folder.File(std::string("grid") + stored + ".cfg");
        ASSERT_TRUE(tree.SaveTreeToFile(path));
        CVylGridSystem grid;
        ASSERT_TRUE(grid.Load(path));
        EXPECT_EQ(grid.GetGridInt("grid_size", 0), CVylGridSystem::kDefaultSize) << stored;
    }
}

TEST(EditorStart, GivingUpOnTheSerialSettingsFailsTheSetUp) {
    VyTempFolder folder;
    CVylMSCommConfig settings;
    settings.SetString("device", folder.File("no-such-port"));
    ASSERT_TRUE(settings.SaveSettings(folder.File("comm.cfg")));
    const VyNoticeSink previous = SetNoticeSink([](const QString&, const QString&, QWidget*) {});
    int asked = 0;
    CVyeEditor editor;
    editor.SetSettingsAsker([&asked](CVylMSComm& link, const VyPortNotice&) {
        // The first time a working device is chosen, the second time the
        // user gives up.
        if (++asked == 1) {
            link.SetString("device", "virtual");
            return true;
        }
        return false;
    });
    CVylHexPane pane;
    EXPECT_EQ(editor.InitEditor(folder.File("comm.cfg"), nullptr, QRect(0, 0, 700, 500), &pane,
                                nullptr, folder.Path()),
              1);
    EXPECT_EQ(asked, 1);

    CVyeEditor refused;
    refused.SetSettingsAsker([](CVylMSComm&, const VyPortNotice&) { return false; });
    EXPECT_EQ(refused.InitEditor(folder.File("comm.cfg"), nullptr, QRect(0, 0, 700, 500), &pane,
                                 nullptr, folder.Path()),
              0);
    // Tried again once a port is found, the same editor starts.
    refused.SetSettingsAsker([](CVylMSComm& link, const VyPortNotice&) {
        link.SetString("device", "virtual");
        return true;
    });
    EXPECT_EQ(refused.InitEditor(folder.File("comm.cfg"), nullptr, QRect(0, 0, 700, 500), &pane,
                                 nullptr, folder.Path()),
              1);
    refused.Canvas().Core().SelectAll();
    SetNoticeSink(previous);
}

}  // namespace
