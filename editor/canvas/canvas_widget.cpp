#include "editor/canvas/canvas_widget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <sstream>

#include "editor/canvas/hex_pane.h"
#include "editor/canvas/notice.h"
#include "editor/canvas/ui_text.h"
#include "editor/command/command_lines.h"
#include "editor/document/full_update.h"
#include "editor/link/lcd_update_scheduler.h"
#include "editor/link/serial_link.h"
#include "editor/tree/code_page.h"

namespace {

constexpr int kTimerMs = 150;

VyModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)};
}

VyPoint PointOf(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

VyKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return VyKey::kLeft;
        case Qt::Key_Right:
            return VyKey::kRight;
        case Qt::Key_Up:
            return VyKey::kUp;
        case Qt::Key_Down:
            return VyKey::kDown;
        case Qt::Key_Delete:
            return VyKey::kDelete;
        case Qt::Key_Tab:
            return VyKey::kTab;
        case Qt::Key_A:
            return VyKey::kA;
        case Qt::Key_C:
            return VyKey::kC;
        case Qt::Key_V:
            return VyKey::kV;
        case Qt::Key_X:
            return VyKey::kX;
        case Qt::Key_Y:
            return VyKey::kY;
        case Qt::Key_Z:
            return VyKey::kZ;
        default:
            return VyKey::kOther;
    }
}

Qt::CursorShape ShapeOf(VyCanvasCursor cursor) {
    switch (cursor) {
        case VyCanvasCursor::kSizeNwse:
            return Qt::SizeFDiagCursor;
        case VyCanvasCursor::kSizeNesw:
            return Qt::SizeBDiagCursor;
        case VyCanvasCursor::kSizeWe:
            return Qt::SizeHorCursor;
        case VyCanvasCursor::kSizeNs:
            return Qt::SizeVerCursor;
        case VyCanvasCursor::kSizeAll:
            return Qt::SizeAllCursor;
        case VyCanvasCursor::kCross:
            return Qt::CrossCursor;
        case VyCanvasCursor::kArrow:
            break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

CVylCanvas::CVylCanvas(QWidget* parent) : QWidget(parent) {
    m_core.SetHost(this);
    m_core.History().SetActionAddedSink([this] { Q_EMIT editActionAdded(); });
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The renderer covers every pixel: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setInterval(kTimerMs);
    connect(&m_timer, &QTimer::timeout, this, &CVylCanvas::OnTimer);
    m_timer.start();
    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_vertical = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {m_horizontal, m_vertical}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::valueChanged, this, &CVylCanvas::OnScrollBarMoved);
    }
}

CVylCanvas::~CVylCanvas() {
    m_core.SetHost(nullptr);
    m_core.History().SetActionAddedSink(nullptr);
    if (m_link != nullptr) {
        m_link->UrgeStop();
    }
}

void CVylCanvas::SetLink(CVylMSComm* link) {
    m_link = link;
    m_scheduler = link != nullptr
                      ? std::make_unique<CVylLcdUpdateScheduler>(link, m_core.DeviceContext())
                      : nullptr;
}

void CVylCanvas::SetViewOnly(bool viewOnly) {
    m_core.SetViewOnly(viewOnly);
    update();
}

void CVylCanvas::OnAgain(int redraw, int rebuild, int status, int panels, int lcd, int hex) {
    m_core.OnAgain(redraw, rebuild, status, panels, lcd, hex);
}

void CVylCanvas::OnTimer() {
    TryToStartUpdatingLcd();
}

void CVylCanvas::TryToStartUpdatingLcd() {
    if (m_scheduler &&
        m_scheduler->TryToStartUpdatingLcd(m_core.Group()) == VyUpdateStart::kPortClosed) {
        OnPortClosed();
    }
}

void CVylCanvas::TryToStartPuttingHexaCmd(int first, int trim) {
    if ((first == 0 && trim == 0) || m_hexPane == nullptr) {
        return;
    }
    // A cut listing shows its first bytes only: one more tells it is cut.
    VyByteArray bytes;
    VyLengthArray lengths;
    ExtractLeadingCommands(m_core.DeviceContext(), m_core.Group(),
                           trim != 0 ? kHexPaneByteLimit : SIZE_MAX, bytes, lengths);
    m_hexPane->ShowListing(BuildHexListing(bytes, lengths, m_core.DeviceContext(),
                                           m_hexPane->BytesPerLine(), trim != 0));
}

