// A user's session on the GUI-free canvas, driven by a stream of bytes: each
// step is one operation a user has (gestures with modifiers, every key,
// undo and redo, the popup commands, the panels' values and sliders, the
// region boxes, typing, paste, templates, dropped and loaded pictures, grid
// and window changes, saving and opening). After any step Check() tells
// whether the document is still sound. The fuzz target and the sequence
// tests share it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/canvas/canvas_core.h"

class CanvasSession {
  public:
    // The next byte of the stream (0 once it is used up).
    using ByteSource = std::function<uint8_t()>;

    CanvasSession();

    CVylCanvasCore& Core() { return m_core; }
    // Runs one operation read from the stream; its name goes to the trace.
    void Step(const ByteSource& next);
    // Empty when the document is sound; else what is wrong:
    // (a) the history replays completely, (b) the drawing shown is the
    // replay of the history, (c) saved and opened again it gives the same
    // history and drawing, (d) the selection names only objects of the
    // drawing, (e) the module gets the bytes of the replayed drawing,
    // (f) a step that leaves the drawing as it was records nothing, (g) a
    // value typed into a box reaches the object it was typed for, (h) the
    // drawing the history rebuilds from its checkpoints, and the one it
    // rebuilds while opening, are exactly the full replay.
    std::string Check();
    // The operations run so far, one a line.
    std::string Trace() const;

  private:
    struct Operation {
        const char* name;
        void (*run)(CanvasSession& session, const ByteSource& next, VyModifiers modifiers);
    };
    static const std::vector<Operation>& Operations();

    VyPoint Point(const ByteSource& next) const;
    VyPoint ObjectPoint(const ByteSource& next) const;
    void Gesture(const ByteSource& next, VyModifiers modifiers);
    void PanelValue(const ByteSource& next, bool slider);
    void RegionBox(const ByteSource& next, bool typedOnly);
    void CommitTypedBox();
    void Template();
    void Picture(const ByteSource& next, bool drop);
    void MenuCommand(const ByteSource& next);
    void OpenSaved();
    void Note(std::string text) { m_trace.push_back(std::move(text)); }

    // A region box typed into and not applied yet.
    struct TypedBox {
        const char* name;
        int32_t value;
        int32_t uid;
    };

    int64_t m_now = 100000;
    CVylCanvasCore m_core;
    std::vector<std::string> m_trace;
    std::optional<TypedBox> m_typedBox;
    std::string m_fault;
    std::string m_lastDrawing;
    size_t m_lastCount = 0;
    int64_t m_lastIndex = -1;
    // The step replaced the history as a whole (new document, open), or
    // began with a value still being edited, which it may have recorded.
    bool m_historyReplaced = false;
};

// A drawing as text: every object in stacking order with its sorted
// attributes, then the linkers; equal texts mean equal drawings.
std::string DrawingText(const CVylObjectGroup& group);
