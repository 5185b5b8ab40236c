#include "editor/image/bmp_codec.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

#include "editor/image/little_endian.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

struct BmpHeader {
    uint32_t dataOffset = 0;
    uint32_t infoSize = 0;
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    uint32_t bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t colorsUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};
};

bool ReadHeader(std::string_view file, BmpHeader* header) {
    if (file.size() < kFileHeaderSize + 12 || file[0] != 'B' || file[1] != 'M') {
        return false;
    }
    header->dataOffset = ReadLe(file, 10, 4);
    header->infoSize = ReadLe(file, 14, 4);
    if (header->infoSize == 12) {
        header->width = ReadLe(file, 18, 2);
        header->height = ReadLe(file, 20, 2);
        header->bitCount = ReadLe(file, 24, 2);
        return true;
    }
    if (header->infoSize < 40 || file.size() < kFileHeaderSize + 40) {
        return false;
    }
    header->width = static_cast<int32_t>(ReadLe(file, 18, 4));
    const auto height = static_cast<int32_t>(ReadLe(file, 22, 4));
    header->topDown = height < 0;
    header->height = std::abs(static_cast<int64_t>(height));
    header->bitCount = ReadLe(file, 28, 2);
    header->compression = ReadLe(file, 30, 4);
    header->colorsUsed = ReadLe(file, 46, 4);
    // Channel masks follow a 40-byte header or are part of a longer one.
    const size_t maskAt = kFileHeaderSize + 40;
    const int maskCount = header->compression == kAlphaBitFields || header->infoSize >= 56 ? 4 : 3;
    if (header->compression == kBitFields || header->compression == kAlphaBitFields) {
        for (int i = 0; i < maskCount; ++i) {
            header->masks[i] = ReadLe(file, maskAt + 4 * static_cast<size_t>(i), 4);
        }
    }
    return true;
}

size_t PaletteOffset(const BmpHeader& h) {
    size_t offset = kFileHeaderSize + h.infoSize;
    if (h.infoSize == 40 && h.compression == kBitFields) {
        offset += 12;
    } else if (h.infoSize == 40 && h.compression == kAlphaBitFields) {
        offset += 16;
    }
    return offset;
}

bool ReadPalette(std::string_view file, const BmpHeader& h, VyRaster* raster) {
    const size_t entrySize = h.infoSize == 12 ? 3 : 4;
    size_t count = h.colorsUsed != 0 ? h.colorsUsed : size_t{1} << h.bitCount;
    if (count > 256) {
        return false;
    }
    const size_t at = PaletteOffset(h);
    // Some writers leave out unused entries; read what the file holds.
    if (at + count * entrySize > file.size()) {
        count = at > file.size() ? 0 : (file.size() - at) / entrySize;
    }
    for (size_t i = 0; i < count; ++i) {
        raster->palette.push_back(0xFF000000u | ReadLe(file, at + i * entrySize, 3));
    }
    return !raster->palette.empty();
}

// The value of one channel under its mask, scaled to 8 bits.
uint32_t Channel(uint32_t pixel, uint32_t mask, uint32_t fallback) {
    if (mask == 0) {
        return fallback;
    }
    const int shift = std::countr_zero(mask);
    const uint32_t max = mask >> shift;
    return ((pixel & mask) >> shift) * 255 / max;
}

void DefaultMasks(BmpHeader* h) {
    if (h->compression != kRgb) {
        return;
    }
    if (h->bitCount == 16) {
        h->masks[0] = 0x7C00;
        h->masks[1] = 0x03E0;
        h->masks[2] = 0x001F;
    } else {
        h->masks[0] = 0xFF0000;
        h->masks[1] = 0x00FF00;
        h->masks[2] = 0x0000FF;
        h->masks[3] = 0;
    }
}

