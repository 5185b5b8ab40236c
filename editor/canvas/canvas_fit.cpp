#include "editor/canvas/canvas_fit.h"

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMargin = 50;
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
                                           int32_t resolutionX_, int32_t resolutionY_) {
    resolutionX = resolutionX_;
    resolutionY = resolutionY_;
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
