// A user's editing session as the module sees it: a stream of numbers picks
// edits of a drawing (creates, moves, resizes, deletes, attribute changes,
// stacking moves, undo and redo of one or many steps, a lost module screen).
// After every edit two virtual modules are brought up to date, one with the
// update of only what changed and one with a full update; their screens
// must be dot for dot the same. The sequence tests and the fuzz target
// share it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/document/object_group.h"
#include "editor/link/lcd_screen_mirror.h"
#include "editor/model/device_context.h"
#include "editor/virtual_lcd/virtual_lcd.h"

class MirrorSession {
  public:
    // The next number of the stream (0 once it is used up).
    using NumberSource = std::function<uint32_t()>;

    // The session starts from this drawing, sent whole to both modules.
    explicit MirrorSession(const CVylObjectGroup& start = CVylObjectGroup());

    // One edit and the updates after it; empty when both screens agree,
    // else what went wrong.
    std::string Step(const NumberSource& next);

    const CVylObjectGroup& Drawing() const { return m_drawing; }
    int64_t GetIncrementalUpdates() const { return m_incremental; }
    int64_t GetUpdates() const { return m_updates; }
    int64_t GetIncrementalBytes() const { return m_incrementalBytes; }
    int64_t GetFullBytes() const { return m_fullBytes; }
    // The edits so far, one a line.
    const std::string& Trace() const { return m_trace; }

  private:
    void Edit(const NumberSource& next);
    void Create(const NumberSource& next);
    void ChangeAttribute(int32_t uid, const NumberSource& next);
    void Remember();
    std::string Compare();
    int32_t PickUid(uint32_t number) const;

    CVylDeviceContext m_dc;
    CVylObjectGroup m_drawing;
    // Every drawing the session passed through, for undo and redo.
    std::vector<CVylObjectGroup> m_past;
    size_t m_position = 0;
    int32_t m_nextUid = 1;
    size_t m_mostObjects = 48;
    CVylLcdScreenMirror m_mirror;
    CVylVirtualLcd m_incrementalLcd;
    int64_t m_updates = 0;
    int64_t m_incremental = 0;
    int64_t m_incrementalBytes = 0;
    int64_t m_fullBytes = 0;
    std::string m_trace;
};
