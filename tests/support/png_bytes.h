// A picture as the bytes of a PNG file, for the decoders and loaders.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <string>

inline std::string PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}
