// Edit histories the benchmarks replay: a long-lived project's steady mix of
// creates, moves, repairs, multi-object actions and stacking moves over a
// drawing of a bounded number of objects (one create or delete in ten
// actions once the drawing holds that many).
#pragma once

#include "editor/document/edit_history.h"

inline constexpr int kLongLivedObjects = 200;

// Records exactly `actions` actions.
void FillMixedHistory(CVylEditActionGroup& history, int actions, int objects = kLongLivedObjects);
