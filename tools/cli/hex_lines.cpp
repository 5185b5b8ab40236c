#include "tools/cli/hex_lines.h"

#include "editor/tree/decimal_text.h"

namespace {

void AppendHexLine(std::string& out, const VyByteArray& bytes, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
        if (i != from) {
            out += ' ';
        }
        AppendHexByte(out, bytes[i]);
    }
    out += '\n';
}

}  // namespace

std::string FormatCommandLines(const VyByteArray& bytes, const VyLengthArray& lengths) {
    std::string out;
    size_t at = 0;
    for (uint32_t length : lengths) {
        if (at >= bytes.size()) {
            break;
        }
        const size_t end = std::min(bytes.size(), at + length);
        AppendHexLine(out, bytes, at, end);
        at = end;
    }
    if (at < bytes.size()) {
        AppendHexLine(out, bytes, at, bytes.size());
    }
    return out;
}
