#include "editor/frame/grid_settings_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/canvas/canvas_widget.h"
#include "editor/frame/bounded_int_validator.h"
#include "editor/tree/decimal_text.h"

CDlgGridSettings::CDlgGridSettings(CVylCanvas& canvas, std::string gridPath, QWidget* parent)
    : QDialog(parent), m_canvas(&canvas), m_gridPath(std::move(gridPath)) {
    setWindowTitle(tr("그리드 설정"));
    setModal(false);
    const CVylGridSystem& grid = canvas.Core().Grid();
    m_use = new QCheckBox(tr("그리드 사용함"), this);
    m_use->setChecked(grid.GetGridInt("use_grid", 1) != 0);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(2, 12);
    m_slider->setValue(grid.GetGridInt("grid_size", 5));
    m_box = new QLineEdit(QString::number(grid.GetGridInt("grid_size", 5)), this);
    m_box->setValidator(new CVylBoundedIntValidator(
        CVylGridSystem::kLeastSize, CVylGridSystem::kLargestSize,
        [this] { return m_canvas ? m_canvas->Core().Grid().GetGridInt("grid_size", 5) : 5; },
        m_box));
    m_box->setFixedWidth(m_box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);

    auto* spacing = new QHBoxLayout;
    spacing->addWidget(new QLabel(tr("간격"), this));
    spacing->addWidget(m_slider, 1);
    spacing->addWidget(m_box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_use);
    layout->addLayout(spacing);
    setMinimumWidth(260);

    connect(m_use, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_canvas) {
            m_canvas->Core().Grid().SetGridInt("use_grid", checked ? 1 : 0);
            m_canvas->OnAgain(1, 0, 0, 0, 0, 0);
        }
    });
    connect(m_slider, &QSlider::sliderMoved, this,
            [this](int position) { m_box->setText(QString::number(position)); });
    // The box takes 1 to 100 dots, beyond the slider's range too; the slider
    // shows what it can of the value.
    connect(m_box, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_canvas || !m_box->hasAcceptableInput() ||
            !m_canvas->Core().Grid().SetGridInt("grid_size", AtoiValue(text.toStdString()))) {
            return;
        }
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(AtoiValue(text.toStdString()));
        m_canvas->OnAgain(1, 0, 0, 0, 0, 0);
    });
    // A canvas that goes takes its grid with it: nothing left to set.
    connect(&canvas, &QObject::destroyed, this, [this] {
        m_canvas = nullptr;
        close();
    });
}

CDlgGridSettings* CDlgGridSettings::Open(CVylCanvas& canvas, std::string gridPath, QWidget* owner) {
    auto* window = new CDlgGridSettings(canvas, std::move(gridPath), owner);
    window->setWindowFlag(Qt::Tool);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->adjustSize();
    if (const QScreen* screen = window->screen()) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }
    window->show();
    return window;
}

void CDlgGridSettings::Save() {
    if (!m_saved && m_canvas) {
        m_saved = true;
        m_canvas->Core().Grid().Save(m_gridPath);
    }
}

void CDlgGridSettings::closeEvent(QCloseEvent* event) {
    Save();
    QDialog::closeEvent(event);
}

void CDlgGridSettings::done(int result) {
    Save();
    QDialog::done(result);
}
