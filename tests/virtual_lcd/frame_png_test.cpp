#include "editor/virtual_lcd/frame_png.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

TEST(FramePng, BlackDotsOnWhite) {
    CVylLcdFrame frame;
    frame.SetDot(0, 0, true);
    frame.FillRect(300, 200, 319, 239, true);
    VyTempFolder folder;
    const std::string path = folder.File("frame.png");
    ASSERT_EQ(WriteFramePng(frame, path), 1);
    const QImage image(QString::fromStdString(path));
    ASSERT_EQ(image.size(), QSize(kLcdWidth, kLcdHeight));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(319, 239), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(299, 239), qRgb(255, 255, 255));
}

TEST(FramePng, UnwritablePathFails) {
    EXPECT_EQ(WriteFramePng(CVylLcdFrame(), "/nonexistent-folder/screen.png"), 0);
}

}  // namespace
