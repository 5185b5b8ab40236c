#include "tools/cli/source_command.h"

#include "app/source/source_generator.h"
#include "editor/tree/atomic_file.h"
#include "editor/tree/code_page.h"
#include "tools/cli/drawing_file.h"

namespace {

// The source to out, or to the file named by the options.
bool WriteSource(const std::string& text, const VySourceOptions& options, std::ostream& out,
                 std::ostream& err) {
    if (!options.outPath) {
        out << text;
        return true;
    }
    if (!WriteFileAtomically(*options.outPath, text)) {
        err << *options.outPath << ": cannot write the source\n";
        return false;
    }
    return true;
}

}  // namespace

int RunSourceCommand(const std::string& path, const VySourceOptions& options, std::ostream& out,
                     std::ostream& err) {
    CVylSourceSettings settings;
    if (options.settingsPath && !settings.Load(*options.settingsPath)) {
        err << *options.settingsPath << ": cannot read the generator settings\n";
        return 1;
    }
    if (options.preset) {
        ApplyPreset(*options.preset, settings);
        settings.SetPresetName(PresetInfo(*options.preset).name);
    }
    VyDrawingFile file;
    if (!ReadDrawingFile(path, file, err)) {
        return 1;
    }
    // The settings are trimmed before use, as the generator's dialog does.
    settings.TrimAll();
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    const VySourceResult result = GenerateProgramSource(dc, file.group, settings, options.baud);
    switch (result.status) {
        case VySourceStatus::kNoObjects:
            err << Cp949ToUtf8(kNoGraphicData) << '\n';
            return 1;
        case VySourceStatus::kInvalidSetting:
            err << Cp949ToUtf8(result.validation.message) << '\n';
            return 1;
        default:
            break;
    }
    if (!WriteSource(options.rawCp949 ? result.text : Cp949ToUtf8(result.text), options, out,
                     err)) {
        return 1;
    }
    if (result.status == VySourceStatus::kExtractionStopped) {
        err << path << ": extraction stopped with status " << result.extractStatus
            << "; the source holds the commands made before it\n";
        return 1;
    }
    return file.complete ? 0 : 1;
}
