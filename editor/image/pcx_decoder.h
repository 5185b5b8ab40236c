// PCX pictures: 1 bit, 4-bit planar (16 colours), 8 bits with palette and
// 24 bits in three planes, run-length coded or plain.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/image/raster.h"

// An empty result for anything that is not a readable PCX file.
std::optional<VyRaster> DecodePcx(std::string_view file);

// The size the header claims, whether or not the picture is readable.
bool ReadPcxSize(std::string_view file, int64_t* width, int64_t* height);

// True when the bytes begin like a PCX file header.
bool LooksLikePcx(std::string_view file);
