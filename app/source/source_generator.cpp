#include "app/source/source_generator.h"

#include <vector>

#include "app/source/source_presets.h"
#include "editor/document/full_update.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The settings read once per run.
struct FormatParts {
    std::string lineHeader;
    std::string lineFoot;
    std::string byteHeader;
    std::string byteFoot;
    size_t perLine = 0;
    bool alphabet = false;
    bool byCommand = false;
    uint8_t escape = 0;
};

FormatParts PartsOf(const CVylSourceSettings& settings, int32_t escapeCode) {
    FormatParts parts;
    parts.lineHeader = settings.Get(kSrcKeyLineHeader);
    parts.lineFoot = settings.Get(kSrcKeyLineFoot);
    parts.byteHeader = settings.Get(kSrcKeyByteHeader);
    parts.byteFoot = settings.Get(kSrcKeyByteFoot);
    const int32_t perLine = AtoiValue(settings.Get(kSrcKeyBytesPerLine));
    parts.perLine = perLine > 0 ? static_cast<size_t>(perLine) : 0;
    parts.alphabet = settings.Get(kSrcKeyOperandByAlphabet) == "1";
    parts.byCommand = settings.Get(kSrcKeyLineDivision) == kLineDivisionCmd;
    parts.escape = static_cast<uint8_t>(escapeCode & 0xFF);
    return parts;
}

// 1 at the two mnemonic letters after the start of every command.
std::vector<uint8_t> LetterPositions(size_t count, const VyLengthArray& lengths, bool alphabet) {
    std::vector<uint8_t> letters(count, 0);
    size_t start = 0;
    for (size_t i = 0; alphabet && i < lengths.size() && start < count; ++i) {
        for (size_t offset = start + 1; offset <= start + 2 && offset < count; ++offset) {
            letters[offset] = 1;
        }
        start += lengths[i];
    }
    return letters;
}

// 1 where a command starts. The lengths tell, not the escape byte: an
// operand may equal it (a box at x = 27). Bytes no length covers fall back to
// taking an escape byte for a start.
std::vector<uint8_t> CommandStarts(const VyByteArray& bytes, const VyLengthArray& lengths,
                                   uint8_t escape) {
    std::vector<uint8_t> starts(bytes.size(), 0);
    size_t at = 0;
    for (size_t i = 0; i < lengths.size() && at < bytes.size(); ++i) {
        starts[at] = 1;
        at += lengths[i];
    }
    for (; at < bytes.size(); ++at) {
        starts[at] = bytes[at] == escape ? 1 : 0;
    }
    return starts;
}

// Room for the whole text, so that it is built without reallocating.
size_t EstimateSize(size_t count, const std::string& header, const FormatParts& parts) {
    const size_t perByte = parts.byteHeader.size() + parts.byteFoot.size() + 3;
    const size_t perLine = parts.lineHeader.size() + parts.lineFoot.size() + kLineBreak.size();
    const size_t lines = parts.perLine > 0 ? count / parts.perLine + 1 : 0;
    return header.size() + kLineBreak.size() + count * perByte + lines * perLine;
}

void AppendHexItem(uint8_t byte, const FormatParts& parts, std::string& out) {
    out += parts.byteHeader;
    AppendHexByte(out, byte);
    out += parts.byteFoot;
}

// Appends the line that starts at p and returns the position after it. The
// count is of bytes, not items: a mnemonic's two letters take two places.
size_t AppendLine(const VyByteArray& bytes, size_t p, const std::vector<uint8_t>& letters,
                  const std::vector<uint8_t>& starts, const FormatParts& parts, std::string& out) {
    out += parts.lineHeader;
    bool hasItems = false;
    for (size_t count = 0; count < parts.perLine && p < bytes.size(); ++count) {
        const char character = static_cast<char>(bytes[p]);
        if (hasItems && letters[p] && letters[p - 1]) {
            // The previous item is this mnemonic's quoted letter: join it.
            out.back() = character;
            out.push_back('"');
        } else {
            if (hasItems) {
                out.push_back(',');
            }
            if (letters[p]) {
                out.push_back('"');
                out.push_back(character);
                out.push_back('"');
            } else {
                AppendHexItem(bytes[p], parts, out);
            }
        }
        hasItems = true;
        ++p;
        if (parts.byCommand && p < bytes.size() && starts[p]) {
            break;
        }
    }
    out += parts.lineFoot;
    return p;
}

}  // namespace

std::string FormatProgramSource(const VyByteArray& bytes, const VyLengthArray& lengths,
                                int32_t escapeCode, const CVylSourceSettings& settings) {
    const FormatParts parts = PartsOf(settings, escapeCode);
    const std::string header = settings.Get(kSrcKeySrcHeader);
    std::string out;
    out.reserve(EstimateSize(bytes.size(), header, parts));
    out += header;
    out += kLineBreak;
    if (parts.perLine == 0) {
        // No byte fits a line, so there are no lines.
        return out;
    }
    const std::vector<uint8_t> letters = LetterPositions(bytes.size(), lengths, parts.alphabet);
    const std::vector<uint8_t> starts = CommandStarts(bytes, lengths, parts.escape);
    for (size_t p = 0; p < bytes.size();) {
        if (p > 0) {
            out += kLineBreak;
        }
        p = AppendLine(bytes, p, letters, starts, parts, out);
    }
    return out;
}

VySourceResult GenerateProgramSource(const CVylDeviceContext& dc, CVylObjectGroup& group,
                                     const CVylSourceSettings& settings, uint32_t baud) {
    VySourceResult result;
    if (group.GetCount() == 0) {
        result.status = VySourceStatus::kNoObjects;
        result.message = kNoGraphicData;
        return result;
    }
    result.validation = settings.Validate();
    if (!result.validation.IsValid()) {
        result.status = VySourceStatus::kInvalidSetting;
        result.message = result.validation.message;
        return result;
    }
    VyByteArray bytes;
    VyLengthArray lengths;
    result.extractStatus = ExtractDrawingCommands(dc, group, bytes, lengths);
    const VySourcePreset preset = StoredPreset(settings);
    if (PresetStartsWithClear(preset)) {
        bytes.insert(bytes.begin(), std::begin(kLcdClearCommand), std::end(kLcdClearCommand));
        lengths.insert(lengths.begin(), static_cast<uint32_t>(sizeof kLcdClearCommand));
    }
    result.text = FormatProgramSource(bytes, lengths, dc.GetInt(kKeyEscapeCode, -1), settings) +
                  PresetTail(preset, lengths, baud);
    if (result.extractStatus != kExtractOk) {
        result.status = VySourceStatus::kExtractionStopped;
    }
    return result;
}
