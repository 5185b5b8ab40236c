// The one place where text crosses between the system code page (CP949, kept
// in std::string everywhere inside) and UTF-8 at the user-facing boundary.
#pragma once

#include <string>
#include <string_view>
#include "editor/vyedit_export.h"

// A character that CP949 cannot hold becomes "?"; text is never dropped.
VYEDIT_EXPORT std::string Utf8ToCp949(std::string_view utf8);

// Bytes that are not valid CP949 become "?".
VYEDIT_EXPORT std::string Cp949ToUtf8(std::string_view cp949);
