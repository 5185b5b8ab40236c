// The main window's placement and the run counter, kept in "pub.ini".
#pragma once

#include <cstdint>
#include <string>

// Main window placement kept in "pub.ini", section "wnd_state".
struct VyWindowState {
    int32_t x = 0;
    int32_t y = 0;
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const VyWindowState&) const = default;
};

// Stored values, missing ones taken from the screen size.
VyWindowState ReadWindowState(const std::string& path, int32_t screenWidth, int32_t screenHeight);
int WriteWindowState(const std::string& path, const VyWindowState& state);
// Keeps the window reachable and usable on the given screen.
VyWindowState ClampWindowState(const VyWindowState& state, int32_t screenWidth,
                               int32_t screenHeight);

// Completed start-ups, "pub.ini" section "stat": 0 on the first run.
int32_t ReadRunCount(const std::string& path);
int IncrementRunCount(const std::string& path);
