// Texts of the GUI-free core (kept in the system code page) as the user
// reads them: converted at the interface's boundary and, when the interface
// speaks another language, translated. Data (drawn texts, names, generated
// source) is only converted, never translated.
#pragma once

#include <QString>
#include <string_view>

#include "editor/vyedit_export.h"

// A message, label or list entry of the core, in the interface's language.
VYEDIT_EXPORT QString UiText(std::string_view cp949);
// Data in the system code page, unchanged in any language.
VYEDIT_EXPORT QString FromCp949(std::string_view cp949);
