#include "editor/command/bitmap_fit.h"

#include <cstdlib>

#include "editor/image/bmp_codec.h"
#include "editor/image/raster_ops.h"

std::string FitBitmapToRegion(std::string_view bmpFile, const VyRect& region) {
    const int64_t width = std::llabs(region.Width() / 10000) + 1;
    const int64_t height = std::llabs(region.Height() / 10000) + 1;
    if (!IsAcceptableRasterSize(width, height)) {
        return std::string(bmpFile);
    }
    const std::optional<VyRaster> picture = DecodeBmp(bmpFile);
    if (!picture) {
        return std::string(bmpFile);
    }
    const VyRaster fitted =
        ResampleNearest(*picture, static_cast<int32_t>(width), static_cast<int32_t>(height));
    std::string encoded = EncodeBmp(fitted);
    return encoded.empty() ? std::string(bmpFile) : encoded;
}
