// Picture files that are headers alone, claiming any size: what a decoder
// sees of a picture too large to read, without a large file in the tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace claimed_pictures {

inline uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline std::string BigEndian32(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

inline std::string LittleEndian(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>(value >> (8 * i));
    }
    return out;
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
    return BigEndian32(static_cast<uint32_t>(data.size())) + type + data +
           BigEndian32(Crc32(type + data));
}

}  // namespace claimed_pictures

// The signature, a sound header chunk (8-bit RGB) and a data chunk with an
// empty compressed stream: a PNG file whose pixels are all missing.
inline std::string PngClaiming(uint32_t width, uint32_t height) {
    using namespace claimed_pictures;
    const std::string header =
        BigEndian32(width) + BigEndian32(height) + std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", std::string("\x78\x9C\x03\x00\x00\x00\x00\x01", 8)) +
           PngChunk("IEND", "");
}

// A 128-byte PCX header (8 bits, one plane, run-length coded).
inline std::string PcxClaiming(uint32_t width, uint32_t height) {
    using namespace claimed_pictures;
    std::string header(128, '\0');
    header[0] = 0x0A;
    header[1] = 5;
    header[2] = 1;
    header[3] = 8;
    header.replace(8, 2, LittleEndian(width - 1, 2));
    header.replace(10, 2, LittleEndian(height - 1, 2));
    header[65] = 1;
    header.replace(66, 2, LittleEndian(width + (width & 1), 2));
    return header;
}
