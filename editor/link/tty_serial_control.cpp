#include "editor/link/tty_serial_control.h"

#include <QSocketNotifier>

CVylTtySerialControl::CVylTtySerialControl() = default;

CVylTtySerialControl::~CVylTtySerialControl() {
    Close();
}

std::string CVylTtySerialControl::Open(const std::string& device, uint32_t baud) {
    Close();
    std::string error = m_port.Open(device, baud);
    if (!error.empty()) {
        return error;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_port.Descriptor(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { OnReadable(); });
    return {};
}

void CVylTtySerialControl::Close() {
    // The notifier may be the one whose signal is being handled right now.
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier.release()->deleteLater();
    }
    m_port.Close();
}

void CVylTtySerialControl::OnReadable() {
    bool gone = false;
    const std::string bytes = m_port.ReadAvailable(&gone);
    Deliver(bytes);
    if (gone) {
        Close();
        ReportLost("the device has gone away");
    }
}
