// Snapping drawing positions (1/10000 dot) to the canvas grid.
#pragma once

#include <cstdint>

#include "editor/document/grid_system.h"
#include "editor/model/geometry.h"

// A coordinate at most 9 dots from a grid line of a grid of gridDots dots
// moves onto that line (the nearer one; exactly half way rounds away from
// zero); coordinates farther from every line stay. A negative coordinate
// snaps as its positive mirror image does. gridDots 0 snaps nothing.
int32_t SnapCoordinate(int32_t c, int32_t gridDots);

// Snapping by the canvas's grid settings: only with "use_grid" and a
// non-zero "grid_size".
VyPoint SnapPoint(const CVylGridSystem& grid, VyPoint point);
VyRect SnapRegion(const CVylGridSystem& grid, const VyRect& region);

// The distance that arrow keys move: "grid_size" dots with the grid on
// (8 when the size is missing), else one dot.
int32_t KeyStep(const CVylGridSystem& grid);
