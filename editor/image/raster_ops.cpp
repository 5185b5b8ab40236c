#include "editor/image/raster_ops.h"

namespace {

// Source coordinate of the destination pixel's centre.
int32_t NearestSource(int32_t target, int32_t targetSize, int32_t sourceSize) {
    return static_cast<int32_t>((2 * static_cast<int64_t>(target) + 1) * sourceSize /
                                (2 * static_cast<int64_t>(targetSize)));
}

bool IsNearerWhite(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    auto channel = [&](int shift) {
        const uint32_t value = (argb >> shift) & 0xFF;
        return (value * alpha + 255 * (255 - alpha)) / 255;
    };
    const uint32_t gray = (channel(16) * 299 + channel(8) * 587 + channel(0) * 114) / 1000;
    return gray >= 128;
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

VyRaster ReduceToOneBit(const VyRaster& source) {
    if (source.IsEmpty()) {
        return {};
    }
    VyRaster target = MakeRaster(source.width, source.height, 1);
    target.palette = {0xFF000000u, 0xFFFFFFFFu};
    size_t out = 0;
    for (int32_t y = 0; y < source.height; ++y) {
        for (int32_t x = 0; x < source.width; ++x) {
            target.pixels[out++] = IsNearerWhite(source.ColorAt(x, y)) ? 1 : 0;
        }
    }
    return target;
}
