// CVylHexPane: the read-only pane that lists the drawing's command bytes in
// hexadecimal, coloured by their role, with a character column.
#pragma once

#include <QTextEdit>

#include "editor/canvas/hex_listing.h"
#include "editor/vyedit_export.h"

class VYEDIT_EXPORT CVylHexPane : public QTextEdit {
    Q_OBJECT

  public:
    explicit CVylHexPane(QWidget* parent = nullptr);

    // How many bytes a line holds at the pane's font and width.
    int32_t BytesPerLine() const;
    // Replaces the contents; a cut listing is shown from its start, a whole
    // one scrolled to its end.
    void ShowListing(const VyHexListing& listing);
};
