#include "editor/link/link_config.h"

#include "editor/tree/decimal_text.h"

std::string CVylMSCommConfig::GetDevicePath() const {
    const std::string device = GetString("device");
    if (!device.empty()) {
        return device;
    }
    return "/dev/ttyS" + DecimalText(static_cast<int64_t>(GetPort()) - 1);
}

std::string CVylMSCommConfig::GetSettingsText() const {
    return DecimalText(GetBaudRate()) + ",N,8,1";
}

std::string CVylMSCommConfig::PortStateText() const {
    const std::string device = GetString("device");
    const std::string name = device.empty() ? "COM" + DecimalText(GetPort()) : device;
    return name + ": " + GetSettingsText();
}
