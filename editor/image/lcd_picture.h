// A picture file made ready for a bitmap object: decoded whatever its
// format, shrunk to fit the LCD (never enlarged) or resampled to the size
// asked for, and kept as its grey levels in a BMP file. That is the source
// the object keeps; its one-bit picture is reduced from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/image/image_decoder.h"

struct VyPictureSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The size a picture takes on the LCD: shrunk to fit with its aspect kept,
// never enlarged (as it is where the LCD's size is unknown).
VyPictureSize FitPictureToLcd(VyPictureSize picture, VyPictureSize lcd);

struct VyLcdPicture {
    // The source BMP file; empty when the file is no picture that decodes.
    std::string source;
    VyDecodeProblem problem;
};

// An exact size (both sides above 0) replaces the fit to the LCD.
VyLcdPicture PrepareLcdPicture(std::string_view file, VyPictureSize lcd, VyPictureSize exact = {});

// The most pixels a picture may have, for the messages that name the limit:
// "16384 x 16384 = 268,435,456" (the side of a square too when the limit is
// one), the same in every language.
std::string PixelLimitText(int64_t maxPixels);