bool DecodeUncompressed(std::string_view file, BmpHeader h, VyRaster* raster) {
    const int64_t stride = (h.width * h.bitCount + 31) / 32 * 4;
    if (h.dataOffset > file.size() ||
        static_cast<int64_t>(file.size() - h.dataOffset) <
            stride * (h.height - 1) + (h.width * h.bitCount + 7) / 8) {
        return false;
    }
    if (h.bitCount == 16 || h.bitCount == 32) {
        DefaultMasks(&h);
    }
    const std::string_view data = file.substr(h.dataOffset);
    for (int64_t row = 0; row < h.height; ++row) {
        const int64_t y = h.topDown ? row : h.height - 1 - row;
        const auto base = static_cast<size_t>(row * stride);
        for (int64_t x = 0; x < h.width; ++x) {
            uint32_t value = 0;
            if (h.bitCount <= 8) {
                const size_t bit = static_cast<size_t>(x) * h.bitCount;
                const auto byte = static_cast<uint8_t>(data[base + bit / 8]);
                value = (byte >> (8 - h.bitCount - bit % 8)) & ((1u << h.bitCount) - 1);
            } else if (h.bitCount == 24) {
                value = 0xFF000000u | ReadLe(data, base + static_cast<size_t>(x) * 3, 3);
            } else {
                const uint32_t pixel =
                    ReadLe(data, base + static_cast<size_t>(x) * (h.bitCount / 8), h.bitCount / 8);
                value = Channel(pixel, h.masks[3], 255) << 24 |
                        Channel(pixel, h.masks[0], 0) << 16 | Channel(pixel, h.masks[1], 0) << 8 |
                        Channel(pixel, h.masks[2], 0);
            }
            raster->pixels[static_cast<size_t>(y * h.width + x)] = value;
        }
    }
    return true;
}

// Run-length coded 8- and 4-bit data; a stream that runs past the picture or
// the file ends the picture where it is, as viewers do.
bool DecodeRle(std::string_view file, const BmpHeader& h, VyRaster* raster) {
    if (h.dataOffset > file.size() || h.topDown) {
        return false;
    }
    const std::string_view data = file.substr(h.dataOffset);
    const bool four = h.compression == kRle4;
    int64_t x = 0;
    int64_t row = 0;
    auto put = [&](uint32_t index) {
        if (x < h.width && row < h.height) {
            raster->pixels[static_cast<size_t>((h.height - 1 - row) * h.width + x)] = index;
        }
        ++x;
    };
    size_t i = 0;
    while (i + 1 < data.size() && row < h.height) {
        const auto count = static_cast<uint8_t>(data[i]);
        const auto value = static_cast<uint8_t>(data[i + 1]);
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                put(four ? (k % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            }
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 1 >= data.size()) {
                break;
            }
            x += static_cast<uint8_t>(data[i]);
            row += static_cast<uint8_t>(data[i + 1]);
            i += 2;
        } else {
            const size_t bytes = four ? (value + 1u) / 2 : value;
            if (i + bytes > data.size()) {
                break;
            }
            for (int k = 0; k < value; ++k) {
                const auto byte = static_cast<uint8_t>(data[i + (four ? k / 2 : k)]);
                put(four ? (k % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
            }
            i += (bytes + 1) / 2 * 2;
        }
    }
    return true;
}

bool IsSupported(const BmpHeader& h) {
    switch (h.compression) {
        case kRgb:
            return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                   h.bitCount == 24 || h.bitCount == 32;
        case kRle8:
            return h.bitCount == 8;
        case kRle4:
            return h.bitCount == 4;
        case kBitFields:
        case kAlphaBitFields:
            return h.bitCount == 16 || h.bitCount == 32;
        default:
            return false;
    }
}

}  // namespace

bool ReadBmpSize(std::string_view file, int32_t* width, int32_t* height) {
    BmpHeader header;
    if (!ReadHeader(file, &header) || !IsAcceptableRasterSize(header.width, header.height)) {
        return false;
    }
    *width = static_cast<int32_t>(header.width);
    *height = static_cast<int32_t>(header.height);
    return true;
}

