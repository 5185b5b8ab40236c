// "vylcd-cli picture IMAGE --out FILE.tpl [--size WxH] [--dither NAME]
// [--level N] [--invert]": a picture file turned into a template holding one
// bitmap object, as the editor makes one from a loaded picture, for
// converting many pictures at once.
#pragma once

#include <ostream>
#include <string>

#include "editor/image/lcd_picture.h"
#include "editor/image/one_bit_reduction.h"

struct VyPictureOptions {
    std::string outPath;
    // Both sides above 0: exactly this size; else shrunk to fit the LCD.
    VyPictureSize size;
    VyReduction reduction;
};

// Returns the exit code: 0 success; 1 when the picture cannot be read or
// decoded (a picture too large says so, naming the limit) or the template
// cannot be written (a file already there then stays as it was).
int RunPictureCommand(const std::string& imagePath, const VyPictureOptions& options,
                      std::ostream& err);
