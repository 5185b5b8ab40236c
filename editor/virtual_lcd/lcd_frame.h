// CVylLcdFrame: the LCD module's screen, one bit per dot, and the dot
// coordinates the module's commands carry.
#pragma once

#include <cstdint>
#include <vector>
#include "editor/vyedit_export.h"

inline constexpr int32_t kLcdWidth = 320;
inline constexpr int32_t kLcdHeight = 240;

// A dot position; commands carry signed 16-bit values, so dots may lie far
// outside the screen and are clipped when drawn.
struct VyDot {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const VyDot&) const = default;
};

// The smallest rectangle holding some dots, both corners included; empty
// when right < left.
struct VyDotBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = -1;
    int32_t bottom = -1;

    bool IsEmpty() const { return right < left || bottom < top; }
    bool Intersects(const VyDotBox& other) const {
        return !IsEmpty() && !other.IsEmpty() && left <= other.right && other.left <= right &&
               top <= other.bottom && other.top <= bottom;
    }
    // Grown by margin dots on every side and kept on the screen.
    VyDotBox Grown(int32_t margin) const;
    bool operator==(const VyDotBox&) const = default;
};

class VYEDIT_EXPORT CVylLcdFrame {
  public:
    CVylLcdFrame();

    // False for a dot outside the screen.
    bool GetDot(int32_t x, int32_t y) const;
    // Ignored outside the screen.
    void SetDot(int32_t x, int32_t y, bool on);
    // The rectangle with both corners included, clipped to the screen.
    void FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, bool on);
    // All dots off.
    void Clear();
    int32_t CountDots() const;

    // The box of every dot written since the last reset, whatever its value
    // was or became: what a command may have changed.
    const VyDotBox& GetTouched() const { return m_touched; }
    void ResetTouched() { m_touched = VyDotBox(); }

    // The dots alone: what was touched is no part of the screen.
    bool operator==(const CVylLcdFrame& other) const { return m_dots == other.m_dots; }

  private:
    void Touch(int32_t left, int32_t top, int32_t right, int32_t bottom);

    // Row-major, one bit per dot.
    std::vector<bool> m_dots;
    VyDotBox m_touched;
};
