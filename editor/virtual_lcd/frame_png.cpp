#include "frame_png.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

int32_t WriteFramePng(const CVylLcdFrame& frame, const std::string& path) {
    QImage image(kLcdWidth, kLcdHeight, QImage::Format_Grayscale8);
    for (int32_t y = 0; y < kLcdHeight; ++y) {
        uchar* row = image.scanLine(y);
        for (int32_t x = 0; x < kLcdWidth; ++x) {
            row[x] = frame.GetDot(x, y) ? 0 : 255;
        }
    }
    // Paths are bytes in the file system's own encoding.
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    return image.save(name, "PNG") ? 1 : 0;
}
