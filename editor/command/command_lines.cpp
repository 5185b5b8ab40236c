#include "editor/command/command_lines.h"

#include <algorithm>
#include <string>

#include "editor/tree/decimal_text.h"

namespace {

void WriteHexLine(std::ostream& out, std::string& line, const VyByteArray& bytes, size_t from,
                  size_t to) {
    line.clear();
    for (size_t i = from; i < to; ++i) {
        if (i != from) {
            line += ' ';
        }
        AppendHexByte(line, bytes[i]);
    }
    line += '\n';
    out << line;
}

}  // namespace

void WriteCommandLines(std::ostream& out, const VyByteArray& bytes, const VyLengthArray& lengths) {
    std::string line;
    size_t at = 0;
    for (uint32_t length : lengths) {
        if (at >= bytes.size()) {
            break;
        }
        const size_t end = std::min(bytes.size(), at + length);
        WriteHexLine(out, line, bytes, at, end);
        at = end;
    }
    if (at < bytes.size()) {
        WriteHexLine(out, line, bytes, at, bytes.size());
    }
}
