// The serial control the link talks through: open and close a port with its
// baud rate (8-N-1), tell whether it is open, write a block whole from a
// worker thread, and hand received bytes to the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class CVylSerialControl {
  public:
    using BytesSink = std::function<void(const std::string& bytes)>;
    using LostSink = std::function<void(const std::string& reason)>;

    virtual ~CVylSerialControl() = default;

    // "" on success, otherwise the reason the port did not open.
    virtual std::string Open(const std::string& device, uint32_t baud) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes the block whole; false when the port failed meanwhile.
    virtual bool Write(std::string_view block) = 0;
    // A new rate for the open port, which stays open.
    virtual bool ApplyBaud(uint32_t baud) = 0;
    // The device a free port may be opened at right now (exclusively).
    virtual bool IsPortFree(const std::string& device) const = 0;

    // Received bytes arrive on the GUI thread, all bytes since the last call;
    // a port that vanishes is reported there too (it is closed by then).
    void SetReceiver(BytesSink onBytes, LostSink onLost) {
        m_onBytes = std::move(onBytes);
        m_onLost = std::move(onLost);
    }

  protected:
    void Deliver(const std::string& bytes) const {
        if (m_onBytes && !bytes.empty()) {
            m_onBytes(bytes);
        }
    }
    void ReportLost(const std::string& reason) const {
        if (m_onLost) {
            m_onLost(reason);
        }
    }

  private:
    BytesSink m_onBytes;
    LostSink m_onLost;
};
