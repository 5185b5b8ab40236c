// Byte arrays written and compared as hexadecimal text ("1B 42 58").
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<uint8_t> Hex(const std::string& text) {
    std::istringstream in(text);
    std::vector<uint8_t> bytes;
    unsigned value = 0;
    while (in >> std::hex >> value) {
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

// The same bytes as a string, as the link and the module pass them.
inline std::string HexString(const std::string& text) {
    const std::vector<uint8_t> bytes = Hex(text);
    return std::string(bytes.begin(), bytes.end());
}

inline std::vector<uint8_t> Ascii(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

inline std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}