std::optional<VyRaster> DecodeBmp(std::string_view file) {
    BmpHeader h;
    if (!ReadHeader(file, &h) || !IsSupported(h) || !IsAcceptableRasterSize(h.width, h.height)) {
        return std::nullopt;
    }
    const bool rle = h.compression == kRle8 || h.compression == kRle4;
    // Uncompressed data must be present in full before anything is allocated;
    // run-length data can grow at most 255 pixels per input byte.
    if (rle && h.width * h.height > static_cast<int64_t>(file.size()) * 255 * 2) {
        return std::nullopt;
    }
    VyRaster raster;
    raster.width = static_cast<int32_t>(h.width);
    raster.height = static_cast<int32_t>(h.height);
    raster.bitsPerPixel = h.bitCount <= 8 ? static_cast<int32_t>(h.bitCount) : 32;
    if (h.bitCount <= 8 && !ReadPalette(file, h, &raster)) {
        return std::nullopt;
    }
    if (!rle &&
        (h.dataOffset > file.size() || (h.width * h.bitCount + 31) / 32 * 4 * (h.height - 1) >
                                           static_cast<int64_t>(file.size() - h.dataOffset))) {
        return std::nullopt;
    }
    raster.pixels.assign(static_cast<size_t>(h.width * h.height), 0);
    const bool ok = rle ? DecodeRle(file, h, &raster) : DecodeUncompressed(file, h, &raster);
    if (!ok) {
        return std::nullopt;
    }
    if (h.bitCount == 24 || (h.bitCount == 16 && h.masks[3] == 0)) {
        raster.bitsPerPixel = 24;
    }
    return raster;
}

namespace {

// An indexed picture keeps its depth as long as its palette fits in it.
int32_t EncodedBitCount(const VyRaster& raster) {
    if (!raster.IsIndexed() || raster.palette.size() > 256) {
        return 24;
    }
    for (int32_t bits : {1, 4, 8}) {
        if (bits >= raster.bitsPerPixel && raster.palette.size() <= (size_t{1} << bits)) {
            return bits;
        }
    }
    return 8;
}

}  // namespace

std::string EncodeBmp(const VyRaster& raster) {
    if (raster.IsEmpty()) {
        return {};
    }
    const int32_t bits = EncodedBitCount(raster);
    const size_t colors = bits == 24 ? 0 : size_t{1} << bits;
    const auto stride =
        static_cast<size_t>((static_cast<int64_t>(raster.width) * bits + 31) / 32 * 4);
    const size_t dataOffset = kFileHeaderSize + 40 + colors * 4;
    const size_t fileSize = dataOffset + stride * static_cast<size_t>(raster.height);
    std::string out;
    out.reserve(fileSize);
    out += "BM";
    AppendLe(out, static_cast<uint32_t>(fileSize), 4);
    AppendLe(out, 0, 4);
    AppendLe(out, static_cast<uint32_t>(dataOffset), 4);
    AppendLe(out, 40, 4);
    AppendLe(out, static_cast<uint32_t>(raster.width), 4);
    AppendLe(out, static_cast<uint32_t>(raster.height), 4);
    AppendLe(out, 1, 2);
    AppendLe(out, static_cast<uint32_t>(bits), 2);
    AppendLe(out, kRgb, 4);
    AppendLe(out, static_cast<uint32_t>(stride * static_cast<size_t>(raster.height)), 4);
    AppendLe(out, 2835, 4);
    AppendLe(out, 2835, 4);
    AppendLe(out, static_cast<uint32_t>(colors), 4);
    AppendLe(out, 0, 4);
    for (size_t i = 0; i < colors; ++i) {
        AppendLe(out, i < raster.palette.size() ? raster.palette[i] & 0xFFFFFF : 0, 4);
    }
    std::string row(stride, '\0');
    for (int32_t y = raster.height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), '\0');
        for (int32_t x = 0; x < raster.width; ++x) {
            const uint32_t value = bits == 24 ? raster.ColorAt(x, y) : raster.At(x, y);
            if (bits == 24) {
                for (int c = 0; c < 3; ++c) {
                    row[static_cast<size_t>(x) * 3 + static_cast<size_t>(c)] =
                        static_cast<char>((value >> (8 * c)) & 0xFF);
                }
            } else {
                const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
                const uint32_t index = value & ((1u << bits) - 1);
                row[bit / 8] = static_cast<char>(static_cast<uint8_t>(row[bit / 8]) |
                                                 index << (8 - bits - static_cast<int>(bit % 8)));
            }
        }
        out += row;
    }
    return out;
}
