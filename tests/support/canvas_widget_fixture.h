// A canvas widget of 690 x 530 pixels (two pixels a dot, fitted) on the
// offscreen platform, with the virtual module behind its link, notices
// captured, and mouse drags as a hand makes them.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/hex_pane.h"
#include "editor/canvas/notice.h"
#include "editor/link/serial_link.h"
#include "tests/support/virtual_link.h"

// A point of the LCD at the fitted scale.
inline QPoint At(double x, double y) {
    return QPoint(static_cast<int>(25 + 2 * x), static_cast<int>(25 + 2 * y));
}

// A move with a button held and modifiers, as a hand makes it (QTest's own
// moves carry no modifiers).
inline void MoveTo(QWidget* widget, QPoint position, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton,
                     buttons, modifiers);
    QApplication::sendEvent(widget, &move);
}

inline void Drag(QWidget* widget, QPoint from, QPoint to,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    MoveTo(widget, from, Qt::NoButton);
    QTest::mousePress(widget, Qt::LeftButton, modifiers, from);
    for (int step = 1; step <= 4; ++step) {
        MoveTo(widget, from + (to - from) * step / 4, Qt::LeftButton, modifiers);
    }
    QTest::mouseRelease(widget, Qt::LeftButton, modifiers, to);
}

class CanvasWidget : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previousSink =
            SetNoticeSink([this](const QString& text, const QString& caption, QWidget*) {
                notices << caption + QStringLiteral(": ") + text;
            });
        link.SetString("device", "virtual");
        link.Pool().Setup(2, 1, 10);
        ASSERT_TRUE(link.OpenPort());
        canvas = std::make_unique<CVylCanvas>();
        canvas->resize(690, 530);
        canvas->SetLink(&link);
        canvas->SetHexPane(&pane);
        canvas->Core().ToolAttrs().SetString(kKeyDotSize, "1");
        canvas->Core().ToolAttrs().SetString(kKeyColorSwitch, "1");
        canvas->Core().ToolAttrs().SetString(kKeyDottedSpacing, "0");
        canvas->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas.get()));
    }
    void TearDown() override {
        canvas.reset();
        SetNoticeSink(m_previousSink);
    }

    int32_t Draw(int32_t tool, double l, double t, double r, double b) {
        canvas->Core().SetTool(tool);
        const int32_t uid = canvas->Core().History().GetObjectCounter();
        Drag(canvas.get(), At(l, t), At(r, b));
        canvas->Core().SetTool(kToolSelect);
        return uid;
    }
    std::string Dump() const { return canvas->Core().History().GetEditActionGroupExp(true); }
    int64_t Commands() { return VirtualModuleCommands(link); }
    bool WaitIdle() { return WaitLinkIdle(link); }

    CVylMSComm link;
    CVylHexPane pane;
    std::unique_ptr<CVylCanvas> canvas;
    QStringList notices;

  private:
    VyNoticeSink m_previousSink;
};
