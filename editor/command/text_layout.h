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

// How many characters of the text its lines leave out (line breaks aside):
// the module shows less than was typed. A double-byte character is one.
int32_t HiddenCharacterCount(std::string_view text, const std::vector<VyTextLine>& lines);
inline bool IsTextCut(std::string_view text, const std::vector<VyTextLine>& lines) {
    return HiddenCharacterCount(text, lines) > 0;
}

// Stores the object's laid-out lines as "line_count", "line_content<i>" and
// "line_top<i>" (absolute tops) in its unique attributes, replacing old ones.
void PrepareTextLines(CVylObject& object, const CVylDeviceContext& dc);
