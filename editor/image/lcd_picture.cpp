#include "editor/image/lcd_picture.h"

#include <algorithm>
#include <cmath>

#include "editor/image/bmp_codec.h"
#include "editor/image/one_bit_reduction.h"
#include "editor/image/raster_ops.h"

VyPictureSize FitPictureToLcd(VyPictureSize picture, VyPictureSize lcd) {
    const int32_t w = picture.width;
    const int32_t h = picture.height;
    if (w <= 0 || h <= 0 || lcd.width <= 0 || lcd.height <= 0 ||
        (lcd.width >= w && lcd.height >= h)) {
        return picture;
    }
    const double ratio = static_cast<double>(h) / w;
    const bool heightLimits = static_cast<double>(lcd.height) / lcd.width < ratio;
    const int32_t width = heightLimits ? static_cast<int32_t>(lcd.height / ratio) : lcd.width;
    const int32_t height = heightLimits ? lcd.height : static_cast<int32_t>(ratio * lcd.width);
    return {std::max(width, 1), std::max(height, 1)};
}

VyLcdPicture PrepareLcdPicture(std::string_view file, VyPictureSize lcd, VyPictureSize exact) {
    VyLcdPicture prepared;
    std::optional<VyRaster> picture = DecodeImage(file, &prepared.problem);
    if (!picture || picture->IsEmpty()) {
        return prepared;
    }
    const VyPictureSize size = exact.width > 0 && exact.height > 0
                                   ? exact
                                   : FitPictureToLcd({picture->width, picture->height}, lcd);
    if (size.width != picture->width || size.height != picture->height) {
        picture = ResampleNearest(*picture, size.width, size.height);
    }
    prepared.source = EncodeBmp(GreyRaster(*picture));
    return prepared;
}

std::string PixelLimitText(int64_t maxPixels) {
    std::string count = std::to_string(maxPixels);
    for (ptrdiff_t at = static_cast<ptrdiff_t>(count.size()) - 3; at > 0; at -= 3) {
        count.insert(static_cast<size_t>(at), 1, ',');
    }
    const auto side = static_cast<int64_t>(std::llround(std::sqrt(static_cast<double>(maxPixels))));
    if (maxPixels > 0 && side * side == maxPixels) {
        const std::string sideText = std::to_string(side);
        return sideText + " x " + sideText + " = " + count;
    }
    return count;
}
