// CVylVirtualLcd: a software stand-in for the LCD module. It takes the
// module's command bytes in any pieces, draws what they say into its screen
// and answers every complete command with "K", as the module does.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/model/device_context.h"
#include "editor/virtual_lcd/lcd_command_parser.h"
#include "editor/virtual_lcd/lcd_frame.h"
#include "editor/virtual_lcd/lcd_text_painter.h"

// What the state commands have set; the drawing commands use it.
struct VyLcdDrawState {
    int32_t dotSize = 0;  // strokes are dot size + 1 dots wide
    bool colorOn = true;  // drawing sets dots (true) or clears them
    int32_t dottedSpacing = 0;
    VyLcdTextStyle text;  // font index, alphanumeric mode and font style
    VyDot textPos;        // where the next printed character starts
};

// The display options, as last received; -1 for one never set. They change
// nothing on the one-layer screen kept here.
struct VyLcdOptions {
    int32_t backlight = -1;
    int32_t graphicLayer = -1;
    int32_t overlayMode = -1;
    int32_t writeMode = -1;
    std::array<int32_t, 3> layerStates{-1, -1, -1};
    int32_t brightness = -1;
};

class CVylVirtualLcd;

// The screen a fresh module shows after taking these command bytes, its
// texts drawn from glyphs (nullptr: the small built-in font).
VYEDIT_EXPORT CVylLcdFrame ScreenOfCommands(std::string_view bytes, const CVylUnifont* glyphs);

class CVylVirtualLcd {
  public:
    CVylVirtualLcd();

    // Where text takes its glyphs from (nullptr: the small built-in font);
    // the font must outlive the module.
    void SetGlyphs(const CVylUnifont* glyphs) { m_glyphs = glyphs; }

    // Takes the next bytes from the line and returns the reply: one "K" for
    // every command they complete.
    std::string Feed(std::string_view bytes);

    const CVylLcdFrame& GetFrame() const { return m_frame; }
    // Forgets which dots the commands so far have written.
    void ResetTouched() { m_frame.ResetTouched(); }
    bool GetDot(int32_t x, int32_t y) const { return m_frame.GetDot(x, y); }
    const VyLcdDrawState& GetDrawState() const { return m_state; }
    const VyLcdOptions& GetOptions() const { return m_options; }
    int64_t GetCommandCount() const { return m_commands; }
    int64_t GetGarbageBytes() const { return m_parser.GetGarbageBytes(); }
    // Bytes held of a command that has not ended yet.
    size_t GetPendingBytes() const { return m_parser.GetPendingBytes(); }

  private:
    void Execute(const VyLcdCommand& command);
    bool DrawShape(std::string_view name, std::string_view args);
    bool SetState(std::string_view name, std::string_view args);
    bool DrawText(std::string_view name, std::string_view args);
    bool SetOption(std::string_view name, std::string_view args);

    CVylDeviceContext m_dc;
    CVylLcdCommandParser m_parser;
    CVylLcdFrame m_frame;
    VyLcdDrawState m_state;
    VyLcdOptions m_options;
    int64_t m_commands = 0;
    const CVylUnifont* m_glyphs = nullptr;
};
