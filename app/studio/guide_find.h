// Finding a word in the user's guide: the next or the previous place from
// the current selection, round the ends of the text. Kept out of the window
// so that the rules are plain to test.
#pragma once

#include <QString>

enum class VyFindDirection { kNext, kPrevious };

struct VyGuideMatch {
    qsizetype position = -1;  // -1: the text does not hold the word
    bool wrapped = false;     // found only by going round the end (or start)
    bool Found() const { return position >= 0; }
};

// Looks for word, ignoring case, after the selection [start, end) or before
// it; past the text's end the search goes on from its start, and the other
// way round. An empty word is never found; start and end are clamped to
// the text.
VyGuideMatch FindInGuide(const QString& text, const QString& word, qsizetype start, qsizetype end,
                         VyFindDirection direction);
