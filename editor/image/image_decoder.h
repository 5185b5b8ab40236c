// Picture files of every supported format (BMP, JPEG, GIF, PNG, ICO, TIFF,
// PCX) decoded from memory with the format told by the content, and the
// bridge between VyRaster and QImage for drawing.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <string_view>

#include "editor/image/raster.h"

// The format name ("bmp", "jpeg", "gif", "png", "ico", "tiff", "pcx") the
// content shows, or "" when it is none of them.
std::string DetectImageFormat(std::string_view bytes);

// Pictures of the formats read through Qt may have up to this many pixels
// (16384 x 16384); larger ones are refused before they are read. Our own
// PCX decoder reads up to kMaxRasterPixels.
inline constexpr int64_t kMaxDecodedPixels = int64_t{16384} * 16384;

// Why a picture was not decoded: too large (with the size it claims and the
// most pixels its format is read with), or not readable at all.
struct VyDecodeProblem {
    bool tooLarge = false;
    int64_t width = 0;
    int64_t height = 0;
    int64_t maxPixels = 0;
};

// The picture, or an empty result for unknown or unreadable content; the
// reason goes to problem when one is given.
std::optional<VyRaster> DecodeImage(std::string_view bytes, VyDecodeProblem* problem = nullptr);

VyRaster RasterFromQImage(const QImage& image);
QImage QImageFromRaster(const VyRaster& raster);
