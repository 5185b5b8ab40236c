#include "editor/image/one_bit_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "tests/support/sample_colors.h"

namespace {

// A picture of the given grey levels, row-major.
VyRaster Greys(int32_t width, int32_t height, const std::vector<uint32_t>& levels) {
    VyRaster raster = MakeRaster(width, height, 32);
    for (size_t i = 0; i < levels.size(); ++i) {
        raster.pixels[i] = 0xFF000000u | levels[i] << 16 | levels[i] << 8 | levels[i];
    }
    return raster;
}

VyRaster Uniform(int32_t width, int32_t height, uint32_t level) {
    return Greys(width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, level));
}

std::vector<uint32_t> Bits(const VyRaster& source, VyDither dither, int32_t level = 128) {
    return ReduceToOneBit(source, {dither, level, false}).pixels;
}

double WhiteShare(const std::vector<uint32_t>& bits) {
    return static_cast<double>(std::accumulate(bits.begin(), bits.end(), 0u)) / bits.size();
}

TEST(OneBitReduction, NamesAndTheDefault) {
    for (VyDither dither : AllDithers()) {
        EXPECT_EQ(DitherByName(DitherName(dither)), dither);
    }
    EXPECT_EQ(DitherName(VyDither::kFloydSteinberg), "floyd-steinberg");
    EXPECT_EQ(DitherName(VyDither::kOrdered), "ordered");
    EXPECT_FALSE(DitherByName("Ordered"));
    EXPECT_FALSE(DitherByName(""));
    const VyReduction defaults;
    EXPECT_EQ(defaults.dither, VyDither::kThreshold);
    EXPECT_EQ(defaults.level, 128);
    EXPECT_FALSE(defaults.invert);
}

TEST(OneBitReduction, TheDefaultTakesTheNearerOfBlackAndWhite) {
    VyRaster source = MakeRaster(5, 3, 32);
    source.pixels = kSampleColors;
    source.pixels[4] = 0x00000000u;  // fully transparent counts as white
    const VyRaster bits = ReduceToOneBit(source);
    EXPECT_EQ(bits.bitsPerPixel, 1);
    EXPECT_EQ(bits.palette, (std::vector<uint32_t>{0xFF000000u, 0xFFFFFFFFu}));
    // red, green, blue, white, clear / black, yellow, cyan, magenta, gray 128 / ...
    EXPECT_EQ(bits.pixels, (std::vector<uint32_t>{0, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 0, 1}));
    EXPECT_TRUE(ReduceToOneBit(VyRaster(), {VyDither::kAtkinson, 128, true}).IsEmpty());
}

