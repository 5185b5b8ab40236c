#include "editor/virtual_lcd/lcd_frame.h"

#include <algorithm>
#include <cstddef>

namespace {

size_t DotIndex(int32_t x, int32_t y) {
    return static_cast<size_t>(y) * static_cast<size_t>(kLcdWidth) + static_cast<size_t>(x);
}

bool OnScreen(int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < kLcdWidth && y < kLcdHeight;
}

}  // namespace

CVylLcdFrame::CVylLcdFrame() : m_dots(DotIndex(0, kLcdHeight), false) {}

bool CVylLcdFrame::GetDot(int32_t x, int32_t y) const {
    return OnScreen(x, y) && m_dots[DotIndex(x, y)];
}

void CVylLcdFrame::SetDot(int32_t x, int32_t y, bool on) {
    if (OnScreen(x, y)) {
        m_dots[DotIndex(x, y)] = on;
        Touch(x, y, x, y);
    }
}

void CVylLcdFrame::FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, bool on) {
    // Clipped in 64 bits: a far-away corner must not wrap onto the screen.
    const int64_t x0 = std::max<int64_t>(left, 0);
    const int64_t x1 = std::min<int64_t>(right, kLcdWidth - 1);
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t y1 = std::min<int64_t>(bottom, kLcdHeight - 1);
    if (x0 > x1 || y0 > y1) {
        return;
    }
    Touch(static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1),
          static_cast<int32_t>(y1));
    for (auto y = static_cast<int32_t>(y0); y <= y1; ++y) {
        const auto row = m_dots.begin() + static_cast<ptrdiff_t>(DotIndex(0, y));
        std::fill(row + x0, row + x1 + 1, on);
    }
}

void CVylLcdFrame::Clear() {
    std::fill(m_dots.begin(), m_dots.end(), false);
    Touch(0, 0, kLcdWidth - 1, kLcdHeight - 1);
}

void CVylLcdFrame::Touch(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (m_touched.IsEmpty()) {
        m_touched = {left, top, right, bottom};
        return;
    }
    m_touched = {std::min(m_touched.left, left), std::min(m_touched.top, top),
                 std::max(m_touched.right, right), std::max(m_touched.bottom, bottom)};
}

VyDotBox VyDotBox::Grown(int32_t margin) const {
    if (IsEmpty()) {
        return *this;
    }
    return {std::max(left - margin, 0), std::max(top - margin, 0),
            std::min(right + margin, kLcdWidth - 1), std::min(bottom + margin, kLcdHeight - 1)};
}

int32_t CVylLcdFrame::CountDots() const {
    return static_cast<int32_t>(std::count(m_dots.begin(), m_dots.end(), true));
}
