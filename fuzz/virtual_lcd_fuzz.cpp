// Any bytes on the line: the virtual module neither faults nor hangs, answers
// only "K", one per command, and the way the bytes are cut into pieces by the
// line changes nothing it draws or counts. Texts come from a small Unifont
// font, so both the glyph and the stand-in paths run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/virtual_lcd/virtual_lcd.h"

namespace {

// Feeds the bytes in pieces whose sizes cycle through the first byte's bits.
std::string FeedInPieces(CVylVirtualLcd& lcd, std::string_view bytes) {
    const unsigned pattern = bytes.empty() ? 1u : static_cast<unsigned char>(bytes[0]);
    std::string answers;
    size_t at = 0;
    for (unsigned step = 0; at < bytes.size(); ++step) {
        const size_t piece = 1 + ((pattern >> (step % 8)) & 7u) * (step % 3 + 1);
        answers += lcd.Feed(bytes.substr(at, piece));
        at += piece;
    }
    return answers;
}

// "A" and "가" only: the other characters take the stand-in path.
const CVylUnifont& SmallFont() {
    static CVylUnifont font;
    static const size_t read = font.Parse(
        "0041:0000000018242442427E424242420000\n"
        "AC00:00000000001000101F9000900090009E01100110021004101810001000100000\n");
    static_cast<void>(read);
    return font;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // A fresh module is a copy: setting one up takes far longer than a run.
    static const CVylVirtualLcd blank = [] {
        CVylVirtualLcd lcd;
        lcd.SetGlyphs(&SmallFont());
        return lcd;
    }();
    CVylVirtualLcd whole = blank;
    const std::string wholeAnswers = whole.Feed(bytes);
    CVylVirtualLcd pieces = blank;
    const std::string pieceAnswers = FeedInPieces(pieces, bytes);
    if (wholeAnswers.find_first_not_of('K') != std::string::npos ||
        static_cast<int64_t>(wholeAnswers.size()) != whole.GetCommandCount() ||
        wholeAnswers != pieceAnswers || !(whole.GetFrame() == pieces.GetFrame()) ||
        whole.GetGarbageBytes() != pieces.GetGarbageBytes() ||
        whole.GetPendingBytes() != pieces.GetPendingBytes()) {
        std::abort();
    }
    return 0;
}
