#include "editor/image/raster_ops.h"

namespace {

// Source coordinate of the destination pixel's centre.
int32_t NearestSource(int32_t target, int32_t targetSize, int32_t sourceSize) {
    return static_cast<int32_t>((2 * static_cast<int64_t>(target) + 1) * sourceSize /
                                (2 * static_cast<int64_t>(targetSize)));
}

}  // namespace

VyRaster ResampleNearest(const VyRaster& source, int32_t width, int32_t height) {
    if (source.IsEmpty() || !IsAcceptableRasterSize(width, height)) {
        return {};
    }
    VyRaster target = MakeRaster(width, height, source.bitsPerPixel);
    target.palette = source.palette;
    std::vector<int32_t> columns(static_cast<size_t>(width));
    for (int32_t x = 0; x < width; ++x) {
        columns[static_cast<size_t>(x)] = NearestSource(x, width, source.width);
    }
    size_t out = 0;
    for (int32_t y = 0; y < height; ++y) {
        const int32_t sy = NearestSource(y, height, source.height);
        for (int32_t x = 0; x < width; ++x) {
            target.pixels[out++] = source.At(columns[static_cast<size_t>(x)], sy);
        }
    }
    return target;
}
