#include "editor/frame/serial_settings_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/canvas/ui_text.h"
#include "editor/link/serial_devices.h"
#include "editor/tree/code_page.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr int kComPorts = 5;

// COM1 to COM5, the machine's own serial devices (stable names first), then
// the built-in virtual module.
void AddPortItems(QComboBox* ports, const std::string& devicesFolder) {
    for (int port = 1; port <= kComPorts; ++port) {
        ports->addItem(QStringLiteral("COM%1").arg(port), QString());
    }
    for (const VySerialDeviceItem& device : ListSerialDevices(devicesFolder)) {
        ports->addItem(QString::fromStdString(device.label), QString::fromStdString(device.path));
    }
    ports->addItem(CDlgSysOpt::tr("가상 LCD"),
                   QString::fromLatin1(kVirtualDevice.data(), kVirtualDevice.size()));
}

}  // namespace

CDlgSysOpt::CDlgSysOpt(CVylMSComm& link, std::string commConfigPath, CVylCanvas* canvas,
                       QWidget* parent, const std::string& devicesFolder)
    : QDialog(parent), m_link(link), m_commConfigPath(std::move(commConfigPath)), m_canvas(canvas) {
    setWindowTitle(tr("통신 설정"));
    m_ports = new QComboBox(this);
    AddPortItems(m_ports, devicesFolder);
    m_bauds = new QComboBox(this);
    for (uint32_t baud : kBaudRates) {
        m_bauds->addItem(QString::number(baud));
    }
    m_probe = new QPushButton(tr("자동 감지"), this);
    m_probeText = new QLabel(this);
    m_apply = new QPushButton(tr("적용"), this);
    auto* cancel = new QPushButton(tr("취소"), this);
    m_apply->setDefault(true);
    connect(m_probe, &QPushButton::clicked, this, &CDlgSysOpt::OnProbe);
    connect(m_apply, &QPushButton::clicked, this, &CDlgSysOpt::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* baudRow = new QHBoxLayout;
    baudRow->addWidget(m_bauds, 1);
    baudRow->addWidget(m_probe);
    auto* form = new QFormLayout;
    form->addRow(tr("포트 번호"), m_ports);
    form->addRow(QStringLiteral("RS232C BaudRate"), baudRow);
    form->addRow(m_probeText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    ConfigToCtrls(m_link);
}

CDlgSysOpt::~CDlgSysOpt() {
    // The probe's thread holds the port until it stops.
    m_probeTask.Stop();
    TakeLinkPortBack(nullptr);
}

void CDlgSysOpt::ConfigToCtrls(const CVylMSCommConfig& config) {
    const QString device = QString::fromStdString(config.GetString("device"));
    const int byDevice = device.isEmpty() ? -1 : m_ports->findData(device);
    if (byDevice >= 0) {
        m_ports->setCurrentIndex(byDevice);
    } else if (!device.isEmpty()) {
        // A device this machine does not list (unplugged, a pseudo-terminal).
        m_ports->insertItem(kComPorts, device, device);
        m_ports->setCurrentIndex(kComPorts);
    } else {
        m_ports->setCurrentIndex(std::clamp(config.GetPort(), 1, kComPorts) - 1);
    }
    m_bauds->setCurrentIndex(m_bauds->findText(QString::number(config.GetBaudRate())));
}

void CDlgSysOpt::PortToConfig(CVylMSCommConfig& config) const {
    const QString device = m_ports->currentData().toString();
    if (device.isEmpty()) {
        config.SetInt("port", m_ports->currentIndex() + 1);
        config.Remove("device");
    } else {
        config.SetString("device", device.toStdString());
    }
}

int CDlgSysOpt::CtrlsToConfig(CVylMSCommConfig& config) {
    PortToConfig(config);
    config.SetInt("baud_rate", m_bauds->currentIndex() < 0
                                   ? 0
                                   : AtoiValue(m_bauds->currentText().toStdString()));
    VyPortNotice notice;
    if (m_link.OpenPort(&notice)) {
        return 1;
    }
    ShowNotice(UiText(notice.text), UiText(notice.caption), this);
    return 0;
}

void CDlgSysOpt::OnApply() {
    // A rate of 0 opens no port: asked for instead of tried.
    if (m_bauds->currentIndex() < 0) {
        ShowNotice(tr("보레이트를 선택하세요."), QString(), this);
        return;
    }
    if (!CtrlsToConfig(m_link)) {
        return;
    }
    m_link.InitCredits();
    m_link.SaveSettings(m_commConfigPath);
    if (m_canvas != nullptr) {
        m_canvas->OnAgain(0, 0, 1, 0, 0, 0);
    }
    accept();
}

std::string CDlgSysOpt::ChosenDevice() const {
    CVylMSCommConfig chosen;
    PortToConfig(chosen);
    return chosen.GetDevicePath();
}

QString CDlgSysOpt::ProbeText() const {
    return m_probeText->text();
}

void CDlgSysOpt::OnProbe() {
    const std::string device = ChosenDevice();
    if (device == kVirtualDevice) {
        // The built-in module answers at every rate: the chosen one stays.
        if (m_bauds->currentIndex() < 0) {
            SelectBaud(kProbeOrder[0]);
        }
        m_probeText->setText(tr("가상 LCD는 모든 보레이트에서 응답합니다."));
        return;
    }
    m_linkPortTaken = m_link.ReleasePortForProbe(device);
    SetProbing(true);
    m_probeTask.Start(device, [this](const VyBaudProbeResult& result) { OnProbeDone(result); });
}

void CDlgSysOpt::SetProbing(bool probing) {
    // The port and the result stay together; the link's port is not applied
    // while a probe holds it.
    m_probe->setEnabled(!probing);
    m_apply->setEnabled(!probing);
    m_ports->setEnabled(!probing);
    if (probing) {
        m_probeText->setText(tr("감지 중..."));
    }
}

void CDlgSysOpt::OnProbeDone(const VyBaudProbeResult& result) {
    SetProbing(false);
    VyPortNotice notice;
    if (!TakeLinkPortBack(&notice)) {
        ShowNotice(UiText(notice.text), UiText(notice.caption), this);
    }
    if (!result.error.empty()) {
        m_probeText->setText(
            tr("포트를 열 수 없습니다: %1").arg(QString::fromLocal8Bit(result.error.c_str())));
    } else if (result.baud == 0) {
        m_probeText->setText(tr("어떤 보레이트에서도 LCD가 응답하지 않았습니다."));
    } else {
        SelectBaud(result.baud);
        m_probeText->setText(tr("LCD가 %1 bps에서 응답했습니다.").arg(result.baud));
    }
}

void CDlgSysOpt::SelectBaud(uint32_t baud) {
    m_bauds->setCurrentIndex(m_bauds->findText(QString::number(baud)));
}

bool CDlgSysOpt::TakeLinkPortBack(VyPortNotice* notice) {
    if (!m_linkPortTaken) {
        return true;
    }
    m_linkPortTaken = false;
    return m_link.OpenPort(notice) != 0;
}
