#include "editor/canvas/grid_snap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int64_t kSnapReach = 90000;

int32_t GridDots(const CVylGridSystem& grid) {
    return grid.GetGridInt("use_grid", 0) != 0 ? grid.GetGridInt("grid_size", 0) : 0;
}

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t SnapCoordinate(int32_t c, int32_t gridDots) {
    if (gridDots == 0) {
        return c;
    }
    const int64_t step = std::abs(static_cast<int64_t>(gridDots)) * 10000;
    // Worked on the magnitude so that the remainder is never negative.
    const int64_t magnitude = std::abs(static_cast<int64_t>(c));
    const int64_t r = magnitude % step;
    // 9 dots away still counts as near.
    if (r > kSnapReach && r < step - kSnapReach) {
        return c;
    }
    const int64_t snapped =
        std::min<int64_t>(r >= step / 2 ? magnitude - r + step : magnitude - r, INT32_MAX);
    return static_cast<int32_t>(c < 0 ? -snapped : snapped);
}

VyPoint SnapPoint(const CVylGridSystem& grid, VyPoint point) {
    const int32_t dots = GridDots(grid);
    return {SnapCoordinate(point.x, dots), SnapCoordinate(point.y, dots)};
}

VyRect SnapRegion(const CVylGridSystem& grid, const VyRect& region) {
    const VyPoint a = SnapPoint(grid, {region.left, region.top});
    const VyPoint b = SnapPoint(grid, {region.right, region.bottom});
    return {a.x, a.y, b.x, b.y};
}

int32_t KeyStep(const CVylGridSystem& grid) {
    if (grid.GetGridInt("use_grid", 0) == 0) {
        return 10000;
    }
    return Clamp32(static_cast<int64_t>(grid.GetGridInt("grid_size", 8)) * 10000);
}
