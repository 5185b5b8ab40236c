#include "editor/virtual_lcd/virtual_lcd.h"

#include <vector>

#include "editor/virtual_lcd/lcd_frame_painter.h"

namespace {

uint8_t Byte(std::string_view args, size_t at) {
    return static_cast<uint8_t>(args[at]);
}

// Unsigned 16 bits, low byte first.
int32_t Word(std::string_view args, size_t at) {
    return Byte(args, at) | Byte(args, at + 1) << 8;
}

// Coordinates and sizes are signed 16 bits, low byte first.
int32_t Signed(std::string_view args, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(Word(args, at)));
}

VyDot DotAt(std::string_view args, size_t at) {
    return {Signed(args, at), Signed(args, at + 2)};
}

}  // namespace

CVylVirtualLcd::CVylVirtualLcd() {
    m_dc.InitDeviceContext(kModelVyb3224);
}

std::string CVylVirtualLcd::Feed(std::string_view bytes) {
    std::vector<VyLcdCommand> done;
    m_parser.Feed(bytes, &done);
    for (const VyLcdCommand& command : done) {
        Execute(command);
    }
    m_commands += static_cast<int64_t>(done.size());
    return std::string(done.size(), 'K');
}

void CVylVirtualLcd::Execute(const VyLcdCommand& command) {
    const std::string_view name = command.name;
    const std::string_view args = command.args;
    if (name == "CL") {
        m_frame.Clear();
        return;
    }
    // The parser lets only known commands with their full arguments through.
    if (DrawShape(name, args) || SetState(name, args) || DrawText(name, args)) {
        return;
    }
    SetOption(name, args);
}

bool CVylVirtualLcd::DrawShape(std::string_view name, std::string_view args) {
    const VyLcdPen pen = MakeLcdPen(m_state.dotSize, m_state.dottedSpacing, m_state.colorOn);
    const bool on = m_state.colorOn;
    if (name == "BX") {
        DrawLcdBox(m_frame, DotAt(args, 0), DotAt(args, 4), pen);
    } else if (name == "LI") {
        DrawLcdLine(m_frame, DotAt(args, 0), DotAt(args, 4), pen);
    } else if (name == "BF") {
        FillLcdBox(m_frame, DotAt(args, 0), DotAt(args, 4), on);
    } else if (name == "EL") {
        DrawLcdEllipse(m_frame, DotAt(args, 0), Signed(args, 4), Signed(args, 6), pen.width, on);
    } else if (name == "EF") {
        FillLcdEllipse(m_frame, DotAt(args, 0), Signed(args, 4), Signed(args, 6), on);
    } else if (name == "AR") {
        DrawLcdArc(m_frame, DotAt(args, 0), Signed(args, 4), Signed(args, 6), Signed(args, 8),
                   pen.width, on);
    } else if (name == "BD") {
        // x, y and the mode byte come before the file.
        DrawLcdBitmap(m_frame, DotAt(args, 0), args.substr(5));
    } else {
        return false;
    }
    return true;
}

bool CVylVirtualLcd::SetState(std::string_view name, std::string_view args) {
    if (name == "DS") {
        m_state.dotSize = Byte(args, 0);
    } else if (name == "SC") {
        m_state.colorOn = Byte(args, 0) != 0;
    } else if (name == "LS") {
        m_state.dottedSpacing = Byte(args, 0);
    } else if (name == "FO") {
        m_state.text.korFont = Byte(args, 0);
        m_state.text.alnumFont = Byte(args, 1);
    } else if (name == "FS") {
        m_state.text.boldState = Byte(args, 0);
        m_state.text.inverse = Byte(args, 1) != 0;
        m_state.text.underline = Byte(args, 2) != 0;
    } else {
        return false;
    }
    return true;
}

bool CVylVirtualLcd::DrawText(std::string_view name, std::string_view args) {
    if (name == "GL") {
        m_state.textPos = DotAt(args, 0);
    } else if (name == "PR") {
        // The text without its terminating 0x00; the next print goes on after it.
        const std::string_view text = args.substr(0, args.size() - 1);
        m_state.textPos.x =
            DrawLcdText(m_frame, m_dc, m_state.textPos, text, m_state.text, m_glyphs);
    } else {
        return false;
    }
    return true;
}

bool CVylVirtualLcd::SetOption(std::string_view name, std::string_view args) {
    if (name == "BL") {
        m_options.backlight = Byte(args, 0);
    } else if (name == "PG") {
        m_options.graphicLayer = Byte(args, 0);
    } else if (name == "OM") {
        m_options.overlayMode = Byte(args, 0);
    } else if (name == "WM") {
        m_options.writeMode = Byte(args, 0);
    } else if (name == "PM") {
        m_options.layerStates = {Byte(args, 0), Byte(args, 1), Byte(args, 2)};
    } else if (name == "VE") {
        m_options.brightness = Word(args, 0);
    } else {
        return false;
    }
    return true;
}

CVylLcdFrame ScreenOfCommands(std::string_view bytes, const CVylUnifont* glyphs) {
    CVylVirtualLcd lcd;
    lcd.SetGlyphs(glyphs);
    lcd.Feed(bytes);
    return lcd.GetFrame();
}
