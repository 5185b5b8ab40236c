#include "editor/image/pcx_decoder.h"

#include <algorithm>
#include <string>
#include <vector>

#include "editor/image/little_endian.h"

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kEgaPaletteAt = 16;
constexpr size_t kVgaPaletteSize = 768;

struct PcxHeader {
    uint32_t encoding = 0;
    uint32_t bitsPerPlane = 0;
    uint32_t planes = 0;
    int64_t width = 0;
    int64_t height = 0;
    int64_t bytesPerLine = 0;
};

enum class Layout { kMono, kPlanar16, kPacked4, kIndexed8, kRgb24, kUnsupported };

Layout LayoutOf(const PcxHeader& h) {
    if (h.bitsPerPlane == 1 && h.planes == 1) {
        return Layout::kMono;
    }
    if (h.bitsPerPlane == 1 && h.planes == 4) {
        return Layout::kPlanar16;
    }
    if (h.bitsPerPlane == 4 && h.planes == 1) {
        return Layout::kPacked4;
    }
    if (h.bitsPerPlane == 8 && h.planes == 1) {
        return Layout::kIndexed8;
    }
    if (h.bitsPerPlane == 8 && h.planes == 3) {
        return Layout::kRgb24;
    }
    return Layout::kUnsupported;
}

bool ReadHeader(std::string_view file, PcxHeader* h) {
    if (!LooksLikePcx(file)) {
        return false;
    }
    h->encoding = static_cast<uint8_t>(file[2]);
    h->bitsPerPlane = static_cast<uint8_t>(file[3]);
    ReadPcxSize(file, &h->width, &h->height);
    h->planes = static_cast<uint8_t>(file[65]);
    h->bytesPerLine = ReadLe(file, 66, 2);
    return IsAcceptableRasterSize(h->width, h->height) &&
           h->bytesPerLine * 8 >= h->width * h->bitsPerPlane;
}

// Unpacks the scan lines (all planes of a line, line after line). Runs may
// cross line ends; data that ends early leaves the rest of the picture 0.
std::string Unpack(std::string_view body, const PcxHeader& h, size_t size) {
    std::string lines(size, '\0');
    size_t out = 0;
    size_t in = 0;
    while (out < size && in < body.size()) {
        const auto byte = static_cast<uint8_t>(body[in++]);
        if (h.encoding == 1 && (byte & 0xC0) == 0xC0) {
            if (in >= body.size()) {
                break;
            }
            const size_t run = std::min<size_t>(byte & 0x3F, size - out);
            lines.replace(out, run, run, body[in++]);
            out += run;
        } else {
            lines[out++] = static_cast<char>(byte);
        }
    }
    return lines;
}

std::vector<uint32_t> EgaPalette(std::string_view file) {
    std::vector<uint32_t> palette;
    for (size_t i = 0; i < 16; ++i) {
        const size_t at = kEgaPaletteAt + 3 * i;
        palette.push_back(0xFF000000u | ReadLe(file, at, 1) << 16 | ReadLe(file, at + 1, 1) << 8 |
                          ReadLe(file, at + 2, 1));
    }
    return palette;
}

// The 256-colour palette behind the picture data, after its marker byte 12;
// a gray ramp when the file has none.
std::vector<uint32_t> VgaPalette(std::string_view file) {
    std::vector<uint32_t> palette;
    const bool present = file.size() >= kHeaderSize + kVgaPaletteSize + 1 &&
                         file[file.size() - kVgaPaletteSize - 1] == 0x0C;
    const size_t at = file.size() - kVgaPaletteSize;
    for (uint32_t i = 0; i < 256; ++i) {
        if (present) {
            const size_t entry = at + 3 * i;
            palette.push_back(0xFF000000u | ReadLe(file, entry, 1) << 16 |
                              ReadLe(file, entry + 1, 1) << 8 | ReadLe(file, entry + 2, 1));
        } else {
            palette.push_back(0xFF000000u | i << 16 | i << 8 | i);
        }
    }
    return palette;
}

