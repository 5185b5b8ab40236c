#include "editor/canvas/hex_pane.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextCursor>
#include <cmath>

CVylHexPane::CVylHexPane(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(true);
    setLineWrapMode(QTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

// A quarter of the characters that fit in the width less 30 pixels, less one.
int32_t CVylHexPane::BytesPerLine() const {
    const double advance = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('A'));
    const double room = viewport()->width() - 30.0;
    const int fitting =
        advance > 0 && room > 0 ? static_cast<int>(std::min(500.0, std::floor(room / advance))) : 0;
    return HexBytesPerLine(fitting);
}

void CVylHexPane::ShowListing(const VyHexListing& listing) {
    clear();
    QTextCursor cursor(document());
    for (const VyHexRun& run : listing.runs) {
        QTextCharFormat format;
        format.setForeground(QColor::fromRgb(run.rgb));
        QString text =
            QString::fromLatin1(run.text.data(), static_cast<qsizetype>(run.text.size()));
        text.remove(QLatin1Char('\r'));
        cursor.insertText(text, format);
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(listing.cut ? bar->minimum() : bar->maximum());
}
