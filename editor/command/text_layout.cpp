#include "editor/command/text_layout.h"

#include "editor/tree/decimal_text.h"

namespace {

constexpr int64_t kUnitsPerDot = 10000;
constexpr double kLineFit = 0.8;

std::string WithoutCarriageReturns(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r') {
            out.push_back(c);
        }
    }
    return out;
}

// A double-byte character is a lead byte and a trail byte; a lead byte
// before a line feed or another control byte stands alone.
bool StartsPair(std::string_view text, size_t i) {
    const auto lead = static_cast<uint8_t>(text[i]);
    return lead >= 0x81 && lead <= 0xFE && i + 1 < text.size() &&
           static_cast<uint8_t>(text[i + 1]) >= 0x41 && static_cast<uint8_t>(text[i + 1]) <= 0xFE;
}

}  // namespace

std::vector<VyTextLine> LayoutTextInBox(std::string_view rawText, int32_t korFont,
                                        int32_t alnumFont, int64_t width, int64_t height,
                                        const CVylDeviceContext& dc) {
    const std::string text = WithoutCarriageReturns(rawText);
    const int64_t wideAdvance =
        (dc.GetKorFontWidth(korFont) + (korFont <= 1 ? 1 : 0)) * kUnitsPerDot;
    const int64_t lineHeight = static_cast<int64_t>(dc.GetKorFontHeight(korFont)) * kUnitsPerDot;
    const double fit = kLineFit * static_cast<double>(lineHeight);

    std::vector<VyTextLine> lines;
    VyTextLine current;
    int64_t x = 0;
    int64_t y = 0;
    bool afterLineFeed = false;
    for (size_t i = 0; i < text.size();) {
        if (static_cast<double>(x) + fit > static_cast<double>(width) || afterLineFeed) {
            lines.push_back(std::move(current));
            x = 0;
            y += lineHeight;
            current = VyTextLine{{}, y};
            afterLineFeed = false;
        }
        if (static_cast<double>(y) + fit > static_cast<double>(height)) {
            break;
        }
        const auto byte = static_cast<uint8_t>(text[i]);
        if (StartsPair(text, i)) {
            current.text.append(text, i, 2);
            x += wideAdvance;
            i += 2;
            continue;
        }
        ++i;
        if (byte == '\n') {
            afterLineFeed = true;
            continue;
        }
        bool noEntry = false;
        const int32_t advance = dc.GetAlnumCharWidth(korFont, alnumFont != 0, byte, &noEntry);
        // A lead byte without its second half is no character the LCD can
        // show, and a 0x00 would end the print command early.
        noEntry = noEntry || byte >= 0x80 || byte == 0;
        if (advance < 0) {
            return lines;
        }
        current.text.push_back(noEntry ? '?' : static_cast<char>(byte));
        x += advance * kUnitsPerDot;
    }
    lines.push_back(std::move(current));
    return lines;
}

// The lines hold the text's first bytes, line breaks aside, each as itself
// or as a '?': what follows them is hidden.
int32_t HiddenCharacterCount(std::string_view text, const std::vector<VyTextLine>& lines) {
    size_t shown = 0;
    for (const VyTextLine& line : lines) {
        shown += line.text.size();
    }
    int32_t hidden = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (byte == '\r' || byte == '\n') {
            continue;
        }
        const size_t length = StartsPair(text, i) ? 2 : 1;
        if (shown >= length) {
            shown -= length;
        } else {
            shown = 0;
            ++hidden;
        }
        i += length - 1;
    }
    return hidden;
}

void PrepareTextLines(CVylObject& object, const CVylDeviceContext& dc) {
    CVylObjectUniqueAttr& attrs = object.Unique();
    attrs.RemoveWithPrefix(kKeyLineContent);
    attrs.RemoveWithPrefix(kKeyLineTop);
    const VyRect box = object.GetRegion().Normalized();
    const std::vector<VyTextLine> lines = LayoutTextInBox(
        attrs.GetString(kKeyTextContent), AtoiValue(attrs.GetString(kKeyKorFontIndex)),
        AtoiValue(attrs.GetString(kKeyAlnumFontIndex)), box.Width(), box.Height(), dc);
    attrs.SetIntAsText(kKeyLineCount, static_cast<int32_t>(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string index = DecimalText(static_cast<int64_t>(i));
        attrs.SetString(std::string(kKeyLineContent) + index, lines[i].text);
        attrs.SetString(std::string(kKeyLineTop) + index, DecimalText(box.top + lines[i].top));
    }
}
