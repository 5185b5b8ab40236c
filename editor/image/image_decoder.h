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

// The picture, or an empty result for unknown or unreadable content.
std::optional<VyRaster> DecodeImage(std::string_view bytes);

VyRaster RasterFromQImage(const QImage& image);
QImage QImageFromRaster(const VyRaster& raster);
