// The canvas widget's zoom: scroll bars, Ctrl+wheel and Ctrl+key steps,
// panning with the middle button or with space held.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include "editor/canvas/canvas_widget.h"
#include "editor/model/device_context.h"

namespace {

// One notch of a mouse wheel, in eighths of a degree.
constexpr int kNotch = 120;
// Pixels a notch scrolls when the wheel gives no pixel distance.
constexpr int kNotchPixels = 48;

}  // namespace

CVylCanvas::VyViewLayout CVylCanvas::ViewLayout() const {
    VyViewLayout layout{size()};
    const CVylCanvasZoom& zoom = m_core.Zoom();
    if (zoom.IsFit()) {
        return layout;
    }
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int deskWidth = CVylCanvasZoom::DeskLength(
        m_core.DeviceContext().GetInt(kKeyResolutionX, 0), zoom.GetScale());
    const int deskHeight = CVylCanvasZoom::DeskLength(
        m_core.DeviceContext().GetInt(kKeyResolutionY, 0), zoom.GetScale());
    // A bar along one side takes room from the other direction.
    layout.horizontal = deskWidth > layout.client.width();
    layout.vertical = deskHeight > layout.client.height() - (layout.horizontal ? bar : 0);
    layout.horizontal = deskWidth > layout.client.width() - (layout.vertical ? bar : 0);
    layout.client -= QSize(layout.vertical ? bar : 0, layout.horizontal ? bar : 0);
    layout.client = layout.client.expandedTo(QSize(0, 0));
    return layout;
}

QSize CVylCanvas::ClientSize() const {
    return ViewLayout().client;
}

VyScrollRange CVylCanvas::ScrollRange() const {
    const QSize client = ClientSize();
    return CVylCanvasZoom::RangeOf(
        client.width(), client.height(), m_core.DeviceContext().GetInt(kKeyResolutionX, 0),
        m_core.DeviceContext().GetInt(kKeyResolutionY, 0), m_core.Zoom().GetScale());
}

void CVylCanvas::Refit() {
    const QSize client = ClientSize();
    m_core.RecalcCanvasFit(client.width(), client.height());
}

void CVylCanvas::ZoomTo(int scale, std::optional<QPoint> anchor) {
    Refit();
    const QSize before = ClientSize();
    const QPoint at = anchor.value_or(QPoint(before.width() / 2, before.height() / 2));
    CVylCanvasZoom& zoom = m_core.Zoom();
    const CVylCanvasFitContext fit = m_core.Fit();
    // The bars the new scale brings change the room; the anchor stays.
    zoom.ZoomAbout(scale, {at.x(), at.y()}, fit, before.width(), before.height());
    const QSize after = ClientSize();
    zoom.ZoomAbout(scale, {at.x(), at.y()}, fit, after.width(), after.height());
    AfterZoom();
}

void CVylCanvas::ZoomIn(std::optional<QPoint> anchor) {
    Refit();
    ZoomTo(CVylCanvasZoom::ScaleAbove(m_core.Fit().GetScale()), anchor);
}

void CVylCanvas::ZoomOut(std::optional<QPoint> anchor) {
    Refit();
    ZoomTo(CVylCanvasZoom::ScaleBelow(m_core.Fit().GetScale()), anchor);
}

void CVylCanvas::ZoomToFit() {
    m_core.Zoom().FitToWindow();
    AfterZoom();
}

// The status strip shows the scale.
void CVylCanvas::AfterZoom() {
    OnAgain(0, 0, 1, 0, 0, 0);
    AfterScroll();
}

void CVylCanvas::AfterScroll() {
    PlaceScrollBars();
    Refit();
    update();
    Q_EMIT zoomChanged();
}

void CVylCanvas::PlaceScrollBars() {
    const VyViewLayout layout = ViewLayout();
    const VyScrollRange range = ScrollRange();
    CVylCanvasZoom& zoom = m_core.Zoom();
    zoom.ScrollTo(zoom.GetScrollX(), zoom.GetScrollY(), range);
    const QSignalBlocker blockHorizontal(m_horizontal);
    const QSignalBlocker blockVertical(m_vertical);
    m_horizontal->setVisible(layout.horizontal);
    m_vertical->setVisible(layout.vertical);
    m_horizontal->setGeometry(0, layout.client.height(), layout.client.width(),
                              height() - layout.client.height());
    m_vertical->setGeometry(layout.client.width(), 0, width() - layout.client.width(),
                            layout.client.height());
    m_horizontal->setRange(0, range.x);
    m_horizontal->setPageStep(std::max(layout.client.width(), 1));
    m_horizontal->setSingleStep(std::max(zoom.GetScale(), 1) * 8);
    m_horizontal->setValue(zoom.GetScrollX());
    m_vertical->setRange(0, range.y);
    m_vertical->setPageStep(std::max(layout.client.height(), 1));
    m_vertical->setSingleStep(std::max(zoom.GetScale(), 1) * 8);
    m_vertical->setValue(zoom.GetScrollY());
}

void CVylCanvas::OnScrollBarMoved() {
    m_core.Zoom().ScrollTo(m_horizontal->value(), m_vertical->value(), ScrollRange());
    AfterScroll();
}

bool CVylCanvas::ZoomKeys(const QKeyEvent* event) {
    if (event->type() != QEvent::KeyPress || !(event->modifiers() & Qt::ControlModifier)) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomIn();
            return true;
        case Qt::Key_Minus:
            ZoomOut();
            return true;
        case Qt::Key_0:
            ZoomToFit();
            return true;
        case Qt::Key_1:
            ZoomTo(1);
            return true;
        default:
            return false;
    }
}

void CVylCanvas::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        m_wheelSteps += angle.y();
        const QPoint at = event->position().toPoint();
        for (; m_wheelSteps >= kNotch; m_wheelSteps -= kNotch) {
            ZoomIn(at);
        }
        for (; m_wheelSteps <= -kNotch; m_wheelSteps += kNotch) {
            ZoomOut(at);
        }
        event->accept();
        return;
    }
    if (m_core.Zoom().IsFit()) {
        event->ignore();
        return;
    }
    QPoint pixels = event->pixelDelta();
    if (pixels.isNull()) {
        pixels = angle * kNotchPixels / kNotch;
    }
    // Shift turns a plain wheel sideways.
    if (event->modifiers() & Qt::ShiftModifier && pixels.x() == 0) {
        pixels = QPoint(pixels.y(), 0);
    }
    m_core.Zoom().ScrollBy(-pixels.x(), -pixels.y(), ScrollRange());
    AfterScroll();
    event->accept();
}

bool CVylCanvas::StartPanning(const QMouseEvent* event) {
    const bool panButton =
        event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && m_spaceHeld);
    if (!panButton || m_core.Zoom().IsFit()) {
        return false;
    }
    m_panFrom = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
    return true;
}

bool CVylCanvas::Pan(const QMouseEvent* event) {
    if (!m_panFrom) {
        return false;
    }
    const QPoint now = event->position().toPoint();
    const QPoint moved = now - *m_panFrom;
    m_panFrom = now;
    m_core.Zoom().ScrollBy(-moved.x(), -moved.y(), ScrollRange());
    AfterScroll();
    return true;
}
