// The text panel's content box: a plain text box that takes pasted data only
// when the clipboard offers some. Qt's text control reads the first format
// of whatever the clipboard hands over, and an empty clipboard on X11 hands
// over data with no formats at all: pasting that would end the program.
#pragma once

#include <QPlainTextEdit>

class CVyeTextContentBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

// Whether pasted or dropped data holds anything a text box can take.
bool HoldsPastableData(const QMimeData* source);
