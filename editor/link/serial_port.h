// A serial device in raw 8-N-1 mode: exclusive open, whole-block writes from
// a worker thread, and non-blocking reads for whoever watches the descriptor.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

class CVylLineSnapshot;

class CVylSerialPort {
  public:
    CVylSerialPort() = default;
    CVylSerialPort(const CVylSerialPort&) = delete;
    CVylSerialPort& operator=(const CVylSerialPort&) = delete;
    ~CVylSerialPort() { Close(); }

    // Opens the device for reading and writing, held exclusively (no second
    // opener, not even another instance of the program) until Close. Returns
    // "" on success, otherwise the reason. found, when given, keeps the
    // device's settings from before they were changed.
    std::string Open(const std::string& device, uint32_t baud, CVylLineSnapshot* found = nullptr);
    void Close();
    bool IsOpen() const;
    // New rate for the open port, without closing it.
    bool ApplyBaud(uint32_t baud);
    int Descriptor() const { return m_fd; }
    const std::string& Device() const { return m_device; }

    // Writes every byte (partial writes and interruptions are continued);
    // false when the device failed or vanished, after which the port counts
    // as closed. Called from worker threads.
    bool WriteAll(std::string_view bytes);
    // The bytes waiting now, without blocking; a vanished or failed device
    // closes the port and sets *gone. Called from the thread that opens and
    // closes the port.
    std::string ReadAvailable(bool* gone);

    // Whether the device could be opened exclusively right now.
    static bool IsPortFree(const std::string& device);
    // Why the device cannot be opened exclusively right now: 0 when it can,
    // else an error number (EBUSY when another program holds it).
    static int OpenFailure(const std::string& device);

  private:
    bool WaitWritable(int fd) const;

    std::atomic<int> m_fd{-1};
    std::atomic<bool> m_closing{false};
    // Set by a writer whose device failed; the owner's thread closes it, so
    // that a descriptor is never closed under a reader's feet.
    std::atomic<bool> m_failed{false};
    std::string m_device;
    // Held while writing, so that Close never pulls the device from a writer.
    std::mutex m_writeMutex;
};
