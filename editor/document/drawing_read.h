// Reading the drawing of a file, project or template, without keeping a
// project's history: a project's actions are decoded and replayed one at a
// time straight from its bytes, so that a long project costs little more
// memory than the file itself.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>

#include "editor/document/object_group.h"
#include "editor/tree/revolver.h"

struct VyDrawingRead {
    bool isProject = false;  // the record names its file type
    bool complete = true;    // false when an action stopped a project's replay
    int32_t required = 0;    // the version a too new project needs, else 0
};

// Fills group with the drawing of bytes; 0 when they hold no readable
// project or object group, as their full decode would show.
VYEDIT_EXPORT int ReadDrawingFromBytes(const CRevolver& bytes, CVylObjectGroup& group,
                                       VyDrawingRead& read);
