#include "editor/virtual_lcd/lcd_frame_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "editor/image/bmp_codec.h"
#include "editor/virtual_lcd/lcd_command_parser.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// A square of width dots whose centre is the dot (the extra dot of an even
// width lies up and left).
void StampSquare(CVylLcdFrame& frame, int64_t x, int64_t y, int32_t width, bool on) {
    const int64_t before = width / 2;
    const int64_t after = width - 1 - before;
    frame.FillRect(x - before, y - before, x + after, y + after, on);
}

// A dash is cut square to the line's main direction, so its length along the
// line is exactly the pen width.
void StampCrossSection(CVylLcdFrame& frame, int64_t x, int64_t y, bool xMajor,
                       const VyLcdPen& pen) {
    const int64_t before = pen.width / 2;
    const int64_t after = pen.width - 1 - before;
    if (xMajor) {
        frame.FillRect(x, y - before, x, y + after, pen.on);
    } else {
        frame.FillRect(x - before, y, x + after, y, pen.on);
    }
}

// Half the extent of an ellipse across, at distance along from its centre
// on the other axis.
int32_t EllipseSpan(int32_t radius, int32_t along, int32_t alongRadius) {
    if (alongRadius == 0) {
        return radius;
    }
    const double t = static_cast<double>(along) / alongRadius;
    return static_cast<int32_t>(std::lround(radius * std::sqrt(std::max(0.0, 1.0 - t * t))));
}

// Whether a stamp at centre + offset or centre - offset can touch the
// screen's extent along one axis, margin dots of stamp around it.
bool EitherSideSeen(int64_t centre, int64_t offset, int32_t extent, int32_t margin) {
    auto seen = [&](int64_t at) { return at >= -margin && at < extent + margin; };
    return seen(centre + offset) || seen(centre - offset);
}

// Every outline offset of an ellipse that can touch the screen, in all four
// quadrants. Scanning along both axes leaves no gap where the outline runs
// steep or flat; offsets whose stamps lie wholly off the screen are skipped
// before any work, as a radius may be a hundred times the screen.
template <typename Plot>
void ForEachEllipseOffset(VyDot centre, int32_t rx, int32_t ry, int32_t margin, Plot plot) {
    auto four = [&plot](int32_t dx, int32_t dy) {
        plot(dx, dy);
        plot(-dx, dy);
        plot(dx, -dy);
        plot(-dx, -dy);
    };
    for (int32_t dx = 0; dx <= rx; ++dx) {
        if (EitherSideSeen(centre.x, dx, kLcdWidth, margin)) {
            four(dx, EllipseSpan(ry, dx, rx));
        }
    }
    for (int32_t dy = 0; dy <= ry; ++dy) {
        if (EitherSideSeen(centre.y, dy, kLcdHeight, margin)) {
            four(EllipseSpan(rx, dy, ry), dy);
        }
    }
}

int32_t Modulo360(int64_t degrees) {
    return static_cast<int32_t>(((degrees % 360) + 360) % 360);
}

// Counterclockwise on the screen, whose y axis points down.
double ScreenAngle(int32_t dx, int32_t dy) {
    const double degrees = std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

}  // namespace

VyLcdPen MakeLcdPen(int32_t dotSize, int32_t dottedSpacing, bool on) {
    const int32_t width = std::max(dotSize, 0) + 1;
    const int32_t spacing = std::max(dottedSpacing, 1);
    return {width, std::max(0, spacing - width), on};
}

void DrawLcdLine(CVylLcdFrame& frame, VyDot from, VyDot to, const VyLcdPen& pen) {
    const int64_t dx = std::llabs(static_cast<int64_t>(to.x) - from.x);
    const int64_t dy = std::llabs(static_cast<int64_t>(to.y) - from.y);
    const int32_t sx = from.x <= to.x ? 1 : -1;
    const int32_t sy = from.y <= to.y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int64_t period = static_cast<int64_t>(pen.width) + pen.gap;
    int64_t x = from.x;
    int64_t y = from.y;
    int64_t error = dx - dy;
    for (int64_t step = 0;; ++step) {
        if (pen.gap == 0) {
            StampSquare(frame, x, y, pen.width, pen.on);
        } else if (step % period < pen.width) {
            StampCrossSection(frame, x, y, xMajor, pen);
        }
        if (x == to.x && y == to.y) {
            return;
        }
        const int64_t twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x += sx;
        }
        if (twice < dx) {
            error += dx;
            y += sy;
        }
    }
}

