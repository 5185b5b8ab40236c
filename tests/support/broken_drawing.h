// A drawing whose commands cannot all be made: a box, then a bitmap without
// its picture bytes.
#pragma once

#include <string>

#include "editor/document/object_group.h"
#include "tests/support/object_builders.h"

// Writes the drawing as an object group file; false when it cannot.
inline bool WriteBoxAndEmptyBitmap(const std::string& path) {
    CVylObjectGroup group;
    group.InsertOnTop(1, MakeShape(1, kObjBox, 10, 20, 100, 50));
    group.InsertOnTop(2, MakeObject(2, kObjBitmap, 0, 0, 5, 5));
    CRevolver bytes;
    return group.ObjGroupToRevolver(bytes) && bytes.SaveToFile(path);
}
