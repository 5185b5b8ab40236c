#include "editor/document/linker_actions.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

struct Placement {
    VyLinkerPoint point;
    VyRect region;
};

double Distance(VyPoint a, VyPoint b) {
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

// Selected uids, chief first, then the slaves in their order.
std::vector<int32_t> SelectionOrder(const CVylObjectSelection& selection) {
    std::vector<int32_t> order;
    if (selection.GetChiefUid() >= 0) {
        order.push_back(selection.GetChiefUid());
    }
    order.insert(order.end(), selection.GetSlaves().begin(), selection.GetSlaves().end());
    return order;
}

VyRect WithCorner(VyRect r, int32_t corner, VyPoint p) {
    if (corner == 1 || corner == 3) {
        r.left = p.x;
    } else {
        r.right = p.x;
    }
    if (corner == 1 || corner == 2) {
        r.top = p.y;
    } else {
        r.bottom = p.y;
    }
    return r;
}

// The point the others follow: the first one of a selected object, else the
// linker's first point whose object is still there (none: nothing to follow).
std::optional<VyLinkerPoint> ReferencePoint(const CVylLinker& linker, const CVylObjectGroup& group,
                                            const CVylObjectSelection& selection) {
    for (int32_t uid : SelectionOrder(selection)) {
        for (int32_t corner = 1; corner <= 4; ++corner) {
            if (linker.Holds(LinkerPointKey(uid, corner))) {
                return VyLinkerPoint{uid, corner};
            }
        }
    }
    for (const auto& [key, point] : linker.Points()) {
        if (group.GetByObjUid(point.uid) != nullptr) {
            return point;
        }
    }
    return std::nullopt;
}

// Where the other points of every linker must go. An object held by several
// linkers gets one region with each of its corners moved, so that no joint
// undoes another.
std::vector<Placement> Placements(const CVylObjectGroup& group,
                                  const CVylObjectSelection& selection) {
    std::vector<Placement> placements;
    std::map<int32_t, size_t> placed;
    for (const auto& [linkerUid, linker] : group.GetLinkers()) {
        const std::optional<VyLinkerPoint> reference = ReferencePoint(linker, group, selection);
        if (linker.Points().size() < 2 || !reference) {
            continue;
        }
        const VyPoint target = group.GetPointByUidAndCorner(reference->uid, reference->corner);
        for (const auto& [key, point] : linker.Points()) {
            const CVylObject* object = group.GetByObjUid(point.uid);
            if (point == *reference || object == nullptr) {
                continue;
            }
            const auto [at, first] = placed.try_emplace(point.uid, placements.size());
            if (first) {
                placements.push_back({point, object->GetRegion()});
            }
            VyRect& region = placements[at->second].region;
            region = WithCorner(region, point.corner, target);
        }
    }
    // Objects that are where they must be need no action.
    std::erase_if(placements, [&](const Placement& placement) {
        return placement.region == group.GetRegion(placement.point.uid);
    });
    return placements;
}

}  // namespace

int AddFollowUpActions(CVylEditActionGroup& history, const CVylObjectGroup& group,
                       const CVylObjectSelection& selection, int32_t swift) {
    const std::vector<Placement> placements = Placements(group, selection);
    for (size_t i = 0; i < placements.size(); ++i) {
        CVylEditAction action =
            CVylEditAction::ModResize(placements[i].point.uid, placements[i].region, false);
        // One undo takes back every follow-up: only the last one carries the
        // caller's flag.
        action.swift = i + 1 < placements.size() ? 1 : swift;
        history.AddEditAction(std::move(action));
    }
    return static_cast<int>(placements.size());
}

void ApplyLivePass(CVylObjectGroup& group, const CVylObjectSelection& selection) {
    for (const Placement& placement : Placements(group, selection)) {
        group.ModifyRegion(placement.point.uid, placement.region);
    }
}

