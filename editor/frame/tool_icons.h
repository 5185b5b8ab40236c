// The drawing tools' icons, drawn for this product: 16 x 15 pictures of the
// shape each tool makes, dark when normal, blue under the mouse, grey when
// disabled, drawn at every device pixel ratio so they stay sharp.
#pragma once

#include <QIcon>

#include "editor/vyedit_export.h"

VYEDIT_EXPORT QIcon ToolIcon(int32_t tool);
