// The module's screen as a PNG picture, scale by scale pixels per dot.
#pragma once

#include <cstdint>
#include <string>

#include "editor/virtual_lcd/lcd_frame.h"
#include "editor/vyedit_export.h"

// The largest scale a picture is written at.
inline constexpr int32_t kMaxFramePngScale = 8;

// Writes black dots on white to path (replacing a file there), each dot a
// square of scale pixels (1 to kMaxFramePngScale). 1 on success, 0 when the
// scale is out of range or the file cannot be written.
VYEDIT_EXPORT int32_t WriteFramePng(const CVylLcdFrame& frame, const std::string& path,
                                    int32_t scale = 1);