VyJoinResult JoinNearestEndPoints(CVylEditActionGroup& history, CVylObjectGroup& group,
                                  const CVylObjectSelection& selection) {
    if (selection.GetEverySelCount() != 2) {
        return VyJoinResult::kBadSelection;
    }
    const int32_t chiefUid = selection.GetChiefUid();
    const int32_t otherUid = *selection.GetSlaves().begin();
    const CVylObject* chief = group.GetByObjUid(chiefUid);
    const CVylObject* other = group.GetByObjUid(otherUid);
    if (chief == nullptr || other == nullptr) {
        return VyJoinResult::kBadSelection;
    }
    if (chief->GetKind() != kObjLine || other->GetKind() != kObjLine) {
        return VyJoinResult::kNotLines;
    }
    // The nearest pair of end points; on a tie the first in this order.
    constexpr std::array<std::array<int32_t, 2>, 4> kPairs = {{{1, 1}, {1, 4}, {4, 1}, {4, 4}}};
    std::array<int32_t, 2> best = kPairs[0];
    double bestDistance = -1;
    for (const auto& pair : kPairs) {
        const double d = Distance(group.GetPointByUidAndCorner(chiefUid, pair[0]),
                                  group.GetPointByUidAndCorner(otherUid, pair[1]));
        if (bestDistance < 0 || d < bestDistance) {
            best = pair;
            bestDistance = d;
        }
    }
    const VyLinkerPoint points[2] = {{chiefUid, best[0]}, {otherUid, best[1]}};
    const std::optional<int32_t> linked[2] = {
        group.GetLinkerOfPoint(LinkerPointKey(points[0].uid, points[0].corner)),
        group.GetLinkerOfPoint(LinkerPointKey(points[1].uid, points[1].corner))};
    if (linked[0] && linked[1]) {
        return VyJoinResult::kAlreadyJoined;
    }
    int32_t linkerUid = 0;
    if (linked[0] || linked[1]) {
        linkerUid = linked[0] ? *linked[0] : *linked[1];
    } else {
        linkerUid = history.TakeLinkerUid();
        CVylEditAction add = CVylEditAction::AddLinker(linkerUid);
        add.ApplyTo(group);
        history.AddEditAction(std::move(add));
    }
    for (int i = 0; i < 2; ++i) {
        if (linked[i]) {
            continue;
        }
        CVylEditAction join =
            CVylEditAction::AddPointToLinker(linkerUid, points[i].uid, points[i].corner);
        join.swift = 1;
        join.ApplyTo(group);
        history.AddEditAction(std::move(join));
    }
    if (AddFollowUpActions(history, group, selection, 0) == 0) {
        // Points that already coincide need no move: the join ends the block.
        history.SetLastActionSwift(0);
    }
    ApplyLivePass(group, selection);
    return VyJoinResult::kJoined;
}

int AddActionsForDetachSelectedObjectsPointsFromLinker(CVylEditActionGroup& history,
                                                       const CVylObjectGroup& group,
                                                       const CVylObjectSelection& selection,
                                                       bool closeBlock) {
    std::vector<CVylEditAction> made;
    // A point is detached once even when two selected objects share its
    // linker, and a linker is never left holding a single point.
    std::set<std::string> detached;
    std::map<int32_t, size_t> left;
    auto detach = [&](int32_t linkerUid, const VyLinkerPoint& point) {
        if (detached.insert(LinkerPointKey(point.uid, point.corner)).second) {
            made.push_back(
                CVylEditAction::DetachPointFromLinker(linkerUid, point.uid, point.corner));
            --left[linkerUid];
        }
    };
    for (int32_t uid : SelectionOrder(selection)) {
        for (int32_t corner = 1; corner <= 8; ++corner) {
            const std::optional<int32_t> linkerUid =
                group.GetLinkerOfPoint(LinkerPointKey(uid, corner));
            const CVylLinker* linker = linkerUid ? group.GetLinker(*linkerUid) : nullptr;
            if (linker == nullptr) {
                continue;
            }
            left.try_emplace(*linkerUid, linker->Points().size());
            detach(*linkerUid, {uid, corner});
            if (left[*linkerUid] == 1) {
                for (const auto& [key, point] : linker->Points()) {
                    detach(*linkerUid, point);
                }
            }
        }
    }
    if (closeBlock && !made.empty()) {
        made.back().swift = 0;
    }
    for (CVylEditAction& action : made) {
        history.AddEditAction(std::move(action));
    }
    return static_cast<int>(made.size());
}
