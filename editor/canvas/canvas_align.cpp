// Alignment and spacing of several objects, Tab browsing between nearby
// objects and the right-angle command for lines.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "editor/canvas/canvas_core.h"
#include "editor/document/linker_actions.h"
#include "editor/document/linker_store.h"

namespace {

constexpr double kNeighbourDistance = 500000.0;

VyPoint Centre(const VyRect& r) {
    return {static_cast<int32_t>((static_cast<int64_t>(r.left) + r.right) / 2),
            static_cast<int32_t>((static_cast<int64_t>(r.top) + r.bottom) / 2)};
}

bool Near(VyPoint a, VyPoint b) {
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y) <
           kNeighbourDistance;
}

int32_t Sat(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The edge an alignment mode compares; the size modes go by the left or top.
int64_t EdgeFor(std::string_view mode, const VyRect& r) {
    if (mode == "right") {
        return std::max(r.left, r.right);
    }
    if (mode == "bottom") {
        return std::max(r.top, r.bottom);
    }
    if (mode == "top" || mode == "height") {
        return std::min(r.top, r.bottom);
    }
    return std::min(r.left, r.right);
}

// The offset that puts the region's edge onto the reference's.
VyPoint AlignOffset(std::string_view mode, const VyRect& r, const VyRect& reference) {
    const int64_t edge = EdgeFor(mode, r);
    if (mode == "top") {
        return {0, Sat(reference.top - edge)};
    }
    if (mode == "bottom") {
        return {0, Sat(reference.bottom - edge)};
    }
    if (mode == "left") {
        return {Sat(reference.left - edge), 0};
    }
    if (mode == "right") {
        return {Sat(reference.right - edge), 0};
    }
    return {0, 0};
}

VyRect Moved(const VyRect& r, VyPoint d) {
    return {Sat(int64_t{r.left} + d.x), Sat(int64_t{r.top} + d.y), Sat(int64_t{r.right} + d.x),
            Sat(int64_t{r.bottom} + d.y)};
}

// The region with the reference's width and/or height; the far edge moves
// (the near one where the region is reversed).
VyRect Resized(VyRect r, std::string_view mode, int64_t width, int64_t height) {
    if (mode == "width" || mode == "size") {
        (r.left > r.right ? r.left : r.right) =
            Sat(int64_t{r.left > r.right ? r.right : r.left} + width);
    }
    if (mode == "height" || mode == "size") {
        (r.top > r.bottom ? r.top : r.bottom) =
            Sat(int64_t{r.top > r.bottom ? r.bottom : r.top} + height);
    }
    return r;
}

}  // namespace

std::optional<int32_t> CVylCanvasCore::LinkerOf(int32_t uid) const {
    for (int32_t corner = 1; corner <= 8; ++corner) {
        if (const auto linker = m_group.GetLinkerOfPoint(LinkerPointKey(uid, corner))) {
            return linker;
        }
    }
    return std::nullopt;
}

void CVylCanvasCore::Align(std::string_view mode) {
    CommitPendingEdits();
    if (SelectionCount() < 2 || m_selection.GetChiefSelectedObj() == nullptr) {
        return;
    }
    if (mode == "horiz_gap" || mode == "vert_gap") {
        SpaceEvenly(mode == "horiz_gap");
    } else if (mode == "top" || mode == "bottom" || mode == "left" || mode == "right" ||
               mode == "width" || mode == "height" || mode == "size") {
        AlignEdges(mode);
    }
}

void CVylCanvasCore::AlignEdges(std::string_view mode) {
    const VyRect reference = m_group.GetRegion(m_selection.GetChiefUid()).Normalized();
    std::vector<std::pair<int64_t, int32_t>> order;
    for (int32_t uid : SelectedUids()) {
        if (m_group.GetByObjUid(uid) != nullptr) {
            order.emplace_back(EdgeFor(mode, m_group.GetRegion(uid)), uid);
        }
    }
    const bool descending = mode == "right" || mode == "bottom";
    std::stable_sort(order.begin(), order.end(), [descending](const auto& a, const auto& b) {
        return descending ? a.first > b.first : a.first < b.first;
    });
    // Joined objects move together: the first of a linker sets the offset.
    std::map<int32_t, VyPoint> linkerOffsets;
    for (const auto& [edge, uid] : order) {
        const VyRect region = m_group.GetRegion(uid);
        const std::optional<int32_t> linker = LinkerOf(uid);
        VyRect aligned;
        if (linker && linkerOffsets.count(*linker) != 0) {
            aligned = Moved(region, linkerOffsets[*linker]);
        } else if (linker) {
            const VyPoint offset = AlignOffset(mode, region, reference);
            linkerOffsets[*linker] = offset;
            aligned = Moved(region, offset);
        } else {
            aligned = Resized(Moved(region, AlignOffset(mode, region, reference)), mode,
                              reference.Width(), reference.Height());
        }
        RecordMoveSingle(uid, aligned, 1);
    }
    CloseLastSwift();
}

