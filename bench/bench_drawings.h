// Drawings the benchmarks measure.
#pragma once

#include <string>

#include "editor/document/object_group.h"

// An object of each shape kind and a two-line text, repeated to count objects.
CVylObjectGroup MakeMixedDrawing(int count);
// The same with a one-bit picture (48 x 32) as every seventh object.
CVylObjectGroup MakeCanvasDrawing(int count);
