#include "editor/document/stacking_order.h"

#include <algorithm>

std::vector<int32_t> OrderWithUidsAtRow(const std::vector<int32_t>& order, const VyUidSet& uids,
                                        size_t row) {
    // Worked top first, as the list shows it.
    std::vector<int32_t> rest;
    std::vector<int32_t> moved;
    size_t insertAt = 0;
    for (size_t shown = 0; shown < order.size(); ++shown) {
        const int32_t uid = order[order.size() - 1 - shown];
        if (uids.count(uid) != 0) {
            moved.push_back(uid);
            continue;
        }
        rest.push_back(uid);
        if (shown < row) {
            insertAt = rest.size();
        }
    }
    rest.insert(rest.begin() + static_cast<std::ptrdiff_t>(insertAt), moved.begin(), moved.end());
    std::reverse(rest.begin(), rest.end());
    return rest;
}

std::vector<int32_t> OrderWithUidsOnTop(const std::vector<int32_t>& order, const VyUidSet& uids) {
    return OrderWithUidsAtRow(order, uids, 0);
}

std::vector<int32_t> OrderWithUidsAtBottom(const std::vector<int32_t>& order,
                                           const VyUidSet& uids) {
    return OrderWithUidsAtRow(order, uids, order.size());
}

bool IsReorderingOf(const std::vector<int32_t>& order, const std::vector<int32_t>& target) {
    if (order.size() != target.size()) {
        return false;
    }
    std::vector<int32_t> a = order;
    std::vector<int32_t> b = target;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

// Builds the target from the bottom: each of its uids in turn comes down to
// its place past the uids that belong above it, which is one swap for each
// pair the two orders disagree on, so no shorter series exists.
std::vector<CVylEditAction> StackingMoves(const std::vector<int32_t>& order,
                                          const std::vector<int32_t>& target,
                                          const VyUidSet& movers) {
    std::vector<CVylEditAction> moves;
    if (!IsReorderingOf(order, target)) {
        return moves;
    }
    std::vector<int32_t> work = order;
    for (size_t place = 0; place < target.size(); ++place) {
        size_t at = static_cast<size_t>(std::find(work.begin() + static_cast<std::ptrdiff_t>(place),
                                                  work.end(), target[place]) -
                                        work.begin());
        for (; at > place; --at) {
            const int32_t lower = work[at - 1];
            const int32_t upper = work[at];
            const bool lowerMoves = movers.count(lower) != 0 && movers.count(upper) == 0;
            moves.push_back(lowerMoves ? CVylEditAction::GoUp(lower)
                                       : CVylEditAction::GoDown(upper));
            std::swap(work[at - 1], work[at]);
        }
    }
    return moves;
}
