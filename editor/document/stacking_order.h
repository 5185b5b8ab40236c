// Reordering the stacking order: the orders the object list's gestures and
// the "to the front" / "to the back" commands ask for, and the go_up /
// go_down actions that lead there (the only actions that change the order).
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <vector>

#include "editor/document/edit_action.h"
#include "editor/document/uid_set.h"

// The order (bottom first) with the uids of the set taken out and put back
// together, keeping their own order, just above the object shown at `row`
// of the list (rows count from the top; row 0 is the top, the row count is
// below the last); uids the order does not hold are ignored.
VYEDIT_EXPORT std::vector<int32_t> OrderWithUidsAtRow(const std::vector<int32_t>& order,
                                                      const VyUidSet& uids, size_t row);
VYEDIT_EXPORT std::vector<int32_t> OrderWithUidsOnTop(const std::vector<int32_t>& order,
                                                      const VyUidSet& uids);
VYEDIT_EXPORT std::vector<int32_t> OrderWithUidsAtBottom(const std::vector<int32_t>& order,
                                                         const VyUidSet& uids);

// Whether target holds exactly the uids of order, in any order.
VYEDIT_EXPORT bool IsReorderingOf(const std::vector<int32_t>& order,
                                  const std::vector<int32_t>& target);

// The fewest go_up / go_down actions that turn order into target (one a
// swap of neighbours); each swap is named after a uid of movers where it
// involves one. None when target is not a reordering of order.
VYEDIT_EXPORT std::vector<CVylEditAction> StackingMoves(const std::vector<int32_t>& order,
                                                        const std::vector<int32_t>& target,
                                                        const VyUidSet& movers);
