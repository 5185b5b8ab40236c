// The module's display settings as commands: each a short command of its
// own, sent as one chunk. Indexes are those of the LCD options dialog's
// lists, whose first item is a title that sends nothing.
#pragma once

#include <cstdint>
#include <optional>

#include "editor/command/command_bytes.h"

// Backlight: item 1 OFF, 2 ON.
VyByteArray BacklightCommand(int32_t item);
// Graphic layer: items 1 to 3 are layers 1 to 3.
VyByteArray GraphicLayerCommand(int32_t item);
// Overlay: items 1 OR, 2 AND, 3 XOR.
VyByteArray OverlayModeCommand(int32_t item);
// Write mode: items 1 FAST, 2 SLOW.
VyByteArray WriteModeCommand(int32_t item);
// The states of layers 1, 2 and 3 (0 OFF, 1 ON, 2 2Hz flash, 3 16Hz flash).
VyByteArray LayerStatesCommand(int32_t layer1, int32_t layer2, int32_t layer3);
// The brightness, a 16-bit value with its low byte first.
VyByteArray BrightnessCommand(int32_t brightness);
// The stroke width of later strokes (dot size + 1 dots), then a zero byte, as
// every LCD update sends it before its first stroke.
VyByteArray DotSizeCommand(int32_t dotSize);

// Brightness changes are sent at most once a tick (250 ms), the latest
// value only: the value chosen goes out when it differs from the value
// noted at the previous tick. A value chosen before the first tick is sent
// by it too.
class CVylBrightnessThrottle {
  public:
    // The brightness now chosen (-1: none yet).
    void Set(int32_t brightness) { m_current = brightness; }
    int32_t Current() const { return m_current; }
    // What to send on this tick, if anything; notes the current value.
    std::optional<VyByteArray> Tick();

  private:
    int32_t m_current = -1;
    int32_t m_noted = -1;
};

// What the display settings sent so far mean for drawing: whether the screen
// is plain (drawing goes to layer 1 in overlay OR and write mode FAST, or
// these were never set), so that an update may erase and redraw parts of it.
class CVylDisplayModes {
  public:
    // Any bytes that go to the module; only the settings above count.
    void Note(const VyByteArray& bytes);
    bool IsPlain() const;

  private:
    int32_t m_layer = -1;
    int32_t m_overlay = -1;
    int32_t m_writeMode = -1;
};
