// The serial control on a real device (a serial port, a USB adapter or a
// pseudo-terminal): the descriptor is watched by the Qt event loop, so the
// received bytes reach the GUI thread as they arrive.
#pragma once

#include <memory>

#include "editor/link/port_serial_control.h"

class QSocketNotifier;

class CVylTtySerialControl : public CVylPortSerialControl {
  public:
    CVylTtySerialControl();
    ~CVylTtySerialControl() override;

    std::string Open(const std::string& device, uint32_t baud) override;
    void Close() override;

  private:
    void OnReadable();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
