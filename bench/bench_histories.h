// Edit histories the benchmarks replay: creates, moves, repairs and
// multi-object actions in a steady mix, one create in ten actions.
#pragma once

#include "editor/document/edit_history.h"

void FillMixedHistory(CVylEditActionGroup& history, int actions);
