// Pasting a group of objects (clipboard or template) into a drawing's history.
#pragma once

#include "editor/document/edit_history.h"
#include "editor/document/object_group.h"
#include "editor/document/uid_set.h"

// One object becomes a "create" action, several a "create_multi" action; the
// copies get new uids from the history's object counter and land where they
// lie in the source. Returns the new uids (empty for an empty source).
VyUidSet PasteFromObjectGroup(CVylEditActionGroup& history, const CVylObjectGroup& source);
