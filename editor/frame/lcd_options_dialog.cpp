#include "editor/frame/lcd_options_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/tree/decimal_text.h"

namespace {

constexpr int kTickMs = 250;

}  // namespace

CDlgLcdOpt::CDlgLcdOpt(CVylMSComm& link, const CVylDeviceContext& dc, QWidget* parent)
    : QDialog(parent), m_link(link), m_dc(dc) {
    setWindowTitle(tr("시스템 설정"));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(300, 500);
    m_slider->setValue(400);
    // The box says what the slider shows (the first value is the slider's).
    m_box = new QLineEdit(QString::number(m_slider->value()), this);
    m_box->setMaxLength(4);
    m_box->setFixedWidth(m_box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 10);
    m_backlight =
        Choice({tr("백라이트"), QStringLiteral("OFF"), QStringLiteral("ON")}, BacklightCommand);
    m_layer = Choice({tr("그래픽 레이어 지정"), QStringLiteral("Layer 1"),
                      QStringLiteral("Layer 2"), QStringLiteral("Layer 3")},
                     GraphicLayerCommand);
    m_overlay = Choice(
        {tr("오버레이 모드"), QStringLiteral("OR"), QStringLiteral("AND"), QStringLiteral("XOR")},
        OverlayModeCommand);
    m_writeMode =
        Choice({QStringLiteral("WRITE MODE"), QStringLiteral("FAST"), QStringLiteral("SLOW")},
               WriteModeCommand);
    const QStringList states{QStringLiteral("OFF"), QStringLiteral("ON"),
                             QStringLiteral("2Hz Flash"), QStringLiteral("16Hz Flash")};
    auto* group = new QGroupBox(tr("Layer 상태 설정"), this);
    auto* rows = new QFormLayout(group);
    for (int layer = 1; layer <= 3; ++layer) {
        auto* combo = new QComboBox(group);
        combo->addItems(states);
        combo->setCurrentIndex(layer == 3 ? 0 : 1);
        rows->addRow(QStringLiteral("%1:").arg(layer), combo);
        m_layerStates[static_cast<size_t>(layer - 1)] = combo;
    }
    auto* apply = new QPushButton(tr("적용"), group);
    rows->addRow(QString(), apply);
    auto* close = new QPushButton(tr("닫기"), this);
    // Enter belongs to the brightness box: no button takes it.
    for (QPushButton* button : {apply, close}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto* brightness = new QHBoxLayout;
    brightness->addWidget(new QLabel(tr("화면 밝기"), this));
    brightness->addWidget(m_slider, 1);
    brightness->addWidget(m_box);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(brightness);
    for (QComboBox* combo : {m_backlight, m_layer, m_overlay}) {
        layout->addWidget(combo);
    }
    layout->addWidget(group);
    layout->addWidget(m_writeMode);
    layout->addWidget(close, 0, Qt::AlignRight);

    connect(m_slider, &QSlider::sliderMoved, this, [this](int position) {
        m_brightness.Set(position);
        m_box->setText(QString::number(position));
    });
    // A value outside the slider's range is never sent: it waits for the
    // typing to end and then becomes the nearest end of the range.
    connect(m_box, &QLineEdit::textChanged, this, [this](const QString& text) {
        const int32_t value = AtoiValue(text.toStdString());
        if (!isVisible() || value < m_slider->minimum() || value > m_slider->maximum()) {
            return;
        }
        m_brightness.Set(value);
        m_slider->setValue(value);
    });
    connect(m_box, &QLineEdit::editingFinished, this, [this] {
        const int32_t typed = AtoiValue(m_box->text().toStdString());
        m_box->setText(
            QString::number(std::clamp(typed, m_slider->minimum(), m_slider->maximum())));
    });
    // Enter in the box sends the brightness typed at once.
    connect(m_box, &QLineEdit::returnPressed, this, &CDlgLcdOpt::OnTimer);
    connect(apply, &QPushButton::clicked, this, &CDlgLcdOpt::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CDlgLcdOpt::OnTimer);
    m_timer.start();
}

// A list whose first item is a title: choosing any other sends its command.
QComboBox* CDlgLcdOpt::Choice(const QStringList& items, VyByteArray (*command)(int32_t)) {
    auto* combo = new QComboBox(this);
    combo->addItems(items);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, command](int index) {
        if (index > 0) {
            Send(command(index));
        }
    });
    return combo;
}

void CDlgLcdOpt::OnApply() {
    Send(LayerStatesCommand(m_layerStates[0]->currentIndex(), m_layerStates[1]->currentIndex(),
                            m_layerStates[2]->currentIndex()));
}

void CDlgLcdOpt::OnTimer() {
    if (const std::optional<VyByteArray> command = m_brightness.Tick()) {
        Send(*command);
    }
}

// One chunk: the module answers the whole command once.
void CDlgLcdOpt::Send(const VyByteArray& command) {
    m_link.InvokeDispatchBytes(m_dc, command, nullptr);
}
