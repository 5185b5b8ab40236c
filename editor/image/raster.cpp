#include "editor/image/raster.h"

uint32_t VyRaster::ColorAt(int32_t x, int32_t y) const {
    const uint32_t value = At(x, y);
    if (!IsIndexed()) {
        return value;
    }
    return value < palette.size() ? palette[value] : 0xFF000000u;
}

bool IsAcceptableRasterSize(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxRasterSide && height <= kMaxRasterSide &&
           width * height <= kMaxRasterPixels;
}

VyRaster MakeRaster(int32_t width, int32_t height, int32_t bitsPerPixel) {
    VyRaster raster;
    raster.width = width;
    raster.height = height;
    raster.bitsPerPixel = bitsPerPixel;
    raster.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return raster;
}
