// The built-in virtual LCD module behind the serial control: what the link
// writes is drawn at once, and the module's answers reach the GUI thread
// through the Qt event loop, as a real port's would.
#pragma once

#include <memory>
#include <mutex>

#include "editor/link/serial_control.h"
#include "editor/virtual_lcd/virtual_lcd.h"
#include "editor/vyedit_export.h"

class QObject;

class VYEDIT_EXPORT CVylVirtualSerialControl : public CVylSerialControl {
  public:
    CVylVirtualSerialControl();
    ~CVylVirtualSerialControl() override;

    std::string Open(const std::string& device, uint32_t baud) override;
    void Close() override;
    bool IsOpen() const override;
    bool Write(std::string_view block) override;
    bool ApplyBaud(uint32_t) override { return IsOpen(); }
    bool IsPortFree(const std::string&) const override { return true; }

    // A copy of the module's screen, taken under the module's lock.
    CVylLcdFrame GetFrame() const;
    int64_t GetCommandCount() const;

  private:
    mutable std::mutex m_mutex;
    CVylVirtualLcd m_lcd;
    bool m_open = false;
    // Lives on the thread that made the control; answers are queued to it.
    std::unique_ptr<QObject> m_context;
};
