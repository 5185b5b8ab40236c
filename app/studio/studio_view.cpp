#include "app/studio/studio_view.h"

#include <QFileInfo>
#include <algorithm>

namespace {

// The message line's height for a 15-pixel interface font.
constexpr int kMessageLineHeight = 70;

}  // namespace

CVYSView::CVYSView(const CVYSDataFolders& folders, QWidget* parent)
    : QWidget(parent), m_folders(folders), m_editor(this) {
    m_messageLine = new CDlgMessageLine(this);
    // Side windows never squeeze the drawing below a usable size.
    setMinimumSize(320, 240);
}

bool CVYSView::Init() {
    // A first start has no serial settings: the built-in module stands in
    // until the user picks a port.
    const std::string comm = m_folders.CommCfgPath();
    if (!QFileInfo::exists(QString::fromStdString(comm))) {
        CVylMSCommConfig settings;
        settings.SetString("device", std::string(kVirtualDevice));
        settings.SaveSettings(comm);
    }
    if (!m_editor.InitEditor(comm, this, rect(), &m_messageLine->Pane(), this,
                             m_folders.GetFolder("global_txt_data"))) {
        return false;
    }
    Canvas().Core().Grid().Load(m_folders.GridCfgPath());
    m_messageLine->show();
    resizeEvent(nullptr);
    return true;
}

void CVYSView::EditActionAdded() {
    Q_EMIT modified();
}

void CVYSView::ShowMessageLine(const QColor& colour, const QString& text) {
    m_messageLine->ShowText(colour, text);
}

void CVYSView::resizeEvent(QResizeEvent*) {
    const double scale = std::max(1.0, fontMetrics().height() / 15.0);
    const int line = static_cast<int>(kMessageLineHeight * scale);
    m_editor.setGeometry(0, 0, width(), std::max(height() - line, 0));
    m_messageLine->setGeometry(0, std::max(height() - line, 0), width(), line);
}
