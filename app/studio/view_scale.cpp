#include "app/studio/view_scale.h"

#include <algorithm>

#include "editor/canvas/canvas_fit.h"

QSize WindowSizeForScale(int scale, QSize window, QSize canvas, QSize lcd) {
    const int margin = CVylCanvasFitContext::kMargin;
    return {
        std::max(window.width(), scale * lcd.width() + margin + window.width() - canvas.width()),
        scale * lcd.height() + margin + window.height() - canvas.height()};
}

int LargestScaleThatFits(QSize window, QSize canvas, QSize lcd, QSize room, int most) {
    for (int scale = most; scale >= 2; --scale) {
        const QSize needed = WindowSizeForScale(scale, window, canvas, lcd);
        if (needed.width() <= room.width() && needed.height() <= room.height()) {
            return scale;
        }
    }
    return 0;
}
