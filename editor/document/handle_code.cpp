#include "editor/document/handle_code.h"

#include <array>
#include <cstdlib>

namespace {

constexpr int64_t kHandleTolerance = 50000;
constexpr int64_t kMoveTolerance = 80000;

bool IsNear(VyPoint p, int64_t x, int64_t y, int64_t tolerance) {
    return std::llabs(p.x - x) <= tolerance && std::llabs(p.y - y) <= tolerance;
}

}  // namespace

VyCornerCursor CursorForHandle(int32_t handle) {
    switch (handle) {
        case kHandleTopLeft:
        case kHandleBottomRight:
            return VyCornerCursor::kSizeNwse;
        case kHandleTopRight:
        case kHandleBottomLeft:
            return VyCornerCursor::kSizeNesw;
        case kHandleLeft:
        case kHandleRight:
            return VyCornerCursor::kSizeWe;
        case kHandleTop:
        case kHandleBottom:
            return VyCornerCursor::kSizeNs;
        case kHandleMove:
            return VyCornerCursor::kSizeAll;
        default:
            return VyCornerCursor::kArrow;
    }
}

VyRect RectForDraggedHandle(const VyRect& o, int32_t handle, VyPoint p) {
    switch (handle) {
        case kHandleTopLeft:
            return {p.x, p.y, o.right, o.bottom};
        case kHandleTopRight:
            return {o.left, p.y, p.x, o.bottom};
        case kHandleBottomLeft:
            return {p.x, o.top, o.right, p.y};
        case kHandleLeft:
            return {p.x, o.top, o.right, o.bottom};
        case kHandleRight:
            return {o.left, o.top, p.x, o.bottom};
        case kHandleTop:
            return {o.left, p.y, o.right, o.bottom};
        case kHandleBottom:
            return {o.left, o.top, o.right, p.y};
        default:
            return {o.left, o.top, p.x, p.y};
    }
}

int32_t HandleAt(const VyRect& r, VyPoint p, double reach) {
    const int64_t cx = (static_cast<int64_t>(r.left) + r.right) / 2;
    const int64_t cy = (static_cast<int64_t>(r.top) + r.bottom) / 2;
    struct Probe {
        int32_t code;
        int64_t x;
        int64_t y;
        int64_t tolerance;
    };
    const std::array<Probe, 9> probes = {{
        {kHandleTopLeft, r.left, r.top, kHandleTolerance},
        {kHandleTopRight, r.right, r.top, kHandleTolerance},
        {kHandleBottomRight, r.right, r.bottom, kHandleTolerance},
        {kHandleBottomLeft, r.left, r.bottom, kHandleTolerance},
        {kHandleMove, cx, cy, kMoveTolerance},
        {kHandleTop, cx, r.top, kHandleTolerance},
        {kHandleBottom, cx, r.bottom, kHandleTolerance},
        {kHandleLeft, r.left, cy, kHandleTolerance},
        {kHandleRight, r.right, cy, kHandleTolerance},
    }};
    for (const Probe& probe : probes) {
        if (IsNear(p, probe.x, probe.y, static_cast<int64_t>(probe.tolerance * reach))) {
            return probe.code;
        }
    }
    return kHandleNone;
}
