// Column-table text of any content parses without a fault; a parsed table
// writes a text that parses to the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/model/column_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CVylColumnTable table;
    if (!table.Parse(text)) {
        return 0;
    }
    const std::string written = table.ToText();
    CVylColumnTable back;
    if (!back.Parse(written) || back.ToText() != written) {
        std::abort();
    }
    return 0;
}
