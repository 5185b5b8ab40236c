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

    bool operator==(const CVylLcdFrame&) const = default;

  private:
    // Row-major, one bit per dot.
    std::vector<bool> m_dots;
};
