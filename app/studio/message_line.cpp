#include "app/studio/message_line.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "editor/canvas/hex_pane.h"

namespace {

const QColor kLineColour(206, 212, 224);

}  // namespace

CDlgMessageLine::CDlgMessageLine(QWidget* parent) : QWidget(parent) {
    m_pane = new CVylHexPane(this);
    m_label = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 5, 7, 3);
    layout->setSpacing(2);
    layout->addWidget(m_pane, 1);
    layout->addWidget(m_label);
}

void CDlgMessageLine::ShowText(const QColor& colour, const QString& text) {
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_label->setPalette(palette);
    m_label->setText(text);
}

QString CDlgMessageLine::Text() const {
    return m_label->text();
}

void CDlgMessageLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kLineColour);
}
