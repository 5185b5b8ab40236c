// "vylcd-cli source FILE [--settings CFG] [--preset NAME] [--baud N]
// [--encoding cp949] [--out PATH]": the program source of a drawing with the
// default or the given generator settings, or a preset's.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "app/source/source_generator.h"
#include "app/source/source_presets.h"

struct VySourceOptions {
    std::optional<std::string> settingsPath;
    bool rawCp949 = false;  // write the system code page bytes unconverted
    // Replaces the file's (or the default) settings with a preset's.
    std::optional<VySourcePreset> preset;
    uint32_t baud = kSourceDefaultBaud;
    // Where the source goes instead of out.
    std::optional<std::string> outPath;
};

int RunSourceCommand(const std::string& path, const VySourceOptions& options, std::ostream& out,
                     std::ostream& err);
