#include "editor/image/image_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <cstdlib>

#include "editor/image/bmp_codec.h"
#include "tests/support/sample_colors.h"
#include "tests/support/test_files.h"

namespace {

bool Close(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

TEST(ImageDecoder, DetectsAndDecodesEveryFormat) {
    const struct {
        const char* file;
        const char* format;
        int tolerance;
    } cases[] = {
        {"sample.png", "png", 0},   {"sample.gif", "gif", 0},   {"sample.tif", "tiff", 0},
        {"sample.ico", "ico", 0},   {"rgb24.bmp", "bmp", 0},    {"rgb24.pcx", "pcx", 0},
        {"palette8.pcx", "pcx", 0}, {"sample.jpg", "jpeg", 80},
    };
    for (const auto& c : cases) {
        const std::string bytes = ReadFixture(std::string("image/data/") + c.file);
        EXPECT_EQ(DetectImageFormat(bytes), c.format) << c.file;
        const std::optional<VyRaster> raster = DecodeImage(bytes);
        ASSERT_TRUE(raster) << c.file;
        ASSERT_EQ(raster->width, 5) << c.file;
        ASSERT_EQ(raster->height, 3) << c.file;
        const std::vector<uint32_t> colors = ColorsOf(*raster);
        for (size_t i = 0; i < colors.size(); ++i) {
            EXPECT_TRUE(Close(colors[i], kSampleColors[i], c.tolerance))
                << c.file << " pixel " << i;
        }
    }
}

TEST(ImageDecoder, RefusesUnknownAndBrokenContent) {
    EXPECT_EQ(DetectImageFormat("P3 5 3"), "");
    EXPECT_FALSE(DecodeImage("P3\n1 1\n255\n0 0 0\n"));
    EXPECT_FALSE(DecodeImage(""));
    const std::string png = ReadFixture("image/data/sample.png");
    EXPECT_FALSE(DecodeImage(png.substr(0, 40)));
}

TEST(ImageDecoder, OurBmpFilesReadTheSameInQt) {
    VyRaster raster = MakeRaster(5, 3, 32);
    raster.pixels = kSampleColors;
    const std::string file = EncodeBmp(raster);
    QImage image;
    ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(file.data()),
                                   static_cast<int>(file.size()), "BMP"));
    EXPECT_EQ(ColorsOf(RasterFromQImage(image)), kSampleColors);

    // And Qt's one-bit BMP files read the same with our decoder.
    QImage mono =
        QImageFromRaster(raster).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(mono.save(&buffer, "BMP"));
    const std::optional<VyRaster> ours =
        DecodeBmp(std::string_view(written.constData(), static_cast<size_t>(written.size())));
    ASSERT_TRUE(ours);
    EXPECT_EQ(ours->bitsPerPixel, 1);
    EXPECT_EQ(ColorsOf(*ours), ColorsOf(RasterFromQImage(mono)));
}

}  // namespace
