#include "tools/cli/bytes_command.h"

#include "editor/command/command_lines.h"
#include "tools/cli/drawing_file.h"

int RunBytesCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    VyDrawingFile file;
    if (!ReadDrawingFile(path, file, err)) {
        return 1;
    }
    VyDrawingUpdate update;
    const bool extracted = BuildDrawingUpdate(path, file.group, update, err);
    // What came before a failing object is printed all the same.
    WriteCommandLines(out, update.bytes, update.lengths);
    return extracted && file.complete ? 0 : 1;
}
