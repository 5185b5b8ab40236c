// Finds the rate a module listens at: each rate in turn is set, one harmless
// command goes out and the first rate whose "K" comes back wins. The device's
// own settings are put back before it is let go, so a probe never leaves a
// port at a rate the user did not choose.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

// The rates of kBaudRates, the most common first.
inline constexpr uint32_t kProbeOrder[] = {19200,  115200, 9600,  57600, 38400,
                                           230400, 28800,  76800, 4800,  2400};

struct VyBaudProbeOptions {
    std::vector<uint32_t> rates{std::begin(kProbeOrder), std::end(kProbeOrder)};
    // How long each rate waits for its answer.
    std::chrono::milliseconds wait{300};
    // Set from another thread to give up before the next rate.
    const std::atomic<bool>* cancel = nullptr;
};

struct VyBaudProbeResult {
    uint32_t baud = 0;            // the rate that answered, 0 when none did
    std::vector<uint32_t> tried;  // in the order they were tried
    std::string error;            // why the port did not open (or went away)
};

// Probes the device (a path, or the built-in virtual module, which answers
// at the first rate). Blocks for up to every rate's wait.
VyBaudProbeResult ProbeBaudRate(const std::string& device, const VyBaudProbeOptions& options = {});
