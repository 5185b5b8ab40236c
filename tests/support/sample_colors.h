// The 5 x 3 picture that the image fixtures hold, in ARGB, top row first.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/image/raster.h"

inline const std::vector<uint32_t> kSampleColors = {
    0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFF00, 0xFF00FFFF,
    0xFFFF00FF, 0xFF808080, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF,
};

inline std::vector<uint32_t> ColorsOf(const VyRaster& raster) {
    std::vector<uint32_t> colors;
    for (int32_t y = 0; y < raster.height; ++y) {
        for (int32_t x = 0; x < raster.width; ++x) {
            colors.push_back(raster.ColorAt(x, y));
        }
    }
    return colors;
}
