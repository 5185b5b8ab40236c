#include "editor/frame/strip_flow.h"

#include <algorithm>

namespace {

struct Row {
    std::vector<size_t> items;
    int used = 0;  // with the spacing between items
    int height = 0;
};

std::vector<Row> Rows(const std::vector<VyFlowItem>& items, int width, int spacing) {
    std::vector<Row> rows;
    for (size_t i = 0; i < items.size(); ++i) {
        const QSize size = items[i].size;
        if (size.isEmpty()) {
            continue;
        }
        const bool fits = !rows.empty() && rows.back().used + spacing + size.width() <= width;
        if (!fits) {
            rows.push_back(Row{});
        }
        Row& row = rows.back();
        row.used += (row.items.empty() ? 0 : spacing) + size.width();
        row.height = std::max(row.height, size.height());
        row.items.push_back(i);
    }
    return rows;
}

}  // namespace

VyFlowPlaces FlowItems(const std::vector<VyFlowItem>& items, int width, int spacing) {
    VyFlowPlaces places;
    places.rects.resize(items.size());
    int top = 0;
    for (const Row& row : Rows(items, width, spacing)) {
        // The right-hand items start where they end flush with the edge.
        int rightWidth = 0;
        for (size_t i : row.items) {
            rightWidth += items[i].right ? items[i].size.width() + spacing : 0;
        }
        int left = 0;
        int right = std::max(width - rightWidth + spacing, row.used - rightWidth + spacing);
        for (size_t i : row.items) {
            const QSize size = items[i].size;
            int& x = items[i].right ? right : left;
            places.rects[i] = QRect(QPoint(x, top + (row.height - size.height()) / 2), size);
            x += size.width() + spacing;
        }
        top += row.height + spacing;
        ++places.rows;
    }
    places.height = std::max(top - spacing, 0);
    return places;
}
