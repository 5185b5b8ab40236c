// The serial control on a real device (a serial port, a USB adapter or a
// pseudo-terminal): the descriptor is watched by the Qt event loop, so the
// received bytes reach the GUI thread as they arrive.
#pragma once

#include <memory>

#include "editor/link/serial_control.h"
#include "editor/link/serial_port.h"

class QSocketNotifier;

class CVylTtySerialControl : public CVylSerialControl {
  public:
    CVylTtySerialControl();
    ~CVylTtySerialControl() override;

    std::string Open(const std::string& device, uint32_t baud) override;
    void Close() override;
    bool IsOpen() const override { return m_port.IsOpen(); }
    bool Write(std::string_view block) override { return m_port.WriteAll(block); }
    bool IsPortFree(const std::string& device) const override {
        return CVylSerialPort::IsPortFree(device);
    }

  private:
    void OnReadable();

    CVylSerialPort m_port;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
