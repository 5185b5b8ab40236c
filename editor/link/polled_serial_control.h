// The serial control on a real device for programs without an event loop:
// a reader thread of its own hands the received bytes on.
#pragma once

#include <atomic>
#include <thread>

#include "editor/link/serial_control.h"
#include "editor/link/serial_port.h"

class CVylPolledSerialControl : public CVylSerialControl {
  public:
    CVylPolledSerialControl() = default;
    ~CVylPolledSerialControl() override { Close(); }

    std::string Open(const std::string& device, uint32_t baud) override;
    void Close() override;
    bool IsOpen() const override { return m_port.IsOpen(); }
    bool Write(std::string_view block) override { return m_port.WriteAll(block); }
    bool IsPortFree(const std::string& device) const override {
        return CVylSerialPort::IsPortFree(device);
    }

  private:
    void ReadLoop();

    CVylSerialPort m_port;
    std::atomic<bool> m_running{false};
    std::thread m_reader;
};
