// BMP files in memory: decoding of the common forms (1, 4, 8 bits with
// palette, plain or run-length coded; 16, 24 and 32 bits) and encoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/image/raster.h"
#include "editor/vyedit_export.h"

// An empty result for anything that is not a readable BMP file.
std::optional<VyRaster> DecodeBmp(std::string_view file);

// Indexed pictures keep their depth (1, 4 or 8 bits; deeper when the palette
// needs it), direct-colour ones are written with 24 bits. Empty text for an
// empty raster.
VYEDIT_EXPORT std::string EncodeBmp(const VyRaster& raster);

// Width and height from a BMP file's header, without decoding the pixels.
bool ReadBmpSize(std::string_view file, int32_t* width, int32_t* height);
