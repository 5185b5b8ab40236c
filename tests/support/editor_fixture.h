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
#include "tests/support/canvas_mouse.h"
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
    QPoint At(double x, double y) { return CanvasMouse(*editor).At(x, y); }
    void MoveTo(QPoint position, Qt::MouseButtons buttons = Qt::NoButton) {
        CanvasMouse(*editor).MoveTo(position, buttons);
    }
    int32_t Draw(int32_t tool, double l, double t, double r, double b) {
        return CanvasMouse(*editor).Draw(tool, l, t, r, b);
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
