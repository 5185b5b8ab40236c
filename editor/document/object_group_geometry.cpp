// Regions, bounding rectangles, multi-object resizing, handles and picking.
#include <cmath>
#include <limits>

#include "editor/document/object_group.h"
#include "editor/document/object_selection.h"

namespace {

constexpr int32_t kMinResizeExtent = 20000;
constexpr int64_t kPickMargin = 150000;

int32_t Wrap(int64_t value) {
    return static_cast<int32_t>(value);
}

// Maps v from [from0, from1] onto [to0, to1]; a degenerate source axis maps
// onto the target's start, since no proportion can be taken from it.
int32_t MapAxis(int32_t v, int32_t from0, int32_t from1, int32_t to0, int32_t to1) {
    const double span = static_cast<double>(from1) - from0;
    if (span == 0) {
        return to0;
    }
    const double mapped =
        to0 + (static_cast<double>(to1) - to0) * (static_cast<double>(v) - from0) / span;
    const double clamped =
        std::fmax(std::fmin(std::trunc(mapped), std::numeric_limits<int32_t>::max()),
                  std::numeric_limits<int32_t>::min());
    return static_cast<int32_t>(clamped);
}

bool IsTooSmall(const VyRect& r) {
    return r.Width() < kMinResizeExtent || r.Height() < kMinResizeExtent;
}

}  // namespace

VyRect CVylObjectGroup::GetRegion(int32_t uid) const {
    const CVylObject* object = GetByObjUid(uid);
    return object == nullptr ? kEmptyRect : object->GetRegion();
}

int CVylObjectGroup::ModifyRegion(int32_t uid, const VyRect& rect) {
    CVylObject* object = GetByObjUid(uid);
    if (object == nullptr) {
        return 0;
    }
    object->SetRegion(rect);
    return 1;
}

int CVylObjectGroup::MoveRegion(int32_t uid, VyPoint offset) {
    CVylObject* object = GetByObjUid(uid);
    if (object == nullptr) {
        return 0;
    }
    const VyRect r = object->GetRegion();
    object->SetRegion({Wrap(int64_t{r.left} + offset.x), Wrap(int64_t{r.top} + offset.y),
                       Wrap(int64_t{r.right} + offset.x), Wrap(int64_t{r.bottom} + offset.y)});
    return 1;
}

void CVylObjectGroup::MoveRegions(const VyUidSet& uids, VyPoint offset) {
    for (int32_t uid : uids) {
        MoveRegion(uid, offset);
    }
}

VyRect CVylObjectGroup::GetTotalRect(const VyUidSet& uids) const {
    VyRect total = kEmptyRect;
    bool first = true;
    for (int32_t uid : uids) {
        const CVylObject* object = GetByObjUid(uid);
        if (object == nullptr) {
            continue;
        }
        if (first) {
            total = object->GetRegion();
            first = false;
            continue;
        }
        const VyRect a = total.Normalized();
        const VyRect b = object->GetRegion().Normalized();
        total = {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
    }
    return total;
}

VyRect CVylObjectGroup::GetSelectionTotalRect() const {
    if (m_selection == nullptr) {
        return kEmptyRect;
    }
    VyUidSet selected;
    m_selection->GetEverySelUidMap(selected);
    return GetTotalRect(selected);
}

void CVylObjectGroup::MapRegions(const VyUidSet& uids, const VyRect& from, const VyRect& to) {
    for (int32_t uid : uids) {
        CVylObject* object = GetByObjUid(uid);
        if (object == nullptr) {
            continue;
        }
        const VyRect r = object->GetRegion();
        object->SetRegion({MapAxis(r.left, from.left, from.right, to.left, to.right),
                           MapAxis(r.top, from.top, from.bottom, to.top, to.bottom),
                           MapAxis(r.right, from.left, from.right, to.left, to.right),
                           MapAxis(r.bottom, from.top, from.bottom, to.top, to.bottom)});
    }
}

void CVylObjectGroup::ResizeMultiOneCorner(const VyUidSet& uids, int32_t corner, VyPoint point) {
    const VyRect old = GetTotalRect(uids);
    const VyRect target = RectForDraggedHandle(old, corner, point);
    if (!IsTooSmall(target)) {
        MapRegions(uids, old, target);
    }
}

void CVylObjectGroup::ResizeMultiBothCorners(const VyUidSet& uids, const VyRect& rect) {
    if (!IsTooSmall(rect)) {
        MapRegions(uids, GetTotalRect(uids), rect);
    }
}

VyPoint CVylObjectGroup::GetPointByUidAndCorner(int32_t uid, int32_t corner) const {
    const CVylObject* object = GetByObjUid(uid);
    if (object == nullptr) {
        return kEmptyPoint;
    }
    const VyRect r = object->GetRegion();
    switch (corner) {
        case 1:
            return {r.left, r.top};
        case 2:
            return {r.right, r.top};
        case 3:
            return {r.left, r.bottom};
        case 4:
            return {r.right, r.bottom};
        default:
            return kEmptyPoint;
    }
}

int32_t CVylObjectGroup::GetCornerState(VyPoint point, bool normalize, double reach) const {
    VyRect rect = GetSelectionTotalRect();
    if (rect == kEmptyRect) {
        return kHandleNone;
    }
    if (normalize) {
        rect = rect.Normalized();
    }
    return HandleAt(rect, point, reach);
}

VyCornerCursor CVylObjectGroup::GetCornerCursor(VyPoint point, double reach) const {
    return CursorForHandle(GetCornerState(point, true, reach));
}

int CVylObjectGroup::SelectObjByCenterSenseMethod(VyPoint point, CVylObjectUniqueAttr* attrsOut,
                                                  VyPoint* centerOut) {
    const CVylObject* best = nullptr;
    int32_t bestUid = -1;
    double bestDistance = 0;
    VyPoint bestCenter;
    for (int32_t uid : m_zOrder) {
        const CVylObject* object = GetByObjUid(uid);
        if (object == nullptr) {
            continue;
        }
        const VyRect r = object->GetRegion().Normalized();
        const bool inside = point.x >= r.left - kPickMargin && point.x < r.right + kPickMargin &&
                            point.y >= r.top - kPickMargin && point.y < r.bottom + kPickMargin;
        if (!inside) {
            continue;
        }
        const VyPoint center{Wrap((int64_t{r.left} + r.right) / 2),
                             Wrap((int64_t{r.top} + r.bottom) / 2)};
        const double distance = std::hypot(static_cast<double>(point.x) - center.x,
                                           static_cast<double>(point.y) - center.y);
        if (best == nullptr || distance < bestDistance) {
            best = object;
            bestUid = uid;
            bestDistance = distance;
            bestCenter = center;
        }
    }
    if (best == nullptr) {
        return 0;
    }
    if (m_selection != nullptr) {
        m_selection->EnsureChiefSel(bestUid);
    }
    if (attrsOut != nullptr) {
        *attrsOut = best->Unique();
    }
    if (centerOut != nullptr) {
        *centerOut = bestCenter;
    }
    return 1;
}

void CVylObjectGroup::SelectObjsByRect(const VyRect& rect) {
    if (m_selection == nullptr) {
        return;
    }
    m_selection->RemoveAll();
    const VyRect closed{rect.left, rect.top, Wrap(int64_t{rect.right} + 1),
                        Wrap(int64_t{rect.bottom} + 1)};
    for (int32_t uid : GetSortedUids()) {
        const VyRect r = m_objects.at(uid).GetRegion();
        if (rect.Contains({r.left, r.top}) && closed.Contains({r.right, r.bottom})) {
            m_selection->AddSelObj(uid);
        }
    }
}
