#include "editor/image/image_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <cstdlib>

#include "editor/image/bmp_codec.h"
#include "tests/support/claimed_pictures.h"
#include "tests/support/png_bytes.h"
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

TEST(ImageDecoder, PicturesBeyondTheLimitSaySo) {
    VyDecodeProblem problem;
    EXPECT_FALSE(DecodeImage(PngClaiming(20000, 20000), &problem));
    EXPECT_TRUE(problem.tooLarge);
    EXPECT_EQ(problem.width, 20000);
    EXPECT_EQ(problem.height, 20000);
    EXPECT_EQ(problem.maxPixels, int64_t{16384} * 16384);
    EXPECT_EQ(problem.maxPixels, kMaxDecodedPixels);
    // Just over the limit in one direction only.
    EXPECT_FALSE(DecodeImage(PngClaiming(16385, 16384), &problem));
    EXPECT_TRUE(problem.tooLarge);
    // Our PCX decoder reads whole rasters, up to their limit.
    EXPECT_FALSE(DecodeImage(PcxClaiming(8000, 6000), &problem));
    EXPECT_TRUE(problem.tooLarge);
    EXPECT_EQ(problem.width, 8000);
    EXPECT_EQ(problem.height, 6000);
    EXPECT_EQ(problem.maxPixels, kMaxRasterPixels);

    // Within the limit, a header alone is just unreadable; the problem of
    // the last call does not linger.
    EXPECT_FALSE(DecodeImage(PngClaiming(300, 200), &problem));
    EXPECT_FALSE(problem.tooLarge);
    DecodeImage(PcxClaiming(300, 200), &problem);
    EXPECT_FALSE(problem.tooLarge);
    EXPECT_FALSE(DecodeImage("not a picture", &problem));
    EXPECT_FALSE(problem.tooLarge);
    EXPECT_FALSE(DecodeImage(PngClaiming(20000, 20000)));
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

namespace {

// A PNG's signature and header alone, naming a size; enough for its size
// to be read.
std::string PngHeader(uint32_t width, uint32_t height) {
    std::string chunk = "IHDR";
    for (uint32_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            chunk += static_cast<char>((value >> shift) & 0xFF);
        }
    }
    chunk += std::string("\x01\x00\x00\x00\x00", 5);  // 1 bit, grey
    uint32_t crc = 0xFFFFFFFF;
    for (char c : chunk) {
        crc ^= static_cast<uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    crc ^= 0xFFFFFFFF;
    std::string png = "\x89PNG\r\n\x1A\n";
    png += std::string("\x00\x00\x00\x0D", 4) + chunk;
    for (int shift = 24; shift >= 0; shift -= 8) {
        png += static_cast<char>((crc >> shift) & 0xFF);
    }
    return png;
}

}  // namespace

TEST(ImageDecoder, APhotoLargerThanARasterIsReadScaledDown) {
    QImage big(8000, 6000, QImage::Format_Mono);
    big.fill(1);
    for (int y = 0; y < 3000; ++y) {
        for (int x = 0; x < 4000; ++x) {
            big.setPixel(x, y, 0);
        }
    }
    const std::optional<VyRaster> raster = DecodeImage(PngOf(big));
    ASSERT_TRUE(raster.has_value()) << "8000 x 6000 is read";
    EXPECT_EQ(raster->width, 4096);
    EXPECT_EQ(raster->height, 3072);
    EXPECT_NE(raster->ColorAt(100, 100), raster->ColorAt(4000, 3000)) << "the picture survives";
    EXPECT_FALSE(DecodeImage(PngHeader(40000, 40000)).has_value()) << "beyond what is read";
}
