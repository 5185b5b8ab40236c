// Whole-file writes that never leave a half-written target behind.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include "editor/vyedit_export.h"

// Writes bytes to a temporary file beside path, flushes it to disk and renames
// it over path. On any failure the previous file stays as it was.
VYEDIT_EXPORT bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Cuts an open stream's file to length 0.
bool TruncateOpenFile(std::FILE* file);
