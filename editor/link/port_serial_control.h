// What the serial controls on a real device share: the port itself.
#pragma once

#include "editor/link/serial_control.h"
#include "editor/link/serial_port.h"

class CVylPortSerialControl : public CVylSerialControl {
  public:
    bool IsOpen() const override { return m_port.IsOpen(); }
    bool Write(std::string_view block) override { return m_port.WriteAll(block); }
    bool ApplyBaud(uint32_t baud) override { return m_port.ApplyBaud(baud); }
    bool IsPortFree(const std::string& device) const override {
        return CVylSerialPort::IsPortFree(device);
    }

  protected:
    CVylSerialPort m_port;
};
