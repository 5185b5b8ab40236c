// The bytes of a full LCD refresh: the clear command, then every object of the
// drawing bottom to top with the state commands it needs.
#pragma once

#include <cstdint>

#include "editor/command/command_bytes.h"
#include "editor/command/extract_status.h"
#include "editor/document/object_group.h"
#include "editor/model/device_context.h"
#include "editor/vyedit_export.h"

// The clear command that starts every refresh.
inline constexpr uint8_t kLcdClearCommand[] = {0x1B, 0x43, 0x4C, 0x00};

// Appends the commands of every object, bottom to top, with their lengths,
// and returns the extraction status. The text objects are laid out on
// copies; the drawing stays as it is.
VYEDIT_EXPORT int32_t ExtractDrawingCommands(const CVylDeviceContext& dc,
                                             const CVylObjectGroup& group, VyByteArray& bytes,
                                             VyLengthArray& lengths);

// Appends the commands of the objects, bottom to top, up to the first after
// which bytes holds more than byteLimit bytes (all of them when they take no
// more), and returns the extraction status. The drawing is not copied: only
// the text objects reached are laid out, each on a copy of its own.
VYEDIT_EXPORT int32_t ExtractLeadingCommands(const CVylDeviceContext& dc,
                                             const CVylObjectGroup& group, size_t byteLimit,
                                             VyByteArray& bytes, VyLengthArray& lengths);

// Fills bytes and lengths (replacing their contents) and returns the
// extraction status; on a failure they hold what came before it. The
// drawing stays as it is.
VYEDIT_EXPORT int32_t BuildFullLcdUpdate(const CVylDeviceContext& dc, const CVylObjectGroup& group,
                                         VyByteArray& bytes, VyLengthArray& lengths);
