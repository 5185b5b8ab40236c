// Bounds-checked little-endian reads from a byte string, and writes to one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Reads return 0 beyond the end; callers check sizes before they rely on data.
inline uint32_t ReadLe(std::string_view bytes, size_t offset, int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i) {
        if (offset + static_cast<size_t>(i) >= bytes.size()) {
            return 0;
        }
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + static_cast<size_t>(i)]))
                 << (8 * i);
    }
    return value;
}

inline void AppendLe(std::string& out, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}
