// Any text as a Unifont ".hex" file: the reader neither faults nor hangs,
// and every glyph it keeps is 8 or 16 dots wide and drawable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/virtual_lcd/lcd_unifont.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CVylUnifont font;
    const size_t read = font.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (font.GetCount() > read) {
        std::abort();
    }
    for (uint32_t codePoint : {0x41u, 0xAC00u, 0u, 0xFFFFFFu}) {
        if (const VyUnifontGlyph* glyph = font.Find(codePoint)) {
            if (glyph->width != 8 && glyph->width != 16) {
                std::abort();
            }
        }
    }
    return 0;
}
