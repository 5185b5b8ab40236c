#include "editor/command/bitmap_fit.h"

#include <gtest/gtest.h>

#include "editor/image/bmp_codec.h"
#include "editor/image/raster.h"

namespace {

// A 2 x 2 one-bit checker board.
std::string Checker() {
    VyRaster raster = MakeRaster(2, 2, 1);
    raster.palette = {0xFF000000u, 0xFFFFFFFFu};
    raster.pixels = {0, 1, 1, 0};
    return EncodeBmp(raster);
}

TEST(BitmapFit, ResamplesToTheRegionsPixelSize) {
    // 3 dots wide (|0 - 30000| / 10000 + 1 = 4), drawn right to left.
    const std::string fitted = FitBitmapToRegion(Checker(), {30000, 0, 0, 10000});
    const std::optional<VyRaster> raster = DecodeBmp(fitted);
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->width, 4);
    EXPECT_EQ(raster->height, 2);
    EXPECT_EQ(raster->bitsPerPixel, 1);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{0, 0, 1, 1, 1, 1, 0, 0}));
}

TEST(BitmapFit, KeepsBytesItCannotFit) {
    EXPECT_EQ(FitBitmapToRegion("not a picture", {0, 0, 10000, 10000}), "not a picture");
    // Far beyond any display: the stored picture goes out unchanged.
    EXPECT_EQ(FitBitmapToRegion(Checker(), {0, 0, 2000000000, 2000000000}), Checker());
}

}  // namespace
