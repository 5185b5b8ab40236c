// CVylCanvasZoom: how near the user looks at the LCD. Either the LCD fits
// the client area (the default), or every dot is a square of a whole number
// of screen pixels, 1 to 16, and the view is scrolled over a desk that is
// the zoomed LCD with its margins.
#pragma once

#include <cstdint>

#include "editor/model/geometry.h"
#include "editor/vyedit_export.h"

class CVylCanvasFitContext;

// How far the view can scroll; zero where everything is seen.
struct VyScrollRange {
    int32_t x = 0;
    int32_t y = 0;
};

class VYEDIT_EXPORT CVylCanvasZoom {
  public:
    static constexpr int32_t kFit = 0;
    static constexpr int32_t kLargest = 16;

    // kFit or 1..kLargest screen pixels a dot.
    int32_t GetScale() const { return m_scale; }
    bool IsFit() const { return m_scale == kFit; }
    // Pixels of the zoomed desk scrolled off its left and top edges.
    int32_t GetScrollX() const { return m_scrollX; }
    int32_t GetScrollY() const { return m_scrollY; }

    // The desk's whole size at a whole-number scale, margins included.
    static int32_t DeskLength(int32_t dots, int32_t scale);
    static VyScrollRange RangeOf(int32_t clientWidth, int32_t clientHeight, int32_t resolutionX,
                                 int32_t resolutionY, int32_t scale);

    // A new scale, keeping the LCD point under anchor (client pixels) where
    // it is; fit is the fit before the change, for that client area.
    void ZoomAbout(int32_t scale, VyPoint anchor, const CVylCanvasFitContext& fit,
                   int32_t clientWidth, int32_t clientHeight);
    // The next whole-number scale above or below what the fit shows now.
    static int32_t ScaleAbove(double shown);
    static int32_t ScaleBelow(double shown);
    void FitToWindow();

    // Scrolls by or to pixels, kept within the range for the client.
    void ScrollBy(int32_t dx, int32_t dy, const VyScrollRange& range);
    void ScrollTo(int32_t x, int32_t y, const VyScrollRange& range);

  private:
    int32_t m_scale = kFit;
    int32_t m_scrollX = 0;
    int32_t m_scrollY = 0;
};
