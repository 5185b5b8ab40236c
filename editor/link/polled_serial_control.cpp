#include "editor/link/polled_serial_control.h"

#include <poll.h>

std::string CVylPolledSerialControl::Open(const std::string& device, uint32_t baud) {
    Close();
    std::string error = m_port.Open(device, baud);
    if (error.empty()) {
        m_running = true;
        m_reader = std::thread([this] { ReadLoop(); });
    }
    return error;
}

void CVylPolledSerialControl::Close() {
    m_running = false;
    if (m_reader.joinable()) {
        m_reader.join();
    }
    m_port.Close();
}

void CVylPolledSerialControl::ReadLoop() {
    const int fd = m_port.Descriptor();
    while (m_running) {
        struct pollfd waiter {
            fd, POLLIN, 0
        };
        if (::poll(&waiter, 1, 20) <= 0) {
            continue;
        }
        bool gone = false;
        Deliver(m_port.ReadAvailable(&gone));
        if (gone) {
            ReportLost("the device has gone away");
            return;
        }
    }
}
