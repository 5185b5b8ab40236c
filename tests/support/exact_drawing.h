// A drawing written out completely and exactly: every object's trees as
// encoded (so the order of their entries counts), the stacking order, the
// linkers' points in order and the contact index. Two drawings with the same
// text behave the same under every later action.
#pragma once

#include <string>

#include "editor/document/object_group.h"

inline std::string ExactDrawingState(const CVylObjectGroup& drawing) {
    std::string text;
    for (int32_t uid : drawing.GetZOrderList()) {
        text += "#" + std::to_string(uid) + ":";
        const CVylObject* object = drawing.GetByObjUid(uid);
        if (object == nullptr) {
            text += "missing\n";
            continue;
        }
        CRevolver common;
        CRevolver unique;
        object->Common().ToRevolver(common);
        object->Unique().ToRevolver(unique);
        text += common.ToString() + "|" + unique.ToString() + "\n";
    }
    text += "objects " + std::to_string(drawing.GetCount()) + "\n";
    for (const auto& [linkerUid, linker] : drawing.GetLinkers()) {
        text += "L" + std::to_string(linkerUid) + ":";
        for (const auto& [key, point] : linker.Points()) {
            text += key + ",";
        }
        text += "\n";
    }
    for (const auto& [key, linkerUid] : drawing.GetContacts()) {
        text += "C" + key + "=" + std::to_string(linkerUid) + "\n";
    }
    return text;
}
