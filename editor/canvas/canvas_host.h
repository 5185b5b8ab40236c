// What the GUI-free canvas asks of the shell it runs in (the canvas widget,
// or a test): the effects of a change notification, the notices to the
// editor frame, the cursor and the notices to the user.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/document/handle_code.h"

class CVylObjectGroup;

// The handle cursors of the selection frame, then the cross of a drag.
enum class VyCanvasCursor { kArrow, kSizeNwse, kSizeNesw, kSizeWe, kSizeNs, kSizeAll, kCross };
static_assert(static_cast<int>(VyCanvasCursor::kSizeAll) ==
                  static_cast<int>(VyCornerCursor::kSizeAll),
              "the handle cursors come first, in the same order");

class CVylCanvasHost {
  public:
    virtual ~CVylCanvasHost() = default;

    // The effects of OnAgain beyond the rebuild, called in this order.
    virtual void Redraw() {}
    virtual void RefreshStatus() {}
    virtual void RefreshPanels() {}
    virtual void RequestLcdUpdate() {}
    virtual void RefreshHexPane() {}

    // A drag created an object of this kind (the frame switches panels).
    virtual void ObjectCreated(int32_t /*kind*/) {}
    // The right button went up: the object popup menu opens.
    virtual void PopupMenuRequested() {}
    // The mouse moved over the canvas (the status strip shows where).
    virtual void MouseMoved() {}
    virtual void SetCursorShape(VyCanvasCursor /*cursor*/) {}
    // Objects went to the canvas's clipboard (moved to the origin), so that
    // the desktop's clipboard can get a text form of them too.
    virtual void ObjectsCopied(const CVylObjectGroup& /*objects*/) {}
    // A notice with one OK button; text in the system code page.
    virtual void ShowNotice(std::string_view /*text*/) {}
};
