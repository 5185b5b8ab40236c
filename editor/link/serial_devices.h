// The serial devices of this machine a user may pick besides COM1 to COM5:
// USB and ACM adapters, on-board UARTs and Bluetooth serial ports.
#pragma once

#include <string>
#include <vector>

// Full device paths, sorted; folder is where to look (the devices folder).
std::vector<std::string> FindSerialDevices(const std::string& folder = "/dev");
