#include "editor/canvas/canvas_fit.h"

#include <gtest/gtest.h>

#include "editor/canvas/grid_snap.h"

namespace {

CVylCanvasFitContext Fit(int32_t w, int32_t h) {
    CVylCanvasFitContext fit;
    fit.RecalcCanvasFit(w, h, 320, 240);
    return fit;
}

TEST(CanvasFit, CentresTheLcdWithTheMarginAlongTheLimitingSide) {
    const CVylCanvasFitContext wide = Fit(690, 530);
    EXPECT_EQ((VyRect{wide.left, wide.top, wide.right, wide.bottom}), (VyRect{25, 25, 665, 505}));
    EXPECT_DOUBLE_EQ(wide.GetScale(), 2.0);
    EXPECT_EQ(wide.XVirtualToScreen(320 * 10000), 665);
    EXPECT_EQ(wide.XScreenToVirtualEnlarged(25), 0);
    EXPECT_LT(wide.XScreenToVirtualEnlarged(20), 0);
    EXPECT_EQ(wide.ScreenToVirtualEnlarged(VyPoint{27, 29}), (VyPoint{10000, 20000}));

    const CVylCanvasFitContext flat = Fit(690, 500);
    EXPECT_EQ((VyRect{flat.left, flat.top, flat.right, flat.bottom}), (VyRect{45, 25, 645, 475}));
    EXPECT_DOUBLE_EQ(flat.GetScale(), 1.875);
    // The y conversions use the x scale.
    EXPECT_EQ(flat.YVirtualToScreen(240 * 10000), 475);
}

TEST(CanvasFit, TooSmallAClientShowsNothingAndNeverDividesByZero) {
    for (const auto& [w, h] : {std::pair{50, 530}, {690, 50}, {0, 0}, {-10, 7}}) {
        const CVylCanvasFitContext fit = Fit(w, h);
        EXPECT_FALSE(fit.IsShown()) << w << "x" << h;
        EXPECT_EQ(fit.GetScale(), 0.0);
        EXPECT_EQ(fit.XScreenToVirtualEnlarged(400), 0);
        EXPECT_EQ(fit.YVirtualToScreen(1000000), fit.top);
    }
    CVylCanvasFitContext unknown;
    unknown.RecalcCanvasFit(690, 530, -1, -1);
    EXPECT_FALSE(unknown.IsShown());
    EXPECT_FALSE(Fit(51, 51).IsShown());
    EXPECT_TRUE(Fit(60, 60).IsShown());
}

TEST(CanvasFit, FarPositionsSaturateInsteadOfWrapping) {
    const CVylCanvasFitContext tiny = Fit(60, 60);
    EXPECT_EQ(tiny.XScreenToVirtualEnlarged(2000000000), INT32_MAX);
    EXPECT_EQ(tiny.XScreenToVirtualEnlarged(-2000000000), INT32_MIN);
    EXPECT_EQ(TruncToInt32(-2.9), -2);
}

TEST(GridSnap, NearLinesSnapFarOnesStay) {
    // Default 5-dot grid: every point snaps, half a step rounds up.
    EXPECT_EQ(SnapCoordinate(123456, 5), 100000);
    EXPECT_EQ(SnapCoordinate(80000, 5), 100000);
    EXPECT_EQ(SnapCoordinate(75000, 5), 100000);
    EXPECT_EQ(SnapCoordinate(74999, 5), 50000);
    // 20-dot grid: 10 dots from a line stays, 9 dots snaps.
    EXPECT_EQ(SnapCoordinate(300000, 20), 300000);
    EXPECT_EQ(SnapCoordinate(290000, 20), 200000);
    EXPECT_EQ(SnapCoordinate(310000, 20), 400000);
    EXPECT_EQ(SnapCoordinate(290001, 20), 290001);
    EXPECT_EQ(SnapCoordinate(123456, 0), 123456);
}

TEST(GridSnap, NegativeCoordinatesSnapAsTheirMirrorImages) {
    for (int32_t c : {1, 80000, 123456, 290000, 300000, 310000, 2147483647}) {
        EXPECT_EQ(SnapCoordinate(-c, 20), -SnapCoordinate(c, 20)) << c;
        EXPECT_EQ(SnapCoordinate(-c, 5), -SnapCoordinate(c, 5)) << c;
    }
    EXPECT_EQ(SnapCoordinate(-300000, 20), -300000);
    EXPECT_EQ(SnapCoordinate(INT32_MIN, 5), -INT32_MAX);
    EXPECT_EQ(SnapCoordinate(INT32_MAX, 5), INT32_MAX);
}

TEST(GridSnap, TheGridSettingsDecide) {
    CVylGridSystem grid;
    EXPECT_EQ(SnapPoint(grid, {123456, 80000}), (VyPoint{100000, 100000}));
    EXPECT_EQ(KeyStep(grid), 50000);
    grid.SetGridInt("use_grid", 0);
    EXPECT_EQ(SnapPoint(grid, {123456, 80000}), (VyPoint{123456, 80000}));
    EXPECT_EQ(KeyStep(grid), 10000);
    grid.SetGridInt("use_grid", 1);
    // No spacing of 0 dots (or of more than 100): the grid keeps its own.
    EXPECT_FALSE(grid.SetGridInt("grid_size", 0));
    EXPECT_FALSE(grid.SetGridInt("grid_size", 101));
    EXPECT_EQ(KeyStep(grid), 50000);
    EXPECT_TRUE(grid.SetGridInt("grid_size", 100));
    EXPECT_EQ(KeyStep(grid), 1000000);
}

}  // namespace
