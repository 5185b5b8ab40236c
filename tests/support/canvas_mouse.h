// Real mouse events on an editor frame's canvas, placed in LCD dots.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "editor/frame/editor_frame.h"

class CanvasMouse {
  public:
    explicit CanvasMouse(CVyeEditor& editor) : m_editor(editor) {}

    CVylCanvas* Canvas() { return &m_editor.Canvas(); }
    // A point of the LCD in the canvas's client pixels.
    QPoint At(double x, double y) {
        CVylCanvasCore& core = m_editor.Canvas().Core();
        m_editor.Canvas().Refit();
        const VyPoint p = core.Fit().VirtualToScreen(
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
        m_editor.SelectTool(tool);
        const int32_t uid = m_editor.Canvas().Core().History().GetObjectCounter();
        MoveTo(At(l, t));
        QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, At(l, t));
        MoveTo(At((l + r) / 2, (t + b) / 2), Qt::LeftButton);
        MoveTo(At(r, b), Qt::LeftButton);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, At(r, b));
        m_editor.SelectTool(kToolSelect);
        return uid;
    }

  private:
    CVyeEditor& m_editor;
};
