// A devices folder of the test's own: device files (plain files stand in for
// them) and the stable serial/by-id links udev makes for adapters.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/temp_folder.h"

inline void AddDeviceFile(const VyTempFolder& dev, const std::string& name) {
    std::ofstream(dev.File(name)).put('\n');
}

// A link named name to target, relative to the link's folder as udev's are.
inline void AddByIdLink(const VyTempFolder& dev, const std::string& name,
                        const std::string& target) {
    std::filesystem::create_directories(dev.File("serial/by-id"));
    std::filesystem::create_symlink(target, dev.File("serial/by-id/" + name));
}

inline std::string ByIdPath(const VyTempFolder& dev, const std::string& name) {
    return dev.File("serial/by-id/" + name);
}
