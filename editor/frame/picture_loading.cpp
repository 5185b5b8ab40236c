#include "editor/frame/picture_loading.h"

#include "editor/image/bmp_codec.h"
#include "editor/image/image_decoder.h"
#include "editor/image/one_bit_reduction.h"
#include "editor/image/raster_ops.h"

std::optional<std::string> PrepareLcdPicture(std::string_view file, int32_t lcdWidth,
                                             int32_t lcdHeight) {
    std::optional<VyRaster> picture = DecodeImage(file);
    if (!picture || picture->IsEmpty()) {
        return std::nullopt;
    }
    const int32_t w = picture->width;
    const int32_t h = picture->height;
    if (lcdWidth > 0 && lcdHeight > 0 && (lcdWidth < w || lcdHeight < h)) {
        const double ratio = static_cast<double>(h) / w;
        const bool heightLimits = static_cast<double>(lcdHeight) / lcdWidth < ratio;
        const int32_t width = heightLimits ? static_cast<int32_t>(lcdHeight / ratio) : lcdWidth;
        const int32_t height = heightLimits ? lcdHeight : static_cast<int32_t>(ratio * lcdWidth);
        picture = ResampleNearest(*picture, std::max(width, 1), std::max(height, 1));
    }
    return EncodeBmp(ReduceToOneBit(*picture));
}
