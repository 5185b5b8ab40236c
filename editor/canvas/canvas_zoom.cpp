#include "editor/canvas/canvas_zoom.h"

#include <algorithm>
#include <cmath>

#include "editor/canvas/canvas_fit.h"

int32_t CVylCanvasZoom::DeskLength(int32_t dots, int32_t scale) {
    const int64_t length = int64_t{std::max(dots, 0)} * scale + CVylCanvasFitContext::kMargin;
    return static_cast<int32_t>(std::min<int64_t>(length, INT32_MAX));
}

VyScrollRange CVylCanvasZoom::RangeOf(int32_t clientWidth, int32_t clientHeight,
                                      int32_t resolutionX, int32_t resolutionY, int32_t scale) {
    if (scale == kFit) {
        return {};
    }
    return {std::max(DeskLength(resolutionX, scale) - clientWidth, 0),
            std::max(DeskLength(resolutionY, scale) - clientHeight, 0)};
}

void CVylCanvasZoom::ZoomAbout(int32_t scale, VyPoint anchor, const CVylCanvasFitContext& fit,
                               int32_t clientWidth, int32_t clientHeight) {
    scale = std::clamp(scale, kFit, kLargest);
    const double shown = fit.GetScale();
    m_scale = scale;
    if (scale == kFit || shown <= 0) {
        m_scrollX = m_scrollY = 0;
        return;
    }
    // The dot under the anchor before, in dots from the LCD's corner.
    const double dotX = (anchor.x - fit.left) / shown;
    const double dotY = (anchor.y - fit.top) / shown;
    const int32_t half = CVylCanvasFitContext::kMargin / 2;
    const VyScrollRange range =
        RangeOf(clientWidth, clientHeight, fit.resolutionX, fit.resolutionY, scale);
    ScrollTo(static_cast<int32_t>(std::lround(half + dotX * scale - anchor.x)),
             static_cast<int32_t>(std::lround(half + dotY * scale - anchor.y)), range);
}

int32_t CVylCanvasZoom::ScaleAbove(double shown) {
    return std::clamp(static_cast<int32_t>(std::floor(shown + 1e-9)) + 1, 1, kLargest);
}

int32_t CVylCanvasZoom::ScaleBelow(double shown) {
    return std::clamp(static_cast<int32_t>(std::ceil(shown - 1e-9)) - 1, 1, kLargest);
}

void CVylCanvasZoom::FitToWindow() {
    m_scale = kFit;
    m_scrollX = m_scrollY = 0;
}

void CVylCanvasZoom::ScrollBy(int32_t dx, int32_t dy, const VyScrollRange& range) {
    ScrollTo(m_scrollX + dx, m_scrollY + dy, range);
}

void CVylCanvasZoom::ScrollTo(int32_t x, int32_t y, const VyScrollRange& range) {
    m_scrollX = std::clamp(x, 0, range.x);
    m_scrollY = std::clamp(y, 0, range.y);
}
