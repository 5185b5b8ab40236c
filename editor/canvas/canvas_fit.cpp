#include "editor/canvas/canvas_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/canvas/canvas_zoom.h"

namespace {

// Where a zoomed image of length pixels starts in a client of room pixels:
// centred when it fits with its margins, else after the scrolled margin.
int32_t ZoomedStart(int32_t room, int32_t length, int32_t scrolled) {
    const int32_t margin = CVylCanvasFitContext::kMargin;
    if (int64_t{length} + margin <= room) {
        return room / 2 - length / 2;
    }
    const int32_t most = static_cast<int32_t>(int64_t{length} + margin - room);
    return margin / 2 - std::clamp(scrolled, 0, most);
}
// The double nearest to 1e-4, multiplied with the integer first.
constexpr double kDotsPerUnit = 0.0001;

}  // namespace

int32_t TruncToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

void CVylCanvasFitContext::RecalcCanvasFit(int32_t clientWidth, int32_t clientHeight,
                                           int32_t resolutionX_, int32_t resolutionY_,
                                           const CVylCanvasZoom* zoom) {
    resolutionX = resolutionX_;
    resolutionY = resolutionY_;
    if (zoom != nullptr && !zoom->IsFit() && resolutionX > 0 && resolutionY > 0) {
        const int32_t width = CVylCanvasZoom::DeskLength(resolutionX, zoom->GetScale()) - kMargin;
        const int32_t height = CVylCanvasZoom::DeskLength(resolutionY, zoom->GetScale()) - kMargin;
        left = ZoomedStart(clientWidth, width, zoom->GetScrollX());
        top = ZoomedStart(clientHeight, height, zoom->GetScrollY());
        right = left + width;
        bottom = top + height;
        return;
    }
    int32_t width = 0;
    int32_t height = 0;
    if (resolutionX > 0 && resolutionY > 0 && clientWidth > kMargin && clientHeight > kMargin) {
        const double aspect = static_cast<double>(resolutionY) / resolutionX;
        if (aspect > static_cast<double>(clientHeight) / clientWidth) {
            height = clientHeight - kMargin;
            width = TruncToInt32(height / aspect);
        } else {
            width = clientWidth - kMargin;
            height = TruncToInt32(aspect * width);
        }
    }
    left = clientWidth / 2 - width / 2;
    top = clientHeight / 2 - height / 2;
    right = left + width;
    bottom = top + height;
}

double CVylCanvasFitContext::GetScale() const {
    return IsShown() ? static_cast<double>(right - left) / resolutionX : 0.0;
}

double CVylCanvasFitContext::GetScreenPixels(double dots) const {
    return IsShown() ? dots * (right - left) / resolutionX : 0.0;
}

double CVylCanvasFitContext::GetVirtualShrinkedPixels(double pixels) const {
    return IsShown() ? pixels * resolutionX / (right - left) : 0.0;
}

int32_t CVylCanvasFitContext::XVirtualToScreen(int32_t v) const {
    return TruncToInt32(left + GetScreenPixels(v * kDotsPerUnit));
}

int32_t CVylCanvasFitContext::YVirtualToScreen(int32_t v) const {
    return TruncToInt32(top + GetScreenPixels(v * kDotsPerUnit));
}

int32_t CVylCanvasFitContext::XScreenToVirtualEnlarged(int32_t x) const {
    return TruncToInt32(GetVirtualShrinkedPixels(static_cast<double>(x) - left) * 10000);
}

int32_t CVylCanvasFitContext::YScreenToVirtualEnlarged(int32_t y) const {
    return TruncToInt32(GetVirtualShrinkedPixels(static_cast<double>(y) - top) * 10000);
}

VyPoint CVylCanvasFitContext::VirtualToScreen(VyPoint point) const {
    return {XVirtualToScreen(point.x), YVirtualToScreen(point.y)};
}

VyPoint CVylCanvasFitContext::ScreenToVirtualEnlarged(VyPoint point) const {
    return {XScreenToVirtualEnlarged(point.x), YScreenToVirtualEnlarged(point.y)};
}

VyRect CVylCanvasFitContext::VirtualToScreen(const VyRect& rect) const {
    const VyPoint a = VirtualToScreen(VyPoint{rect.left, rect.top});
    const VyPoint b = VirtualToScreen(VyPoint{rect.right, rect.bottom});
    return {a.x, a.y, b.x, b.y};
}

VyRect CVylCanvasFitContext::ScreenToVirtualEnlarged(const VyRect& rect) const {
    const VyPoint a = ScreenToVirtualEnlarged(VyPoint{rect.left, rect.top});
    const VyPoint b = ScreenToVirtualEnlarged(VyPoint{rect.right, rect.bottom});
    return {a.x, a.y, b.x, b.y};
}
