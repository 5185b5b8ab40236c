// What an action would do to a drawing, found before it is recorded: the
// parts of the drawing it may touch are noted, the action is applied, and
// the parts are compared. A history records only actions that apply and
// change something.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/document/edit_action.h"

class CVylActionEffect {
  public:
    // Notes the parts of the drawing that the action may change.
    CVylActionEffect(const CVylEditAction& action, const CVylObjectGroup& drawing);

    // Whether the drawing, once the action was applied to it, differs from
    // what was noted.
    bool Changed(const CVylObjectGroup& drawing) const;
    // Undoes an action that changed nothing by Changed's measure but may
    // still have reordered the trees' entries, by putting the noted objects
    // back; false where that cannot be sure to give the drawing as it was
    // (linkers are involved), and the drawing must be rebuilt instead.
    bool RestoreUnchanged(CVylObjectGroup& drawing) const;

  private:
    static std::string LinkerText(const CVylObjectGroup& drawing);

    bool m_inserts = false;
    std::vector<std::pair<int32_t, std::optional<CVylObject>>> m_objects;
    std::optional<std::vector<int32_t>> m_zOrder;
    std::optional<std::string> m_linkers;
};

// Whether two value trees hold the same keys with the same values, in any order.
bool SameTree(const CFxAssignGroupEx& a, const CFxAssignGroupEx& b);
