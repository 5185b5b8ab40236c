// What the user is told when a port does not open, in words they can act on:
// a missing port, a port another program holds (and which program), and a
// device the user has no permission for (and the group that gives it).
#pragma once

#include <string>

#include "editor/vyedit_export.h"

// Why a port did not open, for the user.
struct VyPortNotice {
    std::string text;     // system code page
    std::string caption;  // "" for the default caption
};

// name is how the settings call the port ("3" for COM3, else the path),
// error the error number of the failed exclusive open.
VYEDIT_EXPORT VyPortNotice PortOpenNotice(const std::string& name, const std::string& device,
                                          int error, const std::string& procFolder = "/proc");
// The group owning the device ("dialout"), "" when unknown.
VYEDIT_EXPORT std::string DeviceGroup(const std::string& device);
// The program holding the device open, "minicom (PID 1234)", "" when none is
// found (the programs of other users stay hidden).
VYEDIT_EXPORT std::string DeviceHolder(const std::string& device,
                                       const std::string& procFolder = "/proc");
