#include "drawing_file.h"

#include <cerrno>
#include <cstring>

#include "editor/command/extract_status.h"

namespace {

bool LooksLikeProject(const CRevolver& bytes) {
    CFxAssignGroupEx tree;
    tree.FromRevolver(bytes);
    return tree.Has("internal_file_type");
}

}  // namespace

bool ReadDrawingFile(const std::string& path, VyDrawingFile& file, std::ostream& err) {
    CRevolver bytes;
    errno = 0;
    if (!bytes.LoadFromFile(path)) {
        err << path
            << ": cannot read the file: " << (errno != 0 ? std::strerror(errno) : "read error")
            << '\n';
        return false;
    }
    file.isProject = LooksLikeProject(bytes);
    if (!file.isProject) {
        if (!file.group.ObjGroupFromRevolver(bytes)) {
            err << path << ": not an object group file (the record does not decode)\n";
            return false;
        }
        return true;
    }
    int32_t required = 0;
    if (!file.history.EdtActionGrpFromRevolver(bytes, &required)) {
        err << path << ": not a readable project";
        if (required != 0) {
            err << " (it needs program version " << VersionText(required) << " or later)";
        }
        err << '\n';
        return false;
    }
    file.complete = file.group.CreateObjectGroupFromEditActionGroup(file.history) != 0;
    if (!file.complete) {
        err << path << ": warning: the history does not replay completely; "
            << "the drawing holds the objects made before the failing action\n";
    }
    return true;
}

bool BuildDrawingUpdate(const std::string& path, CVylObjectGroup& drawing, VyDrawingUpdate& update,
                        std::ostream& err) {
    update.dc.InitDeviceContext(kModelVyb3224);
    const int32_t status = BuildFullLcdUpdate(update.dc, drawing, update.bytes, update.lengths);
    if (status != kExtractOk) {
        err << path << ": extraction stopped with status " << status << ": "
            << ExtractStatusText(status) << '\n';
        return false;
    }
    return true;
}
