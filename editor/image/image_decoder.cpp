#include "editor/image/image_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <array>

#include "editor/image/bmp_codec.h"
#include "editor/image/pcx_decoder.h"

namespace {

// Pictures beyond a raster's size are scaled down while they are read (1 GiB
// for Qt's decoding of the largest).
constexpr int kDecodeAllocationMb = 1024;
constexpr int kScaledSide = 4096;

constexpr std::array<const char*, 6> kQtFormats = {"bmp", "jpeg", "gif", "png", "ico", "tiff"};

bool StartsWith(std::string_view bytes, std::string_view magic) {
    return bytes.starts_with(magic);
}

void SayTooLarge(VyDecodeProblem* problem, int64_t width, int64_t height, int64_t maxPixels) {
    if (problem != nullptr) {
        *problem = {true, width, height, maxPixels};
    }
}

std::optional<VyRaster> DecodeWithQt(std::string_view bytes, const char* format,
                                     VyDecodeProblem* problem) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // A photo of today's cameras is bigger than Qt's default allowance.
    reader.setAllocationLimit(kDecodeAllocationMb);
    const QSize size = reader.size();
    if (size.isValid() && !IsAcceptableRasterSize(size.width(), size.height())) {
        if (static_cast<int64_t>(size.width()) * size.height() > kMaxDecodedPixels) {
            SayTooLarge(problem, size.width(), size.height(), kMaxDecodedPixels);
            return std::nullopt;
        }
        // Read at a size a raster may have; the LCD takes far fewer dots.
        reader.setScaledSize(size.scaled(kScaledSide, kScaledSide, Qt::KeepAspectRatio));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull() ||
        !IsAcceptableRasterSize(image.width(), image.height())) {
        return std::nullopt;
    }
    return RasterFromQImage(image);
}

// Our decoder reads PCX pictures whole: its limit is a raster's.
std::optional<VyRaster> DecodePcxOrSay(std::string_view bytes, VyDecodeProblem* problem) {
    int64_t width = 0;
    int64_t height = 0;
    if (ReadPcxSize(bytes, &width, &height) && width > 0 && height > 0 &&
        !IsAcceptableRasterSize(width, height)) {
        SayTooLarge(problem, width, height, kMaxRasterPixels);
        return std::nullopt;
    }
    return DecodePcx(bytes);
}

}  // namespace

std::string DetectImageFormat(std::string_view bytes) {
    if (StartsWith(bytes, "BM")) {
        return "bmp";
    }
    if (StartsWith(bytes, "\xFF\xD8\xFF")) {
        return "jpeg";
    }
    if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) {
        return "gif";
    }
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n")) {
        return "png";
    }
    if (StartsWith(bytes, std::string_view("\0\0\1\0", 4))) {
        return "ico";
    }
    if (StartsWith(bytes, "II*") || StartsWith(bytes, std::string_view("MM\0*", 4))) {
        return "tiff";
    }
    if (LooksLikePcx(bytes)) {
        return "pcx";
    }
    return {};
}

std::optional<VyRaster> DecodeImage(std::string_view bytes, VyDecodeProblem* problem) {
    if (problem != nullptr) {
        *problem = {};
    }
    const std::string format = DetectImageFormat(bytes);
    if (format == "pcx") {
        return DecodePcxOrSay(bytes, problem);
    }
    if (format == "bmp") {
        // Our own reader keeps palettes exactly; Qt covers rarer BMP forms.
        if (std::optional<VyRaster> raster = DecodeBmp(bytes)) {
            return raster;
        }
    }
    for (const char* known : kQtFormats) {
        if (format == known) {
            return DecodeWithQt(bytes, known, problem);
        }
    }
    return std::nullopt;
}

VyRaster RasterFromQImage(const QImage& source) {
    if (source.isNull()) {
        return {};
    }
    const bool indexed = source.format() == QImage::Format_Mono ||
                         source.format() == QImage::Format_MonoLSB ||
                         source.format() == QImage::Format_Indexed8;
    const QImage image = indexed ? source : source.convertToFormat(QImage::Format_ARGB32);
    VyRaster raster = MakeRaster(image.width(), image.height(), 32);
    if (indexed) {
        raster.bitsPerPixel = image.depth() == 1 ? 1 : 8;
        for (QRgb color : image.colorTable()) {
            raster.palette.push_back(color);
        }
    }
    size_t out = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            raster.pixels[out++] =
                indexed ? static_cast<uint32_t>(image.pixelIndex(x, y)) : line[x];
        }
    }
    return raster;
}

QImage QImageFromRaster(const VyRaster& raster) {
    if (raster.IsEmpty()) {
        return {};
    }
    QImage image(raster.width, raster.height, QImage::Format_ARGB32);
    for (int32_t y = 0; y < raster.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < raster.width; ++x) {
            line[x] = raster.ColorAt(x, y);
        }
    }
    return image;
}
