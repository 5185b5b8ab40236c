#include "editor/frame/text_content_box.h"

#include <QMimeData>

bool HoldsPastableData(const QMimeData* source) {
    return source != nullptr && !source->formats().isEmpty();
}

bool CVyeTextContentBox::canInsertFromMimeData(const QMimeData* source) const {
    return HoldsPastableData(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void CVyeTextContentBox::insertFromMimeData(const QMimeData* source) {
    if (HoldsPastableData(source)) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}
