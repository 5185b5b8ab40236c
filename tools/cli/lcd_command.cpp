#include "tools/cli/lcd_command.h"

#include "editor/virtual_lcd/frame_png.h"
#include "editor/virtual_lcd/virtual_lcd.h"
#include "tools/cli/drawing_file.h"

int RunLcdCommand(const std::string& path, const std::string& pngPath, int32_t scale,
                  std::ostream& err) {
    VyDrawingFile file;
    if (!ReadDrawingFile(path, file, err)) {
        return 1;
    }
    VyDrawingUpdate update;
    const bool built = BuildDrawingUpdate(path, file.group, update, err);
    const CVylLcdFrame screen = ScreenOfCommands(
        std::string_view(reinterpret_cast<const char*>(update.bytes.data()), update.bytes.size()),
        &CVylUnifont::System());
    if (!WriteFramePng(screen, pngPath, scale)) {
        err << pngPath << ": cannot write the picture\n";
        return 1;
    }
    return built && file.complete ? 0 : 1;
}
