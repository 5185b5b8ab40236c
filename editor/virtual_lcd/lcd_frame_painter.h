// Drawing the module's shapes into its screen, dot for dot as the screen
// preview shows them at scale 1.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/virtual_lcd/lcd_frame.h"

struct VyLcdPen {
    int32_t width = 1;  // dots across the stroke
    int32_t gap = 0;    // dots between dashes of width dots; 0 for a solid stroke
    bool on = true;     // dots set or cleared
};

// The stroke of a dot size (0 is one dot wide) and a dotted spacing (dash
// start to dash start; at most the width gives a solid stroke).
VyLcdPen MakeLcdPen(int32_t dotSize, int32_t dottedSpacing, bool on);

// From one end to the other, both ends drawn; dashes start at from. Solid
// strokes stamp a width x width square centred on every dot of the path,
// dashes a flat cross-section.
void DrawLcdLine(CVylLcdFrame& frame, VyDot from, VyDot to, const VyLcdPen& pen);
// The outline of the normalised box, its stroke reaching right and down from
// each edge, so the box's top left corner is the outline's top left dot.
void DrawLcdBox(CVylLcdFrame& frame, VyDot corner1, VyDot corner2, const VyLcdPen& pen);
// The normalised box, all four edges included.
void FillLcdBox(CVylLcdFrame& frame, VyDot corner1, VyDot corner2, bool on);

// The outline through (centre.x +- rx, centre.y) and (centre.x, centre.y +- ry)
// with a solid stroke of the given width.
void DrawLcdEllipse(CVylLcdFrame& frame, VyDot centre, int32_t rx, int32_t ry, int32_t width,
                    bool on);
// The ellipse's inside and its one-dot outline.
void FillLcdEllipse(CVylLcdFrame& frame, VyDot centre, int32_t rx, int32_t ry, bool on);
// The part of a circle from startDegrees counterclockwise (as seen on the
// screen) to endDegrees, 0 pointing right; equal angles (modulo 360) give the
// whole circle.
void DrawLcdArc(CVylLcdFrame& frame, VyDot centre, int32_t radius, int32_t startDegrees,
                int32_t endDegrees, int32_t width, bool on);

// A BMP file image with its top left pixel at topLeft: every pixel that is not
// white sets its dot, white pixels leave the screen as it is. False when the
// file cannot be decoded (nothing is drawn then).
bool DrawLcdBitmap(CVylLcdFrame& frame, VyDot topLeft, std::string_view bmpFile);