// Each side is its own stroke, so a dotted outline starts a dash at every
// corner; the sides run clockwise from the top left.
void DrawLcdBox(CVylLcdFrame& frame, VyDot corner1, VyDot corner2, const VyLcdPen& pen) {
    const int32_t shift = pen.width / 2;
    const int32_t left = std::min(corner1.x, corner2.x) + shift;
    const int32_t right = std::max(corner1.x, corner2.x) + shift;
    const int32_t top = std::min(corner1.y, corner2.y) + shift;
    const int32_t bottom = std::max(corner1.y, corner2.y) + shift;
    DrawLcdLine(frame, {left, top}, {right, top}, pen);
    DrawLcdLine(frame, {right, top}, {right, bottom}, pen);
    DrawLcdLine(frame, {right, bottom}, {left, bottom}, pen);
    DrawLcdLine(frame, {left, bottom}, {left, top}, pen);
}

void FillLcdBox(CVylLcdFrame& frame, VyDot corner1, VyDot corner2, bool on) {
    frame.FillRect(std::min(corner1.x, corner2.x), std::min(corner1.y, corner2.y),
                   std::max(corner1.x, corner2.x), std::max(corner1.y, corner2.y), on);
}

void DrawLcdEllipse(CVylLcdFrame& frame, VyDot centre, int32_t rx, int32_t ry, int32_t width,
                    bool on) {
    ForEachEllipseOffset(centre, std::abs(rx), std::abs(ry), width, [&](int32_t dx, int32_t dy) {
        StampSquare(frame, static_cast<int64_t>(centre.x) + dx, static_cast<int64_t>(centre.y) + dy,
                    width, on);
    });
}

void FillLcdEllipse(CVylLcdFrame& frame, VyDot centre, int32_t rx, int32_t ry, bool on) {
    rx = std::abs(rx);
    ry = std::abs(ry);
    // Only the rows on the screen: a radius may be far larger than the screen.
    const int32_t firstRow = std::max(-ry, -centre.y);
    const int32_t lastRow = std::min(ry, kLcdHeight - 1 - centre.y);
    for (int32_t dy = firstRow; dy <= lastRow; ++dy) {
        const int64_t half = EllipseSpan(rx, std::abs(dy), ry);
        frame.FillRect(centre.x - half, centre.y + dy, centre.x + half, centre.y + dy, on);
    }
    DrawLcdEllipse(frame, centre, rx, ry, 1, on);
}

void DrawLcdArc(CVylLcdFrame& frame, VyDot centre, int32_t radius, int32_t startDegrees,
                int32_t endDegrees, int32_t width, bool on) {
    const int32_t start = Modulo360(startDegrees);
    const int32_t sweep = Modulo360(static_cast<int64_t>(endDegrees) - startDegrees);
    radius = std::abs(radius);
    ForEachEllipseOffset(centre, radius, radius, width, [&](int32_t dx, int32_t dy) {
        const double fromStart = std::fmod(ScreenAngle(dx, dy) - start + 360.0, 360.0);
        if (sweep == 0 || fromStart <= sweep) {
            StampSquare(frame, static_cast<int64_t>(centre.x) + dx,
                        static_cast<int64_t>(centre.y) + dy, width, on);
        }
    });
}

bool DrawLcdBitmap(CVylLcdFrame& frame, VyDot topLeft, std::string_view bmpFile) {
    // No bitmap command can carry an uncompressed picture with more dots than
    // this; a run-length coded header claiming more would only make the
    // module hold a huge picture of which it shows 320 x 240 dots.
    constexpr int64_t kMostDots = int64_t{8} * kLcdMaxBmpBytes;
    int32_t width = 0;
    int32_t height = 0;
    if (!ReadBmpSize(bmpFile, &width, &height) ||
        static_cast<int64_t>(width) * std::abs(static_cast<int64_t>(height)) > kMostDots) {
        return false;
    }
    const std::optional<VyRaster> raster = DecodeBmp(bmpFile);
    if (!raster) {
        return false;
    }
    // Only the part on the screen: the picture may reach far beyond it.
    const int32_t firstX = std::max(0, -topLeft.x);
    const int32_t lastX = std::min(raster->width, kLcdWidth - topLeft.x);
    const int32_t firstY = std::max(0, -topLeft.y);
    const int32_t lastY = std::min(raster->height, kLcdHeight - topLeft.y);
    for (int32_t y = firstY; y < lastY; ++y) {
        for (int32_t x = firstX; x < lastX; ++x) {
            if ((raster->ColorAt(x, y) & kWhite) != kWhite) {
                frame.SetDot(topLeft.x + x, topLeft.y + y, true);
            }
        }
    }
    return true;
}
