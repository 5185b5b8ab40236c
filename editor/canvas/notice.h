// ShowNotice: a modal message box with one OK button, through which every
// notice of the editor and the application goes. Tests replace the sink so
// that no modal box ever blocks them.
#pragma once

#include <QString>
#include <functional>

#include "editor/vyedit_export.h"

class QWidget;

using VyNoticeSink =
    std::function<void(const QString& text, const QString& caption, QWidget* parent)>;

// An empty caption becomes "알림"; no parent means the active window.
VYEDIT_EXPORT void ShowNotice(const QString& text, const QString& caption = QString(),
                              QWidget* parent = nullptr);
// Replaces where notices go; an empty sink restores the message box.
// Returns the sink that was in place.
VYEDIT_EXPORT VyNoticeSink SetNoticeSink(VyNoticeSink sink);
