#include "tools/cli/dump_command.h"

#include "tools/cli/drawing_file.h"

int RunDumpCommand(const std::string& path, bool withRegions, std::ostream& out,
                   std::ostream& err) {
    VyDrawingFile file;
    if (!ReadDrawingFile(path, file, err, VyReadScope::kHistory)) {
        return 1;
    }
    if (!file.isProject) {
        err << path << ": not a project file (an object group has no history)\n";
        return 1;
    }
    std::string dump = file.history.GetEditActionGroupExp(withRegions);
    // One action a line on the terminal: the history joins its lines with CR LF.
    std::string lines;
    for (size_t i = 0; i < dump.size(); ++i) {
        if (dump[i] != '\r') {
            lines += dump[i];
        }
    }
    out << lines;
    if (!lines.empty()) {
        out << '\n';
    }
    return 0;
}
