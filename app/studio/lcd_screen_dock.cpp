#include "app/studio/lcd_screen_dock.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "editor/canvas/ui_text.h"
#include "editor/link/serial_link.h"
#include "editor/link/virtual_serial_control.h"
#include "editor/tree/code_page.h"

namespace {

// About 30 looks a second: smooth to the eye, nothing to the link.
constexpr int kRefreshMs = 33;
constexpr int kZoom = 2;
// Room around the glass for its rim.
constexpr int kBezel = 8;
const QColor kGlass(200, 220, 160);
const QColor kDotOn(28, 40, 30);
const QColor kDotOff(188, 208, 150);

QImage ScreenOf(const CVylLcdFrame& frame) {
    QImage image(kLcdWidth, kLcdHeight, QImage::Format_RGB32);
    for (int32_t y = 0; y < kLcdHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < kLcdWidth; ++x) {
            line[x] = (frame.GetDot(x, y) ? kDotOn : kDotOff).rgb();
        }
    }
    return image;
}

}  // namespace

CLcdScreenView::CLcdScreenView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CLcdScreenView::SizeAt(int zoom) {
    return QSize(kLcdWidth * zoom, kLcdHeight * zoom) + QSize(2, 2) * kBezel;
}

QSize CLcdScreenView::sizeHint() const {
    return SizeAt(kZoom);
}

QSize CLcdScreenView::minimumSizeHint() const {
    return QSize(kLcdWidth / 2, kLcdHeight / 2) + QSize(2, 2) * kBezel;
}

void CLcdScreenView::SetScreen(const QImage& screen) {
    m_screen = screen;
    update();
}

// Twice the module's size when there is room, else whole dots, else fitted.
double CLcdScreenView::Zoom() const {
    const double fit =
        std::min((width() - 2.0 * kBezel) / kLcdWidth, (height() - 2.0 * kBezel) / kLcdHeight);
    return fit >= kZoom ? kZoom : (fit >= 1.0 ? std::floor(fit) : std::max(fit, 0.1));
}

// The glass with a rim around the dots, as on the module.
void CLcdScreenView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(60, 64, 70));
    const double zoom = Zoom();
    const QSize size(static_cast<int>(kLcdWidth * zoom), static_cast<int>(kLcdHeight * zoom));
    const QRect glass(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.fillRect(glass.adjusted(-4, -4, 4, 4), kGlass);
    if (!m_screen.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom < 1.0);
        painter.drawImage(glass, m_screen);
    }
}

CLcdScreenDock::CLcdScreenDock(CVylMSComm& link, QWidget* parent)
    : QDockWidget(tr("LCD 화면"), parent), m_link(link) {
    setObjectName(QStringLiteral("lcdScreen"));
    auto* content = new QWidget(this);
    m_view = new CLcdScreenView(content);
    m_port = new QLabel(content);
    m_port->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_port);
    setWidget(content);
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &CLcdScreenDock::Refresh);
    m_timer.start();
    Refresh();
}

QSize CLcdScreenDock::OneToOneSize() const {
    return sizeHint() - m_view->sizeHint() + CLcdScreenView::SizeAt(1);
}

QString CLcdScreenDock::PortText() const {
    return m_port->text();
}

void CLcdScreenDock::Refresh() {
    auto* module = dynamic_cast<CVylVirtualSerialControl*>(m_link.Control());
    if (module == nullptr || !m_link.IsPortOpen()) {
        m_view->setVisible(false);
        m_port->setText(tr("이 창에는 가상 LCD의 화면만 보입니다. 사용 중인 포트: %1")
                            .arg(FromCp949(m_link.PortStateText())));
        m_commands = -1;
        return;
    }
    m_view->setVisible(true);
    m_port->setText(tr("가상 LCD"));
    const int64_t commands = module->GetCommandCount();
    if (commands != m_commands) {
        m_commands = commands;
        m_view->SetScreen(ScreenOf(module->GetFrame()));
    }
}
