// Whole-picture operations: resampling and reduction to one bit per pixel.
#pragma once

#include "editor/image/raster.h"

// Nearest-pixel resampling to exactly width x height; an indexed picture stays
// indexed with the same palette. An empty source or size gives an empty raster.
VyRaster ResampleNearest(const VyRaster& source, int32_t width, int32_t height);

// Every pixel becomes the nearer of black and white (no error diffusion);
// transparent pixels count as white. Palette: 0 black, 1 white.
VyRaster ReduceToOneBit(const VyRaster& source);
