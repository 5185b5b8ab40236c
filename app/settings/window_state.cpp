#include "app/settings/window_state.h"

#include <algorithm>

#include "editor/document/profile_file.h"
#include "editor/tree/decimal_text.h"

VyWindowState ReadWindowState(const std::string& path, int32_t screenWidth, int32_t screenHeight) {
    CFxProfileFile file;
    file.Load(path);
    const auto get = [&](std::string_view key, int32_t fallback) {
        return AtoiValue(file.GetValue("wnd_state", key, DecimalText(fallback)));
    };
    return {get("x", screenWidth / 4), get("y", screenHeight / 4), get("cx", screenWidth / 2),
            get("cy", screenHeight / 2)};
}

int WriteWindowState(const std::string& path, const VyWindowState& state) {
    CFxProfileFile file;
    if (!file.LoadForUpdate(path)) {
        return 0;
    }
    file.SetValue("wnd_state", "x", DecimalText(state.x));
    file.SetValue("wnd_state", "y", DecimalText(state.y));
    file.SetValue("wnd_state", "cx", DecimalText(state.cx));
    file.SetValue("wnd_state", "cy", DecimalText(state.cy));
    return file.Save(path);
}

VyWindowState ClampWindowState(const VyWindowState& state, int32_t screenWidth,
                               int32_t screenHeight) {
    // A screen not known yet clamps nothing.
    if (screenWidth <= 0 || screenHeight <= 0) {
        return state;
    }
    // On a screen too small for both bounds the upper one wins, yet a window
    // keeps a size of at least one.
    const auto limit = [](int32_t value, int32_t low, int32_t high) {
        return std::min(std::max(value, low), high);
    };
    return {limit(state.x, 0, screenWidth - 430), limit(state.y, 0, screenHeight - 430),
            std::max(limit(state.cx, 330, screenWidth - 30), 1),
            std::max(limit(state.cy, 330, screenHeight - 30), 1)};
}

int32_t ReadRunCount(const std::string& path) {
    return ReadProfileInt(path, "stat", "exec_count", 0);
}

int IncrementRunCount(const std::string& path) {
    const int32_t count = ReadRunCount(path);
    return WriteProfileInt(path, "stat", "exec_count", count < INT32_MAX ? count + 1 : count);
}
