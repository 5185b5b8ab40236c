// A group and a selection wired to each other, as the canvas holds them.
#pragma once

#include "editor/document/object_group.h"
#include "editor/document/object_selection.h"
#include "tests/support/object_builders.h"

struct SelectableGroup {
    SelectableGroup() {
        group.AttachSelection(&selection);
        selection.AttachGroup(&group);
    }
    SelectableGroup(const SelectableGroup&) = delete;
    SelectableGroup& operator=(const SelectableGroup&) = delete;

    void Add(const CVylObject& object) { group.InsertOnTop(object.GetUid(), object); }

    CVylObjectGroup group;
    CVylObjectSelection selection;
};
