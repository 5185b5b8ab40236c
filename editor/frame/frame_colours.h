// The colours the editor's panels share.
#pragma once

#include <QColor>

// Panels, the status strip and the message line paint their background in it.
inline const QColor kPanelColour(206, 212, 224);
// The text panel's content box while it does not have the keyboard focus.
inline const QColor kContentUnfocusedColour(236, 242, 255);
