// Where the status strip's items go: left to right in rows, a new row when
// the next item would not fit, so that no text is ever cut. Items marked
// to the right are packed against the row's right end, as the fields were
// when the strip had one row.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

struct VyFlowItem {
    QSize size;  // an empty size: the item is hidden and takes no room
    bool right = false;
};

struct VyFlowPlaces {
    std::vector<QRect> rects;  // one an item, empty for the hidden ones
    int rows = 0;
    int height = 0;
};

VyFlowPlaces FlowItems(const std::vector<VyFlowItem>& items, int width, int spacing);
