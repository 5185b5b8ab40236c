#include "editor/link/serial_devices.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::array<std::string_view, 6> kPrefixes = {"ttyUSB",   "ttyACM",      "ttyAMA",
                                                       "ttyXRUSB", "ttyCH341USB", "rfcomm"};

bool IsSerialName(std::string_view name) {
    return std::any_of(kPrefixes.begin(), kPrefixes.end(), [name](std::string_view prefix) {
        return name.size() > prefix.size() && name.starts_with(prefix) &&
               std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    });
}

}  // namespace

std::vector<std::string> FindSerialDevices(const std::string& folder) {
    std::vector<std::string> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (IsSerialName(entry.path().filename().string())) {
            devices.push_back(entry.path().string());
        }
    }
    std::sort(devices.begin(), devices.end());
    return devices;
}
