// Edit histories the benchmarks replay: a long-lived project's screen of a
// given number of objects, laid out first, then edited in a steady mix of
// moves, repairs, multi-object actions, stacking moves, and deletes each
// followed by a create.
#pragma once

#include "editor/document/edit_history.h"

inline constexpr int kLongLivedObjects = 200;

// Records exactly `actions` actions.
void FillMixedHistory(CVylEditActionGroup& history, int actions, int objects = kLongLivedObjects);
