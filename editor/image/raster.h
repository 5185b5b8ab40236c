// VyRaster: a decoded picture, independent of any image library. Indexed
// pictures keep their palette and pixel indexes so that a one-bit bitmap is
// written back with exactly the bits it had.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>
#include "editor/vyedit_export.h"

struct VyRaster {
    int32_t width = 0;
    int32_t height = 0;
    // 1, 4 or 8 for indexed pictures, 24 or 32 for direct colour.
    int32_t bitsPerPixel = 24;
    // ARGB (0xAARRGGBB) palette entries of an indexed picture.
    std::vector<uint32_t> palette;
    // Row-major, top row first: palette indexes, or ARGB colours.
    std::vector<uint32_t> pixels;

    bool IsIndexed() const { return bitsPerPixel <= 8; }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    uint32_t At(int32_t x, int32_t y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    // The ARGB colour of a pixel (black for an index outside the palette).
    uint32_t ColorAt(int32_t x, int32_t y) const;
};

// The largest picture the decoders accept, in pixels: far beyond any picture
// placed on a 320 x 240 display, small enough to bound memory on bad input.
inline constexpr int64_t kMaxRasterPixels = int64_t{1} << 25;
inline constexpr int32_t kMaxRasterSide = 32768;

bool IsAcceptableRasterSize(int64_t width, int64_t height);

// A picture of the given size; pixels all 0.
VYEDIT_EXPORT VyRaster MakeRaster(int32_t width, int32_t height, int32_t bitsPerPixel);
