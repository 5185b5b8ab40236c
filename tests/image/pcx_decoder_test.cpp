#include "editor/image/pcx_decoder.h"

#include <gtest/gtest.h>

#include "editor/image/little_endian.h"
#include "tests/support/sample_colors.h"
#include "tests/support/test_files.h"

namespace {

// A PCX header for a w x h picture; palette entries 0 and 1 of the EGA table
// are black and red when given.
std::string Header(int w, int h, int bits, int planes, int bytesPerLine, bool rle = true) {
    std::string out(128, '\0');
    out[0] = 0x0A;
    out[1] = 5;
    out[2] = rle ? 1 : 0;
    out[3] = static_cast<char>(bits);
    std::string dims;
    AppendLe(dims, 0, 2);
    AppendLe(dims, 0, 2);
    AppendLe(dims, static_cast<uint32_t>(w - 1), 2);
    AppendLe(dims, static_cast<uint32_t>(h - 1), 2);
    out.replace(4, 8, dims);
    out[16 + 3] = '\xFF';  // EGA entry 1: red
    out[65] = static_cast<char>(planes);
    out[66] = static_cast<char>(bytesPerLine);
    return out;
}

TEST(PcxDecoder, ReadsFilesOfAnotherWriter) {
    for (const char* name : {"image/data/rgb24.pcx", "image/data/palette8.pcx"}) {
        const std::optional<VyRaster> raster = DecodePcx(ReadFixture(name));
        ASSERT_TRUE(raster) << name;
        EXPECT_EQ(raster->width, 5);
        EXPECT_EQ(raster->height, 3);
        EXPECT_EQ(ColorsOf(*raster), kSampleColors) << name;
    }
}

TEST(PcxDecoder, MonochromeAndPlanarSixteenColours) {
    // 10 x 2 mono, runs crossing nothing: 0xC2 0xA5 repeats A5 twice.
    const std::string mono = Header(10, 2, 1, 1, 2) + std::string("\xC2\xA5\xC1\xFF\x00", 5);
    std::optional<VyRaster> raster = DecodePcx(mono);
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->bitsPerPixel, 1);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{1, 0, 1, 0, 0, 1, 0, 1, 1, 0,  //
                                                     1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
    // 4 planes, not compressed: pixel 0 has plane bit 0 only (index 1), pixel 1
    // plane bits 0 and 3 (index 9).
    const std::string planar =
        Header(2, 1, 1, 4, 2, false) + std::string("\xC0\x00\x00\x00\x00\x00\x40\x00", 8);
    raster = DecodePcx(planar);
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{1, 9}));
    EXPECT_EQ(raster->ColorAt(0, 0), 0xFFFF0000u);
}

TEST(PcxDecoder, ShortDataLeavesTheRestBlank) {
    const std::string cut = Header(4, 2, 8, 1, 4) + std::string("\xC3\x07", 2);
    const std::optional<VyRaster> raster = DecodePcx(cut);
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{7, 7, 7, 0, 0, 0, 0, 0}));
}

TEST(PcxDecoder, RejectsWhatItCannotRead) {
    EXPECT_FALSE(DecodePcx(""));
    EXPECT_FALSE(DecodePcx(std::string(127, '\x0A')));
    EXPECT_FALSE(DecodePcx(Header(4, 1, 2, 1, 1) + "x"));        // 2 bits per pixel
    EXPECT_FALSE(DecodePcx(Header(16, 1, 8, 1, 8) + "x"));       // lines too short
    EXPECT_FALSE(DecodePcx(Header(30000, 30000, 8, 1, 30000)));  // far more than the data
    EXPECT_FALSE(LooksLikePcx("BM"));
}

}  // namespace
