// CVylMSCommConfig: the serial settings ("comm.cfg"): port number, baud rate
// and, on this platform, an optional device path that names the port
// directly (an adapter, a pseudo-terminal, or "virtual" for the built-in
// module).
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <string>

#include "editor/tree/value_tree.h"

inline constexpr std::string_view kVirtualDevice = "virtual";

class VYEDIT_EXPORT CVylMSCommConfig : public CFxAssignGroupEx {
  public:
    int32_t GetPort() const { return GetInt("port", 1); }
    int32_t GetBaudRate() const { return GetInt("baud_rate", 19200); }
    // The device path: the "device" text when set, else the n-th serial port.
    std::string GetDevicePath() const;
    // "19200,N,8,1".
    std::string GetSettingsText() const;
    // "COM1: 19200,N,8,1", or the device path in place of "COM1".
    std::string PortStateText() const;
    // 1 when the file was read; a missing file leaves the defaults.
    int LoadSettings(const std::string& path) { return LoadTreeFromFile(path); }
    int SaveSettings(const std::string& path) const { return SaveTreeToFile(path); }
};

// The baud rates a user may choose.
inline constexpr uint32_t kBaudRates[] = {2400,  4800,  9600,  19200,  28800,
                                          38400, 57600, 76800, 115200, 230400};
