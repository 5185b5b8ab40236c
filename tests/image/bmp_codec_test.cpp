#include "editor/image/bmp_codec.h"

#include <gtest/gtest.h>

#include "editor/image/little_endian.h"
#include "tests/support/sample_colors.h"
#include "tests/support/test_files.h"

namespace {

VyRaster Indexed(int32_t w, int32_t h, int32_t bits, std::vector<uint32_t> palette,
                 std::vector<uint32_t> pixels) {
    VyRaster raster = MakeRaster(w, h, bits);
    raster.palette = std::move(palette);
    raster.pixels = std::move(pixels);
    return raster;
}

// A BMP file around hand-made pixel data, with a 40-byte header.
std::string HandMadeBmp(int32_t w, int32_t h, int bits, uint32_t compression,
                        const std::vector<uint32_t>& palette, const std::string& data) {
    std::string out = "BM";
    AppendLe(out, 0, 4);
    AppendLe(out, 0, 4);
    AppendLe(out, static_cast<uint32_t>(54 + palette.size() * 4), 4);
    AppendLe(out, 40, 4);
    AppendLe(out, static_cast<uint32_t>(w), 4);
    AppendLe(out, static_cast<uint32_t>(h), 4);
    AppendLe(out, 1, 2);
    AppendLe(out, static_cast<uint32_t>(bits), 2);
    AppendLe(out, compression, 4);
    for (int i = 0; i < 5; ++i) {
        AppendLe(out, 0, 4);
    }
    for (uint32_t color : palette) {
        AppendLe(out, color, 4);
    }
    return out + data;
}

TEST(BmpCodec, DecodesTheCommonForms) {
    for (const char* name : {"rgb24.bmp", "palette4.bmp", "rle8.bmp", "argb32.bmp"}) {
        const std::optional<VyRaster> raster =
            DecodeBmp(ReadFixture(std::string("image/data/") + name));
        ASSERT_TRUE(raster) << name;
        EXPECT_EQ(ColorsOf(*raster), kSampleColors) << name;
    }
    const std::optional<VyRaster> mono = DecodeBmp(ReadFixture("image/data/mono1.bmp"));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->bitsPerPixel, 1);
    EXPECT_EQ(mono->width, 5);
    EXPECT_EQ(mono->ColorAt(0, 0), 0xFF000000u);
    EXPECT_EQ(mono->ColorAt(1, 0), 0xFFFFFFFFu);
}

TEST(BmpCodec, IndexedPicturesRoundTripWithTheirBits) {
    const VyRaster one = Indexed(9, 2, 1, {0xFFFFFFFF, 0xFF000000},
                                 {0, 1, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 1, 0});
    const std::string file = EncodeBmp(one);
    EXPECT_EQ(ReadLe(file, 28, 2), 1u);
    EXPECT_EQ(file.size(), 14u + 40u + 8u + 2u * 4u);
    const std::optional<VyRaster> back = DecodeBmp(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, one.pixels);
    EXPECT_EQ(back->palette, one.palette);

    std::vector<uint32_t> palette(200);
    for (uint32_t i = 0; i < palette.size(); ++i) {
        palette[i] = 0xFF000000u | i * 0x010101u;
    }
    const VyRaster eight = Indexed(3, 1, 8, palette, {199, 0, 7});
    EXPECT_EQ(ReadLe(EncodeBmp(eight), 28, 2), 8u);
    EXPECT_EQ(DecodeBmp(EncodeBmp(eight))->pixels, eight.pixels);
    const VyRaster four = Indexed(3, 1, 4, {1, 2, 3}, {2, 0, 1});
    EXPECT_EQ(ReadLe(EncodeBmp(four), 28, 2), 4u);
    EXPECT_EQ(DecodeBmp(EncodeBmp(four))->pixels, four.pixels);
    // The depth is kept even where fewer bits would hold the palette.
    EXPECT_EQ(ReadLe(EncodeBmp(Indexed(3, 1, 8, {1, 2}, {1, 0, 1})), 28, 2), 8u);
}

TEST(BmpCodec, DirectColourRoundTripsAs24Bits) {
    VyRaster raster = MakeRaster(5, 3, 32);
    raster.pixels = kSampleColors;
    const std::string file = EncodeBmp(raster);
    EXPECT_EQ(ReadLe(file, 28, 2), 24u);
    int32_t w = 0;
    int32_t h = 0;
    ASSERT_TRUE(ReadBmpSize(file, &w, &h));
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);
    EXPECT_EQ(ColorsOf(*DecodeBmp(file)), kSampleColors);
    EXPECT_EQ(EncodeBmp(VyRaster()), "");
}

TEST(BmpCodec, TopDownSixteenBitAndRunLengthFourBit) {
    // 16 bits, 5-5-5, top-down: red then blue in one row, green below.
    std::string data;
    AppendLe(data, 0x7C00, 2);
    AppendLe(data, 0x001F, 2);
    AppendLe(data, 0x03E0, 2);
    AppendLe(data, 0, 2);
    std::string file = HandMadeBmp(2, -2, 16, 0, {}, data);
    std::optional<VyRaster> raster = DecodeBmp(file);
    ASSERT_TRUE(raster);
    EXPECT_EQ(ColorsOf(*raster),
              (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF, 0xFF00FF00, 0xFF000000}));

    // RLE4: a run of three pixels alternating 1 and 2, end of line, end of picture.
    const std::string rle("\x03\x12\x00\x00\x00\x01", 6);
    raster = DecodeBmp(HandMadeBmp(3, 1, 4, 2, {0xFF000000, 0xFFFF0000, 0xFF00FF00}, rle));
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{1, 2, 1}));
}

TEST(BmpCodec, RejectsDamagedFiles) {
    const std::string good = ReadFixture("image/data/rgb24.bmp");
    EXPECT_FALSE(DecodeBmp(""));
    EXPECT_FALSE(DecodeBmp("BM"));
    EXPECT_FALSE(DecodeBmp(good.substr(0, good.size() - 8)));
    std::string huge = good;
    huge.replace(18, 4, std::string("\xFF\x7F\x00\x00", 4));
    huge.replace(22, 4, std::string("\xFF\x7F\x00\x00", 4));
    EXPECT_FALSE(DecodeBmp(huge));
    std::string zeroWide = good;
    zeroWide.replace(18, 4, std::string(4, '\0'));
    EXPECT_FALSE(DecodeBmp(zeroWide));
    std::string badDepth = good;
    badDepth[28] = 7;
    EXPECT_FALSE(DecodeBmp(badDepth));
    int32_t w = 0;
    int32_t h = 0;
    EXPECT_FALSE(ReadBmpSize("GIF89a", &w, &h));
}

}  // namespace
