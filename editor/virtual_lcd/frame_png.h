// The module's screen as a PNG picture, one pixel per dot.
#pragma once

#include <cstdint>
#include <string>

#include "editor/virtual_lcd/lcd_frame.h"

// Writes black dots on white to path (replacing a file there). 1 on success,
// 0 when the file cannot be written.
int32_t WriteFramePng(const CVylLcdFrame& frame, const std::string& path);
