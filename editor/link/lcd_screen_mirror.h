// CVylLcdScreenMirror: what the module's screen holds, kept as the objects
// last sent to it, and the update that brings the screen to a new drawing.
// A full update clears the screen and sends every object. An update of what
// changed erases the dots that the changed objects wrote, then redraws,
// bottom to top, every object that writes there and every object above
// those that their redraw paints over. Both leave the screen dot for dot
// the same.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/command/command_bytes.h"
#include "editor/command/extract_status.h"
#include "editor/document/object_group.h"
#include "editor/model/device_context.h"
#include "editor/virtual_lcd/virtual_lcd.h"
#include "editor/vyedit_export.h"

struct VyLcdUpdatePlan {
    bool full = true;
    VyByteArray bytes;
    VyLengthArray lengths;
    // What the full update takes, to tell the saving.
    int64_t fullBytes = 0;
    int32_t status = kExtractOk;
};

class VYEDIT_EXPORT CVylLcdScreenMirror {
  public:
    // Objects are measured with the module's glyphs (nullptr: the small
    // built-in font); the font must outlive the mirror.
    explicit CVylLcdScreenMirror(const CVylUnifont* glyphs);

    // The screen's contents are unknown (a transfer cut short, a port
    // opened again, the module silent): the next update is a full one.
    void Forget() { m_known = false; }
    bool IsKnown() const { return m_known; }

    // The update from the drawing last planned for to this one, which the
    // mirror then holds. A full update unless onlyChanges is set and the
    // screen is known, and unless the changes come to nearly as much.
    VyLcdUpdatePlan PlanUpdate(const CVylDeviceContext& dc, const CVylObjectGroup& drawing,
                               bool onlyChanges);

  private:
    // One object as the module draws it.
    struct Drawn {
        int32_t uid = 0;
        // Its commands on their own, every state they need set first.
        std::string commands;
        // The dots they write, and the object's region on the screen.
        VyDotBox box;
    };

    bool Describe(const CVylDeviceContext& dc, const CVylObjectGroup& drawing,
                  std::vector<Drawn>* out);
    VyDotBox BoxOf(const std::string& commands, const CVylObject& object);
    bool PlanChanges(const CVylDeviceContext& dc, const CVylObjectGroup& drawing,
                     const std::vector<Drawn>& now, VyLcdUpdatePlan* plan) const;

    bool m_known = false;
    std::vector<Drawn> m_sent;
    // Measuring a bitmap or a text takes a while; edits mostly leave the
    // commands of most objects as they were.
    std::unordered_map<std::string, VyDotBox> m_boxes;
    CVylVirtualLcd m_measure;
};
