#include "editor/virtual_lcd/lcd_unifont.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "editor/tree/code_page.h"

namespace {

constexpr const char* kDebianUnifont = "/usr/share/unifont/unifont.hex";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The value of a run of hexadecimal digits, or -1 for any other character.
int64_t HexValue(std::string_view digits) {
    int64_t value = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            return -1;
        }
        value = value * 16 + digit;
    }
    return value;
}

// 32 digits are sixteen rows of 8 dots, 64 are sixteen rows of 16.
bool ParseDots(std::string_view dots, VyUnifontGlyph& glyph) {
    if (dots.size() != 32 && dots.size() != 64) {
        return false;
    }
    const size_t perRow = dots.size() / VyUnifontGlyph::kRows;
    glyph.width = static_cast<int32_t>(perRow * 4);
    for (size_t row = 0; row < VyUnifontGlyph::kRows; ++row) {
        const int64_t bits = HexValue(dots.substr(row * perRow, perRow));
        if (bits < 0) {
            return false;
        }
        glyph.rows[row] = static_cast<uint16_t>(bits << (16 - glyph.width));
    }
    return true;
}

uint32_t DecodeUtf8(std::string_view utf8) {
    if (utf8.empty()) {
        return 0;
    }
    const auto lead = static_cast<uint8_t>(utf8[0]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    if (utf8.size() < length) {
        return 0;
    }
    uint32_t value = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (size_t i = 1; i < length; ++i) {
        value = (value << 6) | (static_cast<uint8_t>(utf8[i]) & 0x3F);
    }
    return value;
}

}  // namespace

size_t CVylUnifont::Parse(std::string_view text) {
    size_t read = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0 || colon > 6) {
            continue;
        }
        const int64_t codePoint = HexValue(line.substr(0, colon));
        VyUnifontGlyph glyph;
        if (codePoint < 0 || !ParseDots(line.substr(colon + 1), glyph)) {
            continue;
        }
        m_glyphs[static_cast<uint32_t>(codePoint)] = glyph;
        ++read;
    }
    return read;
}

size_t CVylUnifont::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return 0;
    }
    std::ostringstream content;
    content << file.rdbuf();
    return Parse(content.str());
}

void CVylUnifont::LoadOnce() const {
    std::call_once(m_loaded, [this] {
        if (!m_lazyPath.empty()) {
            // Only the once-guarded first look fills a lazily read font.
            const_cast<CVylUnifont*>(this)->Load(m_lazyPath);
        }
    });
}

const VyUnifontGlyph* CVylUnifont::Find(uint32_t codePoint) const {
    LoadOnce();
    const auto found = m_glyphs.find(codePoint);
    return found == m_glyphs.end() ? nullptr : &found->second;
}

const CVylUnifont& CVylUnifont::System() {
    static const CVylUnifont font([] {
        const char* chosen = std::getenv("VYLCD_UNIFONT");
        return std::string(chosen != nullptr && *chosen != '\0' ? chosen : kDebianUnifont);
    }());
    return font;
}

uint32_t CodePointOfCp949(std::string_view character) {
    const uint32_t value = DecodeUtf8(Cp949ToUtf8(character));
    // The converter's stand-in for what it cannot read is no character.
    return value == '?' && character != "?" ? 0 : value;
}
