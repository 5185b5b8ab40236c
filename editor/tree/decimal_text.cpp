#include "editor/tree/decimal_text.h"

#include <algorithm>
#include <cctype>
#include <climits>

int32_t AtoiValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<int64_t>(INT32_MAX) + 1) {
            value = static_cast<int64_t>(INT32_MAX) + 1;
        }
    }
    if (negative) {
        return static_cast<int32_t>(-value);
    }
    return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

std::string IntToText(int32_t value, int radix, int width) {
    if (radix < 2 || radix > 36) {
        return {};
    }
    const bool negative = radix == 10 && value < 0;
    uint32_t magnitude =
        negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    std::string digits;
    do {
        const uint32_t digit = magnitude % static_cast<uint32_t>(radix);
        digits.push_back(static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10));
        magnitude /= static_cast<uint32_t>(radix);
    } while (magnitude != 0);
    if (negative) {
        digits.push_back('-');
    }
    std::reverse(digits.begin(), digits.end());
    if (width == -1) {
        return digits;
    }
    for (char& c : digits) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const std::string padded = "0000000000" + digits;
    const size_t keep = std::min(padded.size(), static_cast<size_t>(std::max(width, 0)));
    return padded.substr(padded.size() - keep);
}

std::string DecimalText(int64_t value) {
    return std::to_string(value);
}

void AppendHexByte(std::string& out, uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0x0F]);
}

std::string_view TrimmedText(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
