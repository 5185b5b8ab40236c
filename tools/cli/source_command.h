// "vylcd-cli source FILE [--settings CFG] [--encoding cp949]": the program
// source of a drawing with the default or the given generator settings.
#pragma once

#include <optional>
#include <ostream>
#include <string>

struct VySourceOptions {
    std::optional<std::string> settingsPath;
    bool rawCp949 = false;  // write the system code page bytes unconverted
};

int RunSourceCommand(const std::string& path, const VySourceOptions& options, std::ostream& out,
                     std::ostream& err);
