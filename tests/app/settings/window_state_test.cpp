#include "app/settings/window_state.h"

#include <gtest/gtest.h>

#include "editor/document/profile_file.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(WindowState, MissingKeysComeFromTheScreenAndTheRunCountStartsAtZero) {
    VyTempFolder folder;
    const std::string path = folder.File("pub.ini");
    EXPECT_EQ(ReadRunCount(path), 0);
    EXPECT_EQ(ReadWindowState(path, 1920, 1080), (VyWindowState{480, 270, 960, 540}));
    ASSERT_EQ(WriteProfileInt(path, "wnd_state", "cx", 700), 1);
    EXPECT_EQ(ReadWindowState(path, 1920, 1080), (VyWindowState{480, 270, 700, 540}));
    EXPECT_EQ(WriteWindowState(path, {10, 20, 800, 600}), 1);
    EXPECT_EQ(ReadWindowState(path, 1920, 1080), (VyWindowState{10, 20, 800, 600}));
    EXPECT_EQ(IncrementRunCount(path), 1);
    EXPECT_EQ(IncrementRunCount(path), 1);
    EXPECT_EQ(ReadRunCount(path), 2);
}

TEST(WindowClamp, KeepsTheWindowOnScreen) {
    EXPECT_EQ(ClampWindowState({-50, -1, 100, 100}, 1920, 1080), (VyWindowState{0, 0, 330, 330}));
    EXPECT_EQ(ClampWindowState({1800, 900, 5000, 5000}, 1920, 1080),
              (VyWindowState{1490, 650, 1890, 1050}));
    EXPECT_EQ(ClampWindowState({5, 5, 100, 100}, 300, 300), (VyWindowState{-130, -130, 270, 270}));
    // No screen known yet: nothing to clamp to; a tiny one leaves a window.
    EXPECT_EQ(ClampWindowState({5, 5, 800, 600}, 0, 0), (VyWindowState{5, 5, 800, 600}));
    EXPECT_EQ(ClampWindowState({5, 5, 800, 600}, 20, 20), (VyWindowState{-410, -410, 1, 1}));
}

}  // namespace
