#include "editor/virtual_lcd/frame_png.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

int32_t WriteFramePng(const CVylLcdFrame& frame, const std::string& path, int32_t scale) {
    if (scale < 1 || scale > kMaxFramePngScale) {
        return 0;
    }
    QImage image(kLcdWidth * scale, kLcdHeight * scale, QImage::Format_Grayscale8);
    for (int32_t y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            row[x] = frame.GetDot(x / scale, y / scale) ? 0 : 255;
        }
    }
    // Paths are bytes in the file system's own encoding.
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    return image.save(name, "PNG") ? 1 : 0;
}
