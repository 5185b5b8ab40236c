// Reduction of a picture to one bit per pixel, as the user chooses it: a cut
// at a grey level, the cut with its error spread over the neighbours
// (Floyd-Steinberg, Atkinson), or the ordered 4 x 4 pattern; each may be
// inverted. Every method works on grey levels, transparent parts counting as
// white, so a picture kept as its grey levels reduces exactly as the picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "editor/image/raster.h"

enum class VyDither : int32_t {
    kThreshold = 0,
    kFloydSteinberg = 1,
    kAtkinson = 2,
    kOrdered = 3,
};

inline constexpr int32_t kMinReductionLevel = 1;
inline constexpr int32_t kMaxReductionLevel = 255;
// The nearer of black and white.
inline constexpr int32_t kDefaultReductionLevel = 128;

struct VyReduction {
    VyDither dither = VyDither::kThreshold;
    // The cut: grey levels from it up become white (the threshold only).
    int32_t level = kDefaultReductionLevel;
    bool invert = false;

    bool operator==(const VyReduction&) const = default;
};

// "threshold", "floyd-steinberg", "atkinson", "ordered".
std::string_view DitherName(VyDither dither);
std::optional<VyDither> DitherByName(std::string_view name);
// Every method, in the order of its number.
const std::vector<VyDither>& AllDithers();

// The grey level of every pixel (0 black to 255 white), row-major.
std::vector<uint8_t> GreyLevels(const VyRaster& source);

// The picture as its grey levels: eight bits with a grey palette, or one bit
// when it holds only black and white.
VyRaster GreyRaster(const VyRaster& source);

// Palette: 0 black, 1 white. An empty source gives an empty raster; a level
// outside 1 to 255 is taken as the nearest of them.
VyRaster ReduceToOneBit(const VyRaster& source, const VyReduction& reduction = {});
