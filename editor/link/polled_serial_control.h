// The serial control on a real device for programs without an event loop:
// a reader thread of its own hands the received bytes on.
#pragma once

#include <atomic>
#include <thread>

#include "editor/link/port_serial_control.h"

class CVylPolledSerialControl : public CVylPortSerialControl {
  public:
    CVylPolledSerialControl() = default;
    ~CVylPolledSerialControl() override { Close(); }

    std::string Open(const std::string& device, uint32_t baud) override;
    void Close() override;

  private:
    void ReadLoop();

    std::atomic<bool> m_running{false};
    std::thread m_reader;
};
