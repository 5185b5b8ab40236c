#include "editor/document/grid_system.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

TEST(GridSystem, StartsWithGridOnEveryFiveDots) {
    const CVylGridSystem grid;
    EXPECT_EQ(grid.GetGridInt("use_grid", -1), 1);
    EXPECT_EQ(grid.GetGridInt("grid_size", -1), 5);
    EXPECT_EQ(grid.GetGridInt("other", -1), -1);
}

TEST(GridSystem, SaveAndLoadRoundTrip) {
    VyTempFolder folder;
    const std::string path = folder.File("grid.cfg");
    CVylGridSystem saved;
    saved.SetGridInt("use_grid", 0);
    saved.SetGridInt("grid_size", 30);
    ASSERT_EQ(saved.Save(path), 1);
    CVylGridSystem loaded;
    EXPECT_EQ(loaded.Load(path), 1);
    EXPECT_EQ(loaded.GetGridInt("use_grid", -1), 0);
    EXPECT_EQ(loaded.GetGridInt("grid_size", -1), 30);
    std::remove(path.c_str());
    EXPECT_EQ(loaded.Load(path), 0);
    EXPECT_EQ(loaded.GetGridInt("grid_size", -1), 30);
}

TEST(GridSystem, KeysMissingFromTheFileTakeTheirDefaults) {
    VyTempFolder folder;
    const std::string path = folder.File("partial_grid.cfg");
    CFxAssignGroupEx partial;
    partial.SetIntAsText("use_grid", 0);
    ASSERT_EQ(partial.SaveTreeToFile(path), 1);
    CVylGridSystem grid;
    grid.SetGridInt("grid_size", 9);
    ASSERT_EQ(grid.Load(path), 1);
    EXPECT_EQ(grid.GetGridInt("grid_size", -1), 5);
    EXPECT_EQ(grid.GetGridInt("use_grid", -1), 0);
    grid.SetGridInt("use_grid", 1);
    EXPECT_EQ(grid.GetGridInt("use_grid", -1), 1);
}

}  // namespace