void CVylCanvasCore::SpaceEvenly(bool horizontal) {
    struct Item {
        int32_t uid;
        VyRect region;
        double centre;
        int64_t size;
    };
    std::vector<Item> items;
    int64_t start = INT64_MAX;
    int64_t end = INT64_MIN;
    int64_t total = 0;
    for (int32_t uid : SelectedUids()) {
        if (m_group.GetByObjUid(uid) == nullptr) {
            continue;
        }
        const VyRect region = m_group.GetRegion(uid);
        const VyRect n = region.Normalized();
        const int64_t low = horizontal ? n.left : n.top;
        const int64_t high = horizontal ? n.right : n.bottom;
        start = std::min(start, low);
        end = std::max(end, high);
        total += high - low;
        items.push_back({uid, region, (static_cast<double>(low) + high) / 2.0, high - low});
    }
    if (items.size() < 2) {
        return;
    }
    const double gap =
        static_cast<double>(end - start - total) / static_cast<double>(items.size() - 1);
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.centre < b.centre; });
    double position = static_cast<double>(start);
    for (const Item& item : items) {
        const int32_t low = Sat(static_cast<int64_t>(position));
        const int32_t high = Sat(static_cast<int64_t>(position + static_cast<double>(item.size)));
        VyRect r = item.region;
        // A reversed region keeps its direction.
        int32_t& first = horizontal ? r.left : r.top;
        int32_t& second = horizontal ? r.right : r.bottom;
        const bool reversed = first > second;
        (reversed ? second : first) = low;
        (reversed ? first : second) = high;
        RecordMoveSingle(item.uid, r, 1);
        position += static_cast<double>(item.size) + gap;
    }
    CloseLastSwift();
}

int CVylCanvasCore::OnTab() {
    CommitPendingEdits();
    const CVylObject* anchor = m_group.GetByObjUid(m_tabAnchor);
    const int32_t chief = m_selection.GetChiefUid();
    if (anchor == nullptr || chief < 0 || m_group.GetByObjUid(chief) == nullptr) {
        return 0;
    }
    const VyPoint centre = Centre(anchor->GetRegion());
    bool anchorSeen = false;
    int32_t uid = chief;
    // The walk ends on the second visit of the anchor, so it is bounded.
    for (;;) {
        uid = m_group.GetNextZOrderUid(uid, true);
        if (uid < 0) {
            return 0;
        }
        if (uid == m_tabAnchor) {
            if (anchorSeen) {
                return 0;
            }
            anchorSeen = true;
        } else if (uid == chief) {
            continue;
        }
        if (Near(Centre(m_group.GetRegion(uid)), centre)) {
            m_selection.SetSingleSelection(uid, false);
            m_mouseState = kMouseSelected;
            UpdateUniqueAttrFromSelectedObject();
            OnAgain(1, 0, 1, 1, 0, 0);
            return 1;
        }
    }
}

void CVylCanvasCore::LetRightAngleOneSel() {
    CommitPendingEdits();
    const int32_t uid = m_selection.GetChiefUid();
    if (m_group.GetByObjUid(uid) == nullptr) {
        return;
    }
    const VyRect old = m_group.GetRegion(uid);
    VyRect r = old;
    if (std::llabs(int64_t{r.bottom} - r.top) <= std::llabs(int64_t{r.right} - r.left)) {
        r.top = r.bottom = static_cast<int32_t>((int64_t{r.top} + r.bottom) / 2);
    } else {
        r.left = r.right = static_cast<int32_t>((int64_t{r.left} + r.right) / 2);
    }
    if (r == old) {
        return;
    }
    RecordWithFollowUps(CVylEditAction::MoveSingle(uid, r));
    m_mouseState = kMouseSelected;
    OnAgain(1, 1, 1, 0, 1, 1);
}
