#include "editor/image/raster_ops.h"

#include <gtest/gtest.h>

#include "tests/support/sample_colors.h"

namespace {

TEST(RasterOps, NearestResamplingKeepsPalettesAndPicksCentres) {
    VyRaster source = MakeRaster(2, 2, 1);
    source.palette = {0xFF000000u, 0xFFFFFFFFu};
    source.pixels = {0, 1, 1, 0};
    const VyRaster up = ResampleNearest(source, 4, 3);
    EXPECT_EQ(up.bitsPerPixel, 1);
    EXPECT_EQ(up.palette, source.palette);
    EXPECT_EQ(up.pixels, (std::vector<uint32_t>{0, 0, 1, 1, 1, 1, 0, 0, 1, 1, 0, 0}));

    VyRaster wide = MakeRaster(5, 3, 32);
    wide.pixels = kSampleColors;
    const VyRaster down = ResampleNearest(wide, 2, 1);
    EXPECT_EQ(down.pixels, (std::vector<uint32_t>{0xFFFFFF00u, 0xFFFF00FFu}));
    EXPECT_TRUE(ResampleNearest(wide, 0, 3).IsEmpty());
    EXPECT_TRUE(ResampleNearest(VyRaster(), 3, 3).IsEmpty());
}

}  // namespace
