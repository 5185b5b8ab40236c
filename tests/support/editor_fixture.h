// The editor frame set up as the application sets it up, on the built-in
// virtual module (or a pseudo-terminal), in a folder of the test's own,
// with notices captured and a clock the test moves.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "editor/canvas/hex_pane.h"
#include "editor/canvas/notice.h"
#include "editor/frame/editor_frame.h"
#include "tests/support/temp_folder.h"

class EditorFixture : public ::testing::Test {
  protected:
    // device: "virtual" or a device path such as a pseudo-terminal's.
    void OpenEditor(const std::string& device = "virtual") {
        m_previousSink = SetNoticeSink(
            [this](const QString& text, const QString&, QWidget*) { notices << text; });
        CVylMSCommConfig settings;
        settings.SetString("device", device);
        settings.SetInt("baud_rate", 115200);
        ASSERT_TRUE(settings.SaveSettings(CommPath()));
        editor = std::make_unique<CVyeEditor>();
        editor->SetSettingsAsker([](CVylMSComm&, const VyPortNotice&) { return false; });
        ASSERT_EQ(editor->InitEditor(CommPath(), nullptr, QRect(0, 0, 760, 600), &pane, nullptr,
                                     folder.Path()),
                  1);
        Core().SetClock([this] { return nowMs; });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }
    void TearDown() override {
        editor.reset();
        SetNoticeSink(m_previousSink);
    }

    std::string CommPath() const { return folder.File("comm.cfg"); }
    CVylCanvasCore& Core() { return editor->Canvas().Core(); }
    CVylCanvas* Canvas() { return &editor->Canvas(); }
    // A point of the LCD in the canvas's client pixels.
    QPoint At(double x, double y) {
        Core().RecalcCanvasFit(Canvas()->width(), Canvas()->height());
        const VyPoint p = Core().Fit().VirtualToScreen(
            VyPoint{static_cast<int32_t>(x * 10000), static_cast<int32_t>(y * 10000)});
        return QPoint(p.x, p.y);
    }
    void MoveTo(QPoint position, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, position, Canvas()->mapToGlobal(position), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &move);
    }
    // A drag with the tool; the new object's uid.
    int32_t Draw(int32_t tool, double l, double t, double r, double b) {
        editor->SelectTool(tool);
        const int32_t uid = Core().History().GetObjectCounter();
        MoveTo(At(l, t));
        QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, At(l, t));
        MoveTo(At((l + r) / 2, (t + b) / 2), Qt::LeftButton);
        MoveTo(At(r, b), Qt::LeftButton);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, At(r, b));
        editor->SelectTool(kToolSelect);
        return uid;
    }
    void Select(std::initializer_list<int32_t> uids) {
        Core().Selection().SetMultiSelection(VyUidSet(uids), true);
        Core().Selection().EnsureChiefSel(*uids.begin());
        Canvas()->OnAgain(1, 0, 1, 1, 0, 0);
    }
    void Deselect() {
        Core().Selection().RemoveAll();
        Core().SetMouseState(kMouseIdle);
        Canvas()->OnAgain(1, 0, 1, 1, 0, 0);
    }

    VyTempFolder folder;
    CVylHexPane pane;
    std::unique_ptr<CVyeEditor> editor;
    QStringList notices;
    int64_t nowMs = 100000;

  private:
    VyNoticeSink m_previousSink;
};
