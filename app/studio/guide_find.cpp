#include "app/studio/guide_find.h"

#include <algorithm>

namespace {

VyGuideMatch FindNext(const QString& text, const QString& word, qsizetype end) {
    const qsizetype ahead = text.indexOf(word, end, Qt::CaseInsensitive);
    if (ahead >= 0) {
        return {ahead, false};
    }
    const qsizetype first = text.indexOf(word, 0, Qt::CaseInsensitive);
    return {first, first >= 0};
}

VyGuideMatch FindPrevious(const QString& text, const QString& word, qsizetype start) {
    if (start > 0) {
        const qsizetype behind = text.lastIndexOf(word, start - 1, Qt::CaseInsensitive);
        if (behind >= 0) {
            return {behind, false};
        }
    }
    const qsizetype lastStart = text.size() - word.size();
    if (lastStart < 0) {
        return {};
    }
    const qsizetype last = text.lastIndexOf(word, lastStart, Qt::CaseInsensitive);
    return {last, last >= 0};
}

}  // namespace

VyGuideMatch FindInGuide(const QString& text, const QString& word, qsizetype start, qsizetype end,
                         VyFindDirection direction) {
    if (word.isEmpty()) {
        return {};
    }
    start = std::clamp<qsizetype>(start, 0, text.size());
    end = std::clamp<qsizetype>(end, start, text.size());
    return direction == VyFindDirection::kNext ? FindNext(text, word, end)
                                               : FindPrevious(text, word, start);
}
