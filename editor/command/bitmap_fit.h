// Fitting a stored picture to the pixel size of its object's region.
#pragma once

#include <string>
#include <string_view>

#include "editor/model/geometry.h"

// The BMP file resampled (nearest pixel) to |right - left| / 10000 + 1 by
// |bottom - top| / 10000 + 1 pixels and encoded again; the bytes as given when
// they do not decode or the size is beyond any picture the decoders accept.
std::string FitBitmapToRegion(std::string_view bmpFile, const VyRect& region);