uint32_t BitAt(std::string_view line, int64_t x) {
    return (static_cast<uint8_t>(line[static_cast<size_t>(x / 8)]) >> (7 - x % 8)) & 1u;
}

uint32_t PixelOf(Layout layout, std::string_view lines, int64_t bpl, int64_t x) {
    switch (layout) {
        case Layout::kMono:
            return BitAt(lines, x);
        case Layout::kPlanar16: {
            uint32_t index = 0;
            for (int64_t plane = 0; plane < 4; ++plane) {
                index |= BitAt(lines.substr(static_cast<size_t>(plane * bpl)), x) << plane;
            }
            return index;
        }
        case Layout::kPacked4: {
            const auto byte = static_cast<uint8_t>(lines[static_cast<size_t>(x / 2)]);
            return x % 2 == 0 ? byte >> 4 : byte & 0x0Fu;
        }
        case Layout::kIndexed8:
            return static_cast<uint8_t>(lines[static_cast<size_t>(x)]);
        default: {
            auto channel = [&](int64_t plane) {
                return static_cast<uint32_t>(
                    static_cast<uint8_t>(lines[static_cast<size_t>(plane * bpl + x)]));
            };
            return 0xFF000000u | channel(0) << 16 | channel(1) << 8 | channel(2);
        }
    }
}

}  // namespace

bool LooksLikePcx(std::string_view file) {
    return file.size() >= kHeaderSize && file[0] == 0x0A && static_cast<uint8_t>(file[1]) <= 5 &&
           static_cast<uint8_t>(file[2]) <= 1;
}

bool ReadPcxSize(std::string_view file, int64_t* width, int64_t* height) {
    if (!LooksLikePcx(file)) {
        return false;
    }
    auto side = [&](size_t minAt, size_t maxAt) {
        return int64_t{ReadLe(file, maxAt, 2)} - int64_t{ReadLe(file, minAt, 2)} + 1;
    };
    *width = side(4, 8);
    *height = side(6, 10);
    return true;
}

std::optional<VyRaster> DecodePcx(std::string_view file) {
    PcxHeader h;
    if (!ReadHeader(file, &h)) {
        return std::nullopt;
    }
    const Layout layout = LayoutOf(h);
    if (layout == Layout::kUnsupported) {
        return std::nullopt;
    }
    const int64_t lineSize = h.bytesPerLine * h.planes;
    const int64_t total = lineSize * h.height;
    // A run byte pair expands to at most 63 bytes: refuse pictures that the
    // file cannot possibly hold before allocating them.
    const auto body = file.substr(kHeaderSize);
    if (total > static_cast<int64_t>(body.size()) * 32 + lineSize) {
        return std::nullopt;
    }
    const std::string lines = Unpack(body, h, static_cast<size_t>(total));
    VyRaster raster = MakeRaster(static_cast<int32_t>(h.width), static_cast<int32_t>(h.height), 24);
    switch (layout) {
        case Layout::kMono:
            raster.bitsPerPixel = 1;
            raster.palette = {0xFF000000u, 0xFFFFFFFFu};
            break;
        case Layout::kPlanar16:
        case Layout::kPacked4:
            raster.bitsPerPixel = 4;
            raster.palette = EgaPalette(file);
            break;
        case Layout::kIndexed8:
            raster.bitsPerPixel = 8;
            raster.palette = VgaPalette(file);
            break;
        default:
            break;
    }
    const std::string_view all(lines);
    size_t out = 0;
    for (int64_t y = 0; y < h.height; ++y) {
        const std::string_view line = all.substr(static_cast<size_t>(y * lineSize));
        for (int64_t x = 0; x < h.width; ++x) {
            raster.pixels[out++] = PixelOf(layout, line, h.bytesPerLine, x);
        }
    }
    return raster;
}
