#include "bytes_command.h"

#include "app/cli/drawing_file.h"
#include "app/cli/hex_lines.h"
#include "editor/command/extract_status.h"
#include "editor/document/full_update.h"

int RunBytesCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    VyDrawingFile file;
    if (!ReadDrawingFile(path, file, err)) {
        return 1;
    }
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    VyByteArray bytes;
    VyLengthArray lengths;
    const int32_t status = BuildFullLcdUpdate(dc, file.group, bytes, lengths);
    out << FormatCommandLines(bytes, lengths);
    if (status != kExtractOk) {
        err << path << ": extraction stopped with status " << status << ": "
            << ExtractStatusText(status) << '\n';
        return 1;
    }
    return file.complete ? 0 : 1;
}
