// Points and rectangles of the drawing, in virtual units (1/10000 dot).
#pragma once

#include <algorithm>
#include <cstdint>

struct VyPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const VyPoint&) const = default;
};

struct VyRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const VyRect&) const = default;
    int64_t Width() const { return static_cast<int64_t>(right) - left; }
    int64_t Height() const { return static_cast<int64_t>(bottom) - top; }

    // The same area with left <= right and top <= bottom.
    VyRect Normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    // Right and bottom edges excluded, as a point-in-rectangle test usually is.
    bool Contains(VyPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
};

inline constexpr VyRect kEmptyRect{-1, -1, -1, -1};
inline constexpr VyPoint kEmptyPoint{-1, -1};
