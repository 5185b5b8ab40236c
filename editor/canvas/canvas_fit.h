// CVylCanvasFitContext: where the LCD image lies in the canvas's client area
// and how drawing positions (1/10000 dot) map to screen pixels. Fitted, the
// image is shown whole, centred, with a 25-pixel margin along the limiting
// direction and square dots; zoomed, each dot is a square of whole pixels
// and the image is centred where it fits and scrolled where it does not.
#pragma once

#include <cstdint>

#include "editor/model/geometry.h"
#include "editor/vyedit_export.h"

class CVylCanvasZoom;

class VYEDIT_EXPORT CVylCanvasFitContext {
  public:
    // Both margins together, along a direction.
    static constexpr int32_t kMargin = 50;

    virtual ~CVylCanvasFitContext() = default;

    // Recomputes the image bounds for a client area and an LCD resolution.
    // A client area too small for the margins (or an unknown resolution)
    // leaves an empty image: every conversion then yields the image origin
    // or 0 and nothing divides by zero.
    // A zoom other than fit places the image by its scale and scrolling.
    void RecalcCanvasFit(int32_t clientWidth, int32_t clientHeight, int32_t resolutionX,
                         int32_t resolutionY, const CVylCanvasZoom* zoom = nullptr);

    // Whether any of the LCD image is shown.
    bool IsShown() const { return right > left && bottom > top && resolutionX > 0; }
    // Screen pixels per dot.
    double GetScale() const;
    double GetScreenPixels(double dots) const;
    double GetVirtualShrinkedPixels(double pixels) const;

    int32_t XVirtualToScreen(int32_t v) const;
    int32_t YVirtualToScreen(int32_t v) const;
    int32_t XScreenToVirtualEnlarged(int32_t x) const;
    int32_t YScreenToVirtualEnlarged(int32_t y) const;
    VyPoint VirtualToScreen(VyPoint point) const;
    VyPoint ScreenToVirtualEnlarged(VyPoint point) const;
    VyRect VirtualToScreen(const VyRect& rect) const;
    VyRect ScreenToVirtualEnlarged(const VyRect& rect) const;

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t resolutionX = -1;
    int32_t resolutionY = -1;
};

// Truncates toward zero, saturating at the limits of a 32-bit integer (far
// positions must not wrap onto the screen).
int32_t TruncToInt32(double value);
