#include "editor/frame/serial_settings_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
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
    auto* apply = new QPushButton(tr("적용"), this);
    auto* cancel = new QPushButton(tr("취소"), this);
    apply->setDefault(true);
    connect(apply, &QPushButton::clicked, this, &CDlgSysOpt::OnApply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(tr("포트 번호"), m_ports);
    form->addRow(QStringLiteral("RS232C BaudRate"), m_bauds);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    ConfigToCtrls(m_link);
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

int CDlgSysOpt::CtrlsToConfig(CVylMSCommConfig& config) {
    const int item = m_ports->currentIndex();
    const QString device = m_ports->currentData().toString();
    if (device.isEmpty()) {
        config.SetInt("port", item + 1);
        config.Remove("device");
    } else {
        config.SetString("device", device.toStdString());
    }
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
