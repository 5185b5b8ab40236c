#include "editor/image/one_bit_reduction.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
// Error diffusion decides at the middle grey whatever the threshold level:
// the error carried on keeps the picture's tone anyway.
constexpr int32_t kDiffusionCut = 128;

constexpr std::array<std::string_view, 4> kDitherNames = {"threshold", "floyd-steinberg",
                                                          "atkinson", "ordered"};

// The classic ordered pattern: every level of 16 lights one more cell, each
// as far from the ones lit before as the 4 x 4 tile allows.
constexpr std::array<std::array<int32_t, 4>, 4> kBayer4 = {{
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
}};

// A share of a pixel's error for one neighbour.
struct ErrorShare {
    int32_t dx;
    int32_t dy;
    int32_t weight;
};

struct DiffusionKernel {
    std::vector<ErrorShare> shares;
    int32_t divisor;
};

const DiffusionKernel& FloydSteinberg() {
    static const DiffusionKernel kernel{{{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}, 16};
    return kernel;
}

// Spreads six eighths: a quarter of the error is dropped, which keeps
// highlights and shadows clean.
const DiffusionKernel& Atkinson() {
    static const DiffusionKernel kernel{
        {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}}, 8};
    return kernel;
}

uint8_t GreyOf(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    auto channel = [&](int shift) {
        const uint32_t value = (argb >> shift) & 0xFF;
        return (value * alpha + 255 * (255 - alpha)) / 255;
    };
    return static_cast<uint8_t>((channel(16) * 299 + channel(8) * 587 + channel(0) * 114) / 1000);
}

std::vector<uint32_t> Threshold(const std::vector<uint8_t>& grey, int32_t level) {
    std::vector<uint32_t> bits(grey.size());
    for (size_t i = 0; i < grey.size(); ++i) {
        bits[i] = grey[i] >= level ? 1 : 0;
    }
    return bits;
}

std::vector<uint32_t> Ordered(const std::vector<uint8_t>& grey, int32_t width) {
    std::vector<uint32_t> bits(grey.size());
    for (size_t i = 0; i < grey.size(); ++i) {
        const size_t x = i % static_cast<size_t>(width);
        const size_t y = i / static_cast<size_t>(width);
        // The cell's cut sits in the middle of its sixteenth of the range.
        bits[i] = grey[i] >= 16 * kBayer4[y % 4][x % 4] + 8 ? 1 : 0;
    }
    return bits;
}

// The rows still to come that errors reach are kept as wide integers, with
// a margin of two on each side so that no share needs a bounds test.
std::vector<uint32_t> Diffuse(const std::vector<uint8_t>& grey, int32_t width, int32_t height,
                              const DiffusionKernel& kernel) {
    constexpr int32_t kMargin = 2;
    constexpr int32_t kRowsAhead = 3;
    const size_t stride = static_cast<size_t>(width) + 2 * kMargin;
    std::vector<std::vector<int32_t>> rows(kRowsAhead, std::vector<int32_t>(stride, 0));
    auto load = [&](std::vector<int32_t>& row, int32_t y) {
        std::fill(row.begin(), row.end(), 0);
        if (y >= height) {
            return;
        }
        const size_t start = static_cast<size_t>(y) * static_cast<size_t>(width);
        std::copy(grey.begin() + static_cast<ptrdiff_t>(start),
                  grey.begin() + static_cast<ptrdiff_t>(start + static_cast<size_t>(width)),
                  row.begin() + kMargin);
    };
    for (int32_t r = 0; r < kRowsAhead; ++r) {
        load(rows[static_cast<size_t>(r)], r);
    }
    std::vector<uint32_t> bits(grey.size());
    size_t out = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t value = rows[0][static_cast<size_t>(x + kMargin)];
            const bool white = value >= kDiffusionCut;
            bits[out++] = white ? 1 : 0;
            const int32_t error = value - (white ? 255 : 0);
            for (const ErrorShare& share : kernel.shares) {
                const int32_t nx = x + share.dx;
                if (nx >= 0 && nx < width) {
                    rows[static_cast<size_t>(share.dy)][static_cast<size_t>(nx + kMargin)] +=
                        error * share.weight / kernel.divisor;
                }
            }
        }
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
        load(rows.back(), y + kRowsAhead);
    }
    return bits;
}

std::vector<uint32_t> Reduce(const std::vector<uint8_t>& grey, int32_t width, int32_t height,
                             const VyReduction& reduction) {
    switch (reduction.dither) {
        case VyDither::kFloydSteinberg:
            return Diffuse(grey, width, height, FloydSteinberg());
        case VyDither::kAtkinson:
            return Diffuse(grey, width, height, Atkinson());
        case VyDither::kOrdered:
            return Ordered(grey, width);
        case VyDither::kThreshold:
        default:
            return Threshold(grey,
                             std::clamp(reduction.level, kMinReductionLevel, kMaxReductionLevel));
    }
}

}  // namespace

std::string_view DitherName(VyDither dither) {
    const auto index = static_cast<size_t>(dither);
    return index < kDitherNames.size() ? kDitherNames[index] : std::string_view();
}

std::optional<VyDither> DitherByName(std::string_view name) {
    for (VyDither dither : AllDithers()) {
        if (DitherName(dither) == name) {
            return dither;
        }
    }
    return std::nullopt;
}

const std::vector<VyDither>& AllDithers() {
    static const std::vector<VyDither> all = {VyDither::kThreshold, VyDither::kFloydSteinberg,
                                              VyDither::kAtkinson, VyDither::kOrdered};
    return all;
}

std::vector<uint8_t> GreyLevels(const VyRaster& source) {
    if (source.IsEmpty()) {
        return {};
    }
    std::vector<uint8_t> grey(static_cast<size_t>(source.width) *
                              static_cast<size_t>(source.height));
    size_t out = 0;
    for (int32_t y = 0; y < source.height; ++y) {
        for (int32_t x = 0; x < source.width; ++x) {
            grey[out++] = GreyOf(source.ColorAt(x, y));
        }
    }
    return grey;
}

VyRaster GreyRaster(const VyRaster& source) {
    if (source.IsEmpty()) {
        return {};
    }
    const std::vector<uint8_t> grey = GreyLevels(source);
    const bool twoLevels =
        std::all_of(grey.begin(), grey.end(), [](uint8_t g) { return g == 0 || g == 255; });
    VyRaster target = MakeRaster(source.width, source.height, twoLevels ? 1 : 8);
    if (twoLevels) {
        target.palette = {kBlack, kWhite};
    } else {
        for (uint32_t g = 0; g < 256; ++g) {
            target.palette.push_back(kBlack | g << 16 | g << 8 | g);
        }
    }
    for (size_t i = 0; i < grey.size(); ++i) {
        target.pixels[i] = twoLevels ? grey[i] / 255u : grey[i];
    }
    return target;
}

VyRaster ReduceToOneBit(const VyRaster& source, const VyReduction& reduction) {
    if (source.IsEmpty()) {
        return {};
    }
    VyRaster target = MakeRaster(source.width, source.height, 1);
    target.palette = {kBlack, kWhite};
    target.pixels = Reduce(GreyLevels(source), source.width, source.height, reduction);
    if (reduction.invert) {
        for (uint32_t& bit : target.pixels) {
            bit ^= 1u;
        }
    }
    return target;
}
