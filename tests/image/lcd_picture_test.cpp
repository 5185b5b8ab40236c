#include "editor/image/lcd_picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "editor/image/bmp_codec.h"
#include "tests/support/claimed_pictures.h"
#include "tests/support/png_bytes.h"

namespace {

constexpr VyPictureSize kLcd{320, 240};

// Red rising to the right, blue downwards: every pixel its own grey.
QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(255 * x / width, 80, 255 * y / height));
        }
    }
    return image;
}

bool operator==(VyPictureSize a, VyPictureSize b) {
    return a.width == b.width && a.height == b.height;
}

TEST(LcdPicture, PicturesShrinkToTheLcdKeepingTheirAspect) {
    EXPECT_TRUE(FitPictureToLcd({640, 480}, kLcd) == (VyPictureSize{320, 240}));
    EXPECT_TRUE(FitPictureToLcd({100, 400}, kLcd) == (VyPictureSize{60, 240}));
    EXPECT_TRUE(FitPictureToLcd({1000, 10}, kLcd) == (VyPictureSize{320, 3}));
    EXPECT_TRUE(FitPictureToLcd({10, 5000}, kLcd) == (VyPictureSize{1, 240}));
    // Never enlarged, nor changed where the LCD's size is unknown.
    EXPECT_TRUE(FitPictureToLcd({50, 50}, kLcd) == (VyPictureSize{50, 50}));
    EXPECT_TRUE(FitPictureToLcd({320, 240}, kLcd) == (VyPictureSize{320, 240}));
    EXPECT_TRUE(FitPictureToLcd({640, 480}, {-1, -1}) == (VyPictureSize{640, 480}));
}

TEST(LcdPicture, TheSourceKeepsTheGreyLevelsAtTheSizeTaken) {
    const VyLcdPicture photo = PrepareLcdPicture(PngOf(Gradient(640, 480)), kLcd);
    const std::optional<VyRaster> source = DecodeBmp(photo.source);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->width, 320);
    EXPECT_EQ(source->height, 240);
    EXPECT_EQ(source->bitsPerPixel, 8);
    // The grey of the pixel the nearest-pixel sampling took: (1, 1).
    const uint32_t grey = (qRed(Gradient(640, 480).pixel(1, 1)) * 299 + 80 * 587 +
                           qBlue(Gradient(640, 480).pixel(1, 1)) * 114) /
                          1000;
    EXPECT_EQ(source->ColorAt(0, 0), 0xFF000000u | grey << 16 | grey << 8 | grey);

    const VyLcdPicture exact = PrepareLcdPicture(PngOf(Gradient(640, 480)), kLcd, {10, 7});
    int32_t width = 0;
    int32_t height = 0;
    ASSERT_TRUE(ReadBmpSize(exact.source, &width, &height));
    EXPECT_EQ(width, 10);
    EXPECT_EQ(height, 7);

    // Black and white alone need one bit.
    QImage drawing(40, 20, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    drawing.setPixel(3, 4, qRgb(0, 0, 0));
    const std::optional<VyRaster> bits = DecodeBmp(PrepareLcdPicture(PngOf(drawing), kLcd).source);
    ASSERT_TRUE(bits);
    EXPECT_EQ(bits->bitsPerPixel, 1);
    EXPECT_EQ(bits->ColorAt(3, 4), 0xFF000000u);
    EXPECT_EQ(bits->ColorAt(4, 4), 0xFFFFFFFFu);
}

TEST(LcdPicture, FailuresTellTooLargeFromUnreadable) {
    const VyLcdPicture junk = PrepareLcdPicture("not a picture", kLcd);
    EXPECT_TRUE(junk.source.empty());
    EXPECT_FALSE(junk.problem.tooLarge);
    const VyLcdPicture huge = PrepareLcdPicture(PngClaiming(20000, 20000), kLcd);
    EXPECT_TRUE(huge.source.empty());
    EXPECT_TRUE(huge.problem.tooLarge);
    EXPECT_EQ(PixelLimitText(huge.problem.maxPixels), "16384 x 16384 = 268,435,456");
    EXPECT_EQ(PixelLimitText(int64_t{1} << 25), "33,554,432");
    EXPECT_EQ(PixelLimitText(999), "999");
    EXPECT_EQ(PixelLimitText(1000), "1,000");
    EXPECT_EQ(PixelLimitText(4), "2 x 2 = 4");
}

}  // namespace
