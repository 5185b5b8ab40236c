// Breaking a text object into LCD lines, exactly as the module advances.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/device_context.h"
#include "editor/model/drawing_object.h"

struct VyTextLine {
    std::string text;  // system code page bytes
    int64_t top = 0;   // in 1/10000 dot, from the box's top
};

// Lays text out in a box from (0, 0) to (width, height) in 1/10000 dot with
// LCD font korFont and alphanumeric mode alnumFont (0 fixed, 1 proportional).
// Carriage returns are ignored and a line feed breaks the line; a line ends
// where the next character would start within 0.8 line heights of the right
// edge, and the text ends where a line would start that close to the bottom.
std::vector<VyTextLine> LayoutTextInBox(std::string_view text, int32_t korFont, int32_t alnumFont,
                                        int64_t width, int64_t height, const CVylDeviceContext& dc);

// Whether the box cuts the text: the lines hold fewer characters than the
// text has (line breaks aside), so the module shows less than was typed.
bool IsTextCut(std::string_view text, const std::vector<VyTextLine>& lines);

// Stores the object's laid-out lines as "line_count", "line_content<i>" and
// "line_top<i>" (absolute tops) in its unique attributes, replacing old ones.
void PrepareTextLines(CVylObject& object, const CVylDeviceContext& dc);
