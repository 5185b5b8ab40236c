#include "bytes_command.h"

#include <cerrno>
#include <cstring>

#include "app/cli/hex_lines.h"
#include "editor/command/extract_status.h"
#include "editor/document/full_update.h"

int RunBytesCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    CRevolver file;
    errno = 0;
    if (!file.LoadFromFile(path)) {
        err << path
            << ": cannot read the file: " << (errno != 0 ? std::strerror(errno) : "read error")
            << '\n';
        return 1;
    }
    CVylObjectGroup group;
    if (!group.ObjGroupFromRevolver(file)) {
        err << path << ": not an object group file (the record does not decode)\n";
        return 1;
    }
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    VyByteArray bytes;
    VyLengthArray lengths;
    const int32_t status = BuildFullLcdUpdate(dc, group, bytes, lengths);
    out << FormatCommandLines(bytes, lengths);
    if (status != kExtractOk) {
        err << path << ": extraction stopped with status " << status << ": "
            << ExtractStatusText(status) << '\n';
        return 1;
    }
    return 0;
}
