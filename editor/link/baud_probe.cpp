#include "editor/link/baud_probe.h"

#include <poll.h>
#include <termios.h>

#include <algorithm>
#include <string_view>

#include "editor/link/lcd_option_commands.h"
#include "editor/link/link_config.h"
#include "editor/link/serial_line_snapshot.h"
#include "editor/link/serial_port.h"

namespace {

// The dot size: it only sets the width of later strokes, and every LCD update
// sets it again before its first stroke, so the screen never changes.
std::string_view HarmlessCommand() {
    static const VyByteArray command = DotSizeCommand(0);
    return {reinterpret_cast<const char*>(command.data()), command.size()};
}

// Short slices, so that a cancel is noticed while a rate waits.
constexpr auto kSlice = std::chrono::milliseconds(20);

bool IsCancelled(const VyBaudProbeOptions& options) {
    return options.cancel != nullptr && options.cancel->load();
}

// Whether a "K" comes within the wait; *gone when the device went away.
bool AwaitAnswer(CVylSerialPort& port, const VyBaudProbeOptions& options, bool* gone) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + options.wait;
    *gone = false;
    for (auto now = Clock::now(); now < deadline && !IsCancelled(options); now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        struct pollfd waiter {
            port.Descriptor(), POLLIN, 0
        };
        ::poll(&waiter, 1,
               static_cast<int>(std::clamp(left, std::chrono::milliseconds(1), kSlice).count()));
        if (port.ReadAvailable(gone).find('K') != std::string::npos) {
            return true;
        }
        if (*gone) {
            return false;
        }
    }
    return false;
}

// Tries one rate on the open port: true when it was answered.
bool TryRate(CVylSerialPort& port, uint32_t baud, const VyBaudProbeOptions& options,
             VyBaudProbeResult* result) {
    result->tried.push_back(baud);
    if (!port.ApplyBaud(baud)) {
        return false;
    }
    // An answer to an earlier rate's command must not count for this one.
    ::tcflush(port.Descriptor(), TCIFLUSH);
    bool gone = false;
    if (port.WriteAll(HarmlessCommand()) && AwaitAnswer(port, options, &gone)) {
        return true;
    }
    if (gone || !port.IsOpen()) {
        result->error = "the device has gone away";
    }
    return false;
}

}  // namespace

VyBaudProbeResult ProbeBaudRate(const std::string& device, const VyBaudProbeOptions& options) {
    VyBaudProbeResult result;
    if (options.rates.empty()) {
        return result;
    }
    if (device == kVirtualDevice) {
        result.tried.push_back(options.rates.front());
        result.baud = options.rates.front();
        return result;
    }
    CVylSerialPort port;
    CVylLineSnapshot found;
    result.error = port.Open(device, options.rates.front(), &found);
    if (!result.error.empty()) {
        return result;
    }
    for (uint32_t baud : options.rates) {
        if (IsCancelled(options) || !result.error.empty()) {
            break;
        }
        if (TryRate(port, baud, options, &result)) {
            result.baud = baud;
            break;
        }
    }
    // A port that failed may still take its settings back; one gone cannot.
    if (port.Descriptor() >= 0) {
        found.Restore(port.Descriptor());
    }
    port.Close();
    return result;
}
