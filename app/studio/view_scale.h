// Window sizes for a scale of the LCD: the 100 % / 200 % view commands and
// the first start, which opens at the largest whole scale the screen has
// room for.
#pragma once

#include <QSize>

// The window size at which a canvas of the size given (in a window of the
// size given) shows an LCD of lcd dots at scale pixels a dot; never
// narrower than the window is.
QSize WindowSizeForScale(int scale, QSize window, QSize canvas, QSize lcd);

// The largest whole scale from 2 to most whose window fits room; 0 when
// not even 2 does.
int LargestScaleThatFits(QSize window, QSize canvas, QSize lcd, QSize room, int most);
