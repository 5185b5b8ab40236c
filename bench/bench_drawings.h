// Drawings the benchmarks measure.
#pragma once

#include <string>

#include "editor/document/object_group.h"

// An object of each shape kind and a two-line text, repeated to count objects.
CVylObjectGroup MakeMixedDrawing(int count);
// The same with a one-bit picture (48 x 32) as every seventh object.
CVylObjectGroup MakeCanvasDrawing(int count);
// A screen laid out as a device's screens are: count small items (labels,
// frames, rules, marks, small pictures) in a grid of cells, few of them
// overlapping.
CVylObjectGroup MakeScreenLayout(int count);
