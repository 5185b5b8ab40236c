// Handle codes of a selection frame and the mouse cursor each one shows.
#pragma once

#include <cstdint>

#include "editor/model/geometry.h"

enum VyHandleCode : int32_t {
    kHandleTopLeft = 1,
    kHandleTopRight = 2,
    kHandleBottomLeft = 3,
    kHandleBottomRight = 4,
    kHandleLeft = 5,
    kHandleRight = 6,
    kHandleTop = 7,
    kHandleBottom = 8,
    kHandleMove = 9,
    kHandleNone = 10,
};

// The cursor shapes; the canvas maps them to its platform's cursors.
enum class VyCornerCursor { kArrow, kSizeNwse, kSizeNesw, kSizeWe, kSizeNs, kSizeAll };

VyCornerCursor CursorForHandle(int32_t handle);

// The rectangle after dragging the handle to point.
VyRect RectForDraggedHandle(const VyRect& old, int32_t handle, VyPoint point);

// The handle of rect under point, tested corners first, then the centre,
// then the edge middles.
// reach scales how near the point must be (1: the usual tolerances).
int32_t HandleAt(const VyRect& rect, VyPoint point, double reach = 1.0);
