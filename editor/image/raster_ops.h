// Whole-picture operations: resampling (the reduction to one bit is in
// one_bit_reduction.h).
#pragma once

#include "editor/image/raster.h"

// Nearest-pixel resampling to exactly width x height; an indexed picture stays
// indexed with the same palette. An empty source or size gives an empty raster.
VyRaster ResampleNearest(const VyRaster& source, int32_t width, int32_t height);
