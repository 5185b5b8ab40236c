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

struct VyByIdLink {
    std::filesystem::path link;
    std::filesystem::path device;  // empty when it is no link
};

std::vector<VyByIdLink> FindByIdLinks(const std::string& folder) {
    const std::filesystem::path byId = std::filesystem::path(folder) / "serial" / "by-id";
    std::vector<VyByIdLink> links;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(byId, error)) {
        std::error_code notLink;
        const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), notLink);
        links.push_back(
            {entry.path(), notLink ? std::filesystem::path() : (byId / target).lexically_normal()});
    }
    std::sort(links.begin(), links.end(),
              [](const VyByIdLink& a, const VyByIdLink& b) { return a.link < b.link; });
    return links;
}

VySerialDeviceItem ByIdItem(const VyByIdLink& link) {
    std::string label = link.link.filename().string();
    if (!link.device.empty()) {
        label += " (" + link.device.filename().string() + ")";
    }
    return {label, link.link.string()};
}

bool IsNamedByLink(const std::vector<VyByIdLink>& links, const std::string& device) {
    const std::filesystem::path normal = std::filesystem::path(device).lexically_normal();
    return std::any_of(links.begin(), links.end(),
                       [&normal](const VyByIdLink& link) { return link.device == normal; });
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

std::vector<VySerialDeviceItem> ListSerialDevices(const std::string& folder) {
    const std::vector<VyByIdLink> links = FindByIdLinks(folder);
    std::vector<VySerialDeviceItem> items;
    for (const VyByIdLink& link : links) {
        items.push_back(ByIdItem(link));
    }
    for (const std::string& device : FindSerialDevices(folder)) {
        if (!IsNamedByLink(links, device)) {
            items.push_back({device, device});
        }
    }
    return items;
}
