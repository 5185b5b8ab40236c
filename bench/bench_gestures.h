// Gestures the canvas benchmarks make: one of the bottom 500 objects picked
// in turn, grabbed by its centre and dragged a little, up to the release.
#pragma once

#include <algorithm>
#include <vector>

#include "editor/canvas/canvas_core.h"

// Selects the step-th object, presses on its centre and drags; returns the
// point where the button is to be released.
inline VyPoint StartMoveGesture(CVylCanvasCore& canvas, int step) {
    const std::vector<int32_t>& order = canvas.Group().GetZOrderList();
    const int32_t uid = order[static_cast<size_t>(step) % std::min<size_t>(order.size(), 500)];
    canvas.Selection().SetSingleSelection(uid, true);
    const VyRect region = canvas.Fit().VirtualToScreen(canvas.Group().GetRegion(uid).Normalized());
    const VyPoint centre{(region.left + region.right) / 2, (region.top + region.bottom) / 2};
    canvas.OnMouseMove(centre, {});
    canvas.OnLButtonDown(centre, {});
    const VyPoint to{centre.x + 20, centre.y + 10};
    canvas.OnMouseMove(to, {});
    return to;
}
