// Project files as a stored history may hold them: any actions, including
// ones the editor would refuse to record today (files from earlier
// versions), written as the project file's tree.
#pragma once

#include <string>
#include <vector>

#include "editor/document/edit_history.h"
#include "editor/document/project_format.h"

inline CRevolver StoredHistoryBytes(const std::vector<CVylEditAction>& actions,
                                    int32_t objectCounter = 100) {
    CVylEditActionGroup empty;
    CRevolver bytes;
    empty.EdtActionGrpToRevolver(bytes);
    CFxAssignGroupEx tree;
    tree.FromRevolver(bytes);
    tree.SetInt("action_count", static_cast<int32_t>(actions.size()));
    tree.SetInt("ctoc", objectCounter);
    tree.SetInt("ctlc", 0);
    for (size_t i = 0; i < actions.size(); ++i) {
        CRevolver action;
        actions[i].ToRevolver(action);
        tree.SetBytes(ActionKey(i), action);
    }
    tree.ToRevolver(bytes);
    return bytes;
}

inline bool WriteStoredHistory(const std::string& path,
                               const std::vector<CVylEditAction>& actions) {
    return StoredHistoryBytes(actions).SaveToFile(path) != 0;
}
