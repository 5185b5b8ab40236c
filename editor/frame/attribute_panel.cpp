#include "editor/frame/attribute_panel.h"

#include <QKeyEvent>
#include <QPainter>

#include "editor/canvas/canvas_widget.h"
#include "editor/frame/frame_colours.h"

CVyeAttributePanel::CVyeAttributePanel(CVylCanvas* canvas, QWidget* parent)
    : QWidget(parent), m_canvas(canvas) {}

void CVyeAttributePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPanelColour);
}

void CVyeAttributePanel::WatchKeys() {
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

// Escape and Enter go nowhere (Enter stays in a multi-line box); every
// other key goes to the canvas first, so its commands work from a panel.
bool CVyeAttributePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (key->key() == Qt::Key_Escape) {
            return true;
        }
        if (enter && !KeepsEnter(watched)) {
            OnEnter(watched);
            return true;
        }
        if (m_canvas != nullptr) {
            BeforeCanvasKey(watched, *key);
        }
        if (m_canvas != nullptr && m_canvas->ProcessKeys(key, false)) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