void CVylCanvas::OnPortClosed() {
    if (m_link == nullptr || m_link->GetOpenCount() == m_noticedOutage) {
        return;
    }
    m_noticedOutage = m_link->GetOpenCount();
    if (!m_link->IsPortLost()) {
        ::ShowNotice(UiText(kNoticePortClosed), QString(), this);
    }
}

bool CVylCanvas::ProcessKeys(QKeyEvent* event, bool focusOnCanvas) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    return m_core.ProcessKeys(KeyOf(event->key()), ModifiersOf(event->modifiers()), focusOnCanvas);
}

// Tab is taken before Qt moves the focus with it, when it selects something.
bool CVylCanvas::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && ProcessKeys(key, true)) {
            return true;
        }
    }
    return QWidget::event(event);
}

void CVylCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_renderer.Render(painter, m_core, ClientSize());
}

void CVylCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceScrollBars();
    Refit();
    OnAgain(0, 0, 1, 0, 0, 1);
}

void CVylCanvas::mousePressEvent(QMouseEvent* event) {
    // Fitted to the size the widget has now, shown or not.
    Refit();
    if (StartPanning(event)) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_core.OnLButtonDown(PointOf(event), ModifiersOf(event->modifiers()));
    } else if (event->button() == Qt::RightButton) {
        m_core.OnRButtonDown(PointOf(event));
    }
}

void CVylCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (Pan(event)) {
        return;
    }
    Refit();
    m_core.OnMouseMove(PointOf(event), ModifiersOf(event->modifiers()));
}

void CVylCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (m_panFrom) {
        m_panFrom.reset();
        setCursor(m_spaceHeld ? Qt::OpenHandCursor : Qt::ArrowCursor);
        return;
    }
    Refit();
    if (event->button() == Qt::LeftButton) {
        if (!m_core.IsViewOnly()) {
            setFocus(Qt::MouseFocusReason);
        }
        m_core.OnLButtonUp(PointOf(event), ModifiersOf(event->modifiers()));
    } else if (event->button() == Qt::RightButton) {
        m_rightButtonGlobal = event->globalPosition().toPoint();
        m_core.OnRButtonUp(PointOf(event));
    }
}

void CVylCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat() && !m_core.Zoom().IsFit()) {
            m_spaceHeld = true;
            setCursor(Qt::OpenHandCursor);
        }
        return;
    }
    if (!ZoomKeys(event) && !ProcessKeys(event, true)) {
        QWidget::keyPressEvent(event);
    }
}

void CVylCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spaceHeld) {
        m_spaceHeld = false;
        setCursor(Qt::ArrowCursor);
    }
    if (event->key() == Qt::Key_Shift && !event->isAutoRepeat()) {
        m_core.OnShiftReleased();
    }
    QWidget::keyReleaseEvent(event);
}

void CVylCanvas::Redraw() {
    update();
}

void CVylCanvas::RefreshStatus() {
    Q_EMIT statusRefreshRequested();
}

void CVylCanvas::RefreshPanels() {
    Q_EMIT panelsRefreshRequested();
}

void CVylCanvas::RequestLcdUpdate() {
    if (m_scheduler && m_scheduler->RequestUpdate(m_core.Group()) == VyUpdateStart::kPortClosed) {
        OnPortClosed();
    }
}

void CVylCanvas::RefreshHexPane() {
    TryToStartPuttingHexaCmd(0, 1);
}

void CVylCanvas::ObjectCreated(int32_t kind) {
    Q_EMIT objectCreated(kind);
}

void CVylCanvas::PopupMenuRequested() {
    Q_EMIT popupMenuRequested(m_rightButtonGlobal);
}

void CVylCanvas::MouseMoved() {
    Q_EMIT mousePositionChanged();
}

void CVylCanvas::SetCursorShape(VyCanvasCursor cursor) {
    setCursor(ShapeOf(cursor));
}

// The desktop's clipboard gets the copied objects' commands, one a line in
// hexadecimal, for pasting into a text.
void CVylCanvas::ObjectsCopied(const CVylObjectGroup& objects) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return;
    }
    VyByteArray bytes;
    VyLengthArray lengths;
    ExtractDrawingCommands(m_core.DeviceContext(), objects, bytes, lengths);
    std::ostringstream text;
    WriteCommandLines(text, bytes, lengths);
    clipboard->setText(QString::fromStdString(text.str()));
}

void CVylCanvas::ShowNotice(std::string_view text) {
    ::ShowNotice(UiText(text), QString(), this);
}
