// Reading the drawing a command-line verb works on: a project (the edit
// history, replayed in full) or an object group file (a template).
#pragma once

#include <ostream>
#include <string>

#include "editor/document/edit_history.h"
#include "editor/document/full_update.h"
#include "editor/document/object_group.h"

// What a verb needs of a project: the drawing alone is replayed as its
// actions are read and keeps no history; the history alone is not replayed.
enum class VyReadScope { kDrawing, kHistory };

struct VyDrawingFile {
    bool isProject = false;
    CVylEditActionGroup history;  // filled for projects read for their history
    CVylObjectGroup group;        // the drawing (of a template, or a project read for it)
    // False when a project's history stopped replaying: the drawing then
    // holds only what came before the failing action (the verbs still work
    // on it, and say so by their exit code).
    bool complete = true;
};

// Reads path into file, decoding it once; on failure writes a message naming
// the file and the reason to err and returns false. The file itself is never
// modified.
bool ReadDrawingFile(const std::string& path, VyDrawingFile& file, std::ostream& err,
                     VyReadScope scope = VyReadScope::kDrawing);

// The warning for a project whose history stops replaying.
void SayIncompleteReplay(const std::string& path, std::ostream& err);

// A drawing's full LCD update for the model the tools speak to.
struct VyDrawingUpdate {
    CVylDeviceContext dc;
    VyByteArray bytes;
    VyLengthArray lengths;
};

// Builds the update of the drawing read from path; when the extraction stops
// early, says so on err (the update holds what came before) and returns false.
bool BuildDrawingUpdate(const std::string& path, CVylObjectGroup& drawing, VyDrawingUpdate& update,
                        std::ostream& err);
