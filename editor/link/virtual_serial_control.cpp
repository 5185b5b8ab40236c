#include "editor/link/virtual_serial_control.h"

#include <QMetaObject>
#include <QObject>

CVylVirtualSerialControl::CVylVirtualSerialControl() : m_context(std::make_unique<QObject>()) {
    m_lcd.SetGlyphs(&CVylUnifont::System());
}

CVylVirtualSerialControl::~CVylVirtualSerialControl() = default;

std::string CVylVirtualSerialControl::Open(const std::string&, uint32_t) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open = true;
    return {};
}

void CVylVirtualSerialControl::Close() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open = false;
}

bool CVylVirtualSerialControl::IsOpen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_open;
}

bool CVylVirtualSerialControl::Write(std::string_view block) {
    std::string answer;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_open) {
            return false;
        }
        answer = m_lcd.Feed(block);
    }
    QMetaObject::invokeMethod(
        m_context.get(), [this, answer] { Deliver(answer); }, Qt::QueuedConnection);
    return true;
}

int64_t CVylVirtualSerialControl::GetCommandCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lcd.GetCommandCount();
}

CVylLcdFrame CVylVirtualSerialControl::GetFrame() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lcd.GetFrame();
}
