#include "tools/cli/drawing_file.h"

#include <cerrno>
#include <cstring>

#include "editor/command/extract_status.h"
#include "editor/document/drawing_read.h"
#include "editor/document/project_format.h"

namespace {

void SayNotAGroup(const std::string& path, std::ostream& err) {
    err << path << ": not an object group file (the record does not decode)\n";
}

void SayNotReadable(const std::string& path, int32_t required, std::ostream& err) {
    err << path << ": not a readable project";
    if (required != 0) {
        err << " (it needs program version " << VersionText(required) << " or later)";
    }
    err << '\n';
}

bool ReadGroup(const std::string& path, const CFxAssignGroupEx& tree, VyDrawingFile& file,
               std::ostream& err) {
    // A template that ends early still gives the objects before its end.
    if (!file.group.ObjGroupFromTree(tree)) {
        SayNotAGroup(path, err);
        return false;
    }
    return true;
}

// The drawing alone: a project is replayed as its actions are read.
bool ReadDrawingOnly(const std::string& path, const CRevolver& bytes, VyDrawingFile& file,
                     std::ostream& err) {
    VyDrawingRead read;
    const bool ok = ReadDrawingFromBytes(bytes, file.group, read) != 0;
    file.isProject = read.isProject;
    file.complete = read.complete;
    if (!ok) {
        if (read.isProject) {
            SayNotReadable(path, read.required, err);
        } else {
            SayNotAGroup(path, err);
        }
        return false;
    }
    if (!file.complete) {
        SayIncompleteReplay(path, err);
    }
    return true;
}

}  // namespace

bool ReadDrawingFile(const std::string& path, VyDrawingFile& file, std::ostream& err,
                     VyReadScope scope) {
    CRevolver bytes;
    errno = 0;
    if (!bytes.LoadFromFile(path)) {
        err << path
            << ": cannot read the file: " << (errno != 0 ? std::strerror(errno) : "read error")
            << '\n';
        return false;
    }
    if (scope == VyReadScope::kDrawing) {
        return ReadDrawingOnly(path, bytes, file, err);
    }
    CFxAssignGroupEx tree;
    const bool decoded = tree.FromRevolver(bytes) != 0;
    bytes.Clear();
    file.isProject = tree.Has(kKeyFileType);
    if (!file.isProject) {
        return ReadGroup(path, tree, file, err);
    }
    int32_t required = 0;
    if (!decoded || !file.history.EdtActionGrpFromTree(tree, &required)) {
        SayNotReadable(path, required, err);
        return false;
    }
    return true;
}

void SayIncompleteReplay(const std::string& path, std::ostream& err) {
    err << path << ": warning: the history does not replay completely; "
        << "the drawing holds the objects made before the failing action\n";
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