TEST(OneBitReduction, TheThresholdLevelMovesTheCut) {
    const VyRaster steps = Greys(6, 1, {0, 99, 100, 101, 200, 255});
    EXPECT_EQ(Bits(steps, VyDither::kThreshold, 100), (std::vector<uint32_t>{0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(Bits(steps, VyDither::kThreshold, 102), (std::vector<uint32_t>{0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(Bits(steps, VyDither::kThreshold, 201), (std::vector<uint32_t>{0, 0, 0, 0, 0, 1}));
    // Levels beyond the range keep black black and white white.
    EXPECT_EQ(Bits(steps, VyDither::kThreshold, -5), (std::vector<uint32_t>{0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Bits(steps, VyDither::kThreshold, 999), (std::vector<uint32_t>{0, 0, 0, 0, 0, 1}));
    // The other methods have no cut to move.
    for (VyDither dither : {VyDither::kFloydSteinberg, VyDither::kAtkinson, VyDither::kOrdered}) {
        EXPECT_EQ(Bits(steps, dither, 20), Bits(steps, dither, 230)) << DitherName(dither);
    }
}

TEST(OneBitReduction, InvertSwapsEveryDotOfEveryMethod) {
    std::mt19937 random(7);
    std::vector<uint32_t> levels(19 * 11);
    for (uint32_t& level : levels) {
        level = random() % 256;
    }
    const VyRaster picture = Greys(19, 11, levels);
    for (VyDither dither : AllDithers()) {
        const std::vector<uint32_t> plain = ReduceToOneBit(picture, {dither, 90, false}).pixels;
        const VyRaster inverted = ReduceToOneBit(picture, {dither, 90, true});
        ASSERT_EQ(inverted.pixels.size(), plain.size());
        EXPECT_EQ(inverted.palette, (std::vector<uint32_t>{0xFF000000u, 0xFFFFFFFFu}));
        for (size_t i = 0; i < plain.size(); ++i) {
            EXPECT_EQ(inverted.pixels[i], 1 - plain[i]) << DitherName(dither) << " dot " << i;
        }
    }
}

TEST(OneBitReduction, OrderedDitheringFollowsTheBayerMatrix) {
    constexpr uint32_t kMatrix[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (uint32_t level : {0u, 7u, 8u, 24u, 64u, 127u, 128u, 136u, 200u, 247u, 248u, 255u}) {
        const std::vector<uint32_t> bits = Bits(Uniform(10, 6, level), VyDither::kOrdered);
        for (int32_t y = 0; y < 6; ++y) {
            for (int32_t x = 0; x < 10; ++x) {
                // A cell lights from the middle of its sixteenth of the range.
                const uint32_t expected = level >= 16 * kMatrix[y % 4][x % 4] + 8 ? 1 : 0;
                EXPECT_EQ(bits[y * 10 + x], expected) << level << " at " << x << "," << y;
            }
        }
    }
    // Half grey lights exactly half of every tile, a quarter grey a quarter.
    EXPECT_EQ(WhiteShare(Bits(Uniform(16, 16, 128), VyDither::kOrdered)), 0.5);
    EXPECT_EQ(WhiteShare(Bits(Uniform(16, 16, 64), VyDither::kOrdered)), 0.25);
}

TEST(OneBitReduction, DitheringKeepsTheToneOfGreys) {
    for (VyDither dither : {VyDither::kFloydSteinberg, VyDither::kAtkinson, VyDither::kOrdered}) {
        const double half = WhiteShare(Bits(Uniform(64, 64, 128), dither));
        EXPECT_NEAR(half, 0.5, 0.04) << DitherName(dither);
        EXPECT_EQ(WhiteShare(Bits(Uniform(9, 9, 0), dither)), 0.0) << DitherName(dither);
        EXPECT_EQ(WhiteShare(Bits(Uniform(9, 9, 255), dither)), 1.0) << DitherName(dither);
    }
    EXPECT_NEAR(WhiteShare(Bits(Uniform(64, 64, 64), VyDither::kFloydSteinberg)), 0.25, 0.02);
    EXPECT_NEAR(WhiteShare(Bits(Uniform(64, 64, 192), VyDither::kFloydSteinberg)), 0.75, 0.02);
    // Atkinson drops a quarter of every error: darker greys come out darker
    // still, lighter ones lighter (its sharper contrast), but in between.
    const double dark = WhiteShare(Bits(Uniform(64, 64, 64), VyDither::kAtkinson));
    const double light = WhiteShare(Bits(Uniform(64, 64, 192), VyDither::kAtkinson));
    EXPECT_GT(dark, 0.1);
    EXPECT_LT(dark, 0.25);
    EXPECT_GT(light, 0.75);
    EXPECT_LT(light, 0.9);
    // The threshold turns a grey all one way.
    EXPECT_EQ(WhiteShare(Bits(Uniform(8, 8, 128), VyDither::kThreshold)), 1.0);
    EXPECT_EQ(WhiteShare(Bits(Uniform(8, 8, 127), VyDither::kThreshold)), 0.0);
}

// Each case's last dot is white only when the shares it receives, cut to
// whole levels, bring it to 128.
TEST(OneBitReduction, FloydSteinbergSpreadsSevenThreeFiveAndOneSixteenths) {
    const VyDither fs = VyDither::kFloydSteinberg;
    // 64 is black, 7/16 of its error (28) goes right.
    EXPECT_EQ(Bits(Greys(2, 1, {64, 100}), fs), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(Bits(Greys(2, 1, {64, 99}), fs), (std::vector<uint32_t>{0, 0}));
    // 5/16 (20) goes down.
    EXPECT_EQ(Bits(Greys(1, 2, {64, 108}), fs), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(Bits(Greys(1, 2, {64, 107}), fs), (std::vector<uint32_t>{0, 0}));
    // 3/16 (12) goes down to the left.
    EXPECT_EQ(Bits(Greys(2, 2, {0, 64, 116, 0}), fs), (std::vector<uint32_t>{0, 0, 1, 0}));
    EXPECT_EQ(Bits(Greys(2, 2, {0, 64, 115, 0}), fs), (std::vector<uint32_t>{0, 0, 0, 0}));
    // 1/16 of 16 goes down to the right, which also gets 5/16 of the 7 its
    // upper neighbour got and 7/16 of the 6 its left one got (5 in all).
    EXPECT_EQ(Bits(Greys(2, 2, {16, 0, 0, 123}), fs), (std::vector<uint32_t>{0, 0, 0, 1}));
    EXPECT_EQ(Bits(Greys(2, 2, {16, 0, 0, 122}), fs), (std::vector<uint32_t>{0, 0, 0, 0}));
    // A white dot's error is negative: 200 passes on -55 x 7/16 = -24.
    EXPECT_EQ(Bits(Greys(2, 1, {200, 152}), fs), (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(Bits(Greys(2, 1, {200, 151}), fs), (std::vector<uint32_t>{1, 0}));
}

TEST(OneBitReduction, AtkinsonSpreadsSixEighths) {
    const VyDither at = VyDither::kAtkinson;
    // 64 passes 8 to the next dot...
    EXPECT_EQ(Bits(Greys(2, 1, {64, 120}), at), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(Bits(Greys(2, 1, {64, 119}), at), (std::vector<uint32_t>{0, 0}));
    // ...and 8 to the one after, which also gets 1 from the black 8 between.
    EXPECT_EQ(Bits(Greys(3, 1, {64, 0, 119}), at), (std::vector<uint32_t>{0, 0, 1}));
    EXPECT_EQ(Bits(Greys(3, 1, {64, 0, 118}), at), (std::vector<uint32_t>{0, 0, 0}));
    // Two rows down likewise.
    EXPECT_EQ(Bits(Greys(1, 3, {64, 0, 119}), at), (std::vector<uint32_t>{0, 0, 1}));
    EXPECT_EQ(Bits(Greys(1, 3, {64, 0, 118}), at), (std::vector<uint32_t>{0, 0, 0}));
    // Down left, down and down right get 8 each (the last one also 1 from
    // each of the black dots above and left of it).
    EXPECT_EQ(Bits(Greys(3, 2, {0, 64, 0, 120, 0, 0}), at),
              (std::vector<uint32_t>{0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(Bits(Greys(2, 2, {64, 0, 0, 118}), at), (std::vector<uint32_t>{0, 0, 0, 1}));
    EXPECT_EQ(Bits(Greys(2, 2, {64, 0, 0, 117}), at), (std::vector<uint32_t>{0, 0, 0, 0}));
}

TEST(OneBitReduction, AGreyPictureReducesAsItsSource) {
    VyRaster colours = MakeRaster(5, 3, 32);
    colours.pixels = kSampleColors;
    colours.pixels[4] = 0x80FF0000u;  // half-transparent red over white
    const VyRaster grey = GreyRaster(colours);
    EXPECT_EQ(grey.bitsPerPixel, 8);
    ASSERT_EQ(grey.palette.size(), 256u);
    EXPECT_EQ(grey.palette[37], 0xFF252525u);
    EXPECT_EQ(grey.pixels[0], 76u);   // red: 255 x 0.299
    EXPECT_EQ(grey.pixels[3], 255u);  // white
    EXPECT_EQ(grey.pixels[9], 128u);  // grey 128
    EXPECT_EQ(grey.pixels[4], 165u);  // red half over white
    for (VyDither dither : AllDithers()) {
        for (int32_t level : {1, 77, 128, 204, 255}) {
            for (bool invert : {false, true}) {
                const VyReduction reduction{dither, level, invert};
                EXPECT_EQ(ReduceToOneBit(grey, reduction).pixels,
                          ReduceToOneBit(colours, reduction).pixels)
                    << DitherName(dither) << " " << level;
            }
        }
    }
    // Black and white alone stay one bit.
    const VyRaster bits = GreyRaster(ReduceToOneBit(colours));
    EXPECT_EQ(bits.bitsPerPixel, 1);
    EXPECT_EQ(bits.pixels, ReduceToOneBit(colours).pixels);
    EXPECT_TRUE(GreyRaster(VyRaster()).IsEmpty());
}

}  // namespace
