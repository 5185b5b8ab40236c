// The serial devices of this machine a user may pick besides COM1 to COM5:
// USB and ACM adapters, on-board UARTs and Bluetooth serial ports.
#pragma once

#include <string>
#include <vector>

// Full device paths, sorted; folder is where to look (the devices folder).
std::vector<std::string> FindSerialDevices(const std::string& folder = "/dev");

// A device as a user picks it.
struct VySerialDeviceItem {
    std::string label;  // "usb-XYZ_Serial-if00-port0 (ttyUSB0)", or the device path
    std::string path;   // what the settings keep

    bool operator==(const VySerialDeviceItem&) const = default;
};

// A USB adapter's short name changes when it is plugged in again, its
// serial/by-id link does not: those links first (sorted, each with the
// device it names now), then the devices no link names.
std::vector<VySerialDeviceItem> ListSerialDevices(const std::string& folder = "/dev");
