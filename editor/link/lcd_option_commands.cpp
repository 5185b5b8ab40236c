#include "editor/link/lcd_option_commands.h"

namespace {

VyByteArray Command(char first, char second, std::initializer_list<int32_t> arguments) {
    VyByteArray bytes{0x1B, static_cast<uint8_t>(first), static_cast<uint8_t>(second)};
    for (int32_t argument : arguments) {
        bytes.push_back(static_cast<uint8_t>(argument));
    }
    return bytes;
}

}  // namespace

VyByteArray BacklightCommand(int32_t item) {
    return Command('B', 'L', {item - 1});
}

VyByteArray GraphicLayerCommand(int32_t item) {
    return Command('P', 'G', {item});
}

VyByteArray OverlayModeCommand(int32_t item) {
    return Command('O', 'M', {item - 1});
}

VyByteArray WriteModeCommand(int32_t item) {
    return Command('W', 'M', {item - 1});
}

VyByteArray LayerStatesCommand(int32_t layer1, int32_t layer2, int32_t layer3) {
    return Command('P', 'M', {layer1, layer2, layer3});
}

VyByteArray BrightnessCommand(int32_t brightness) {
    return Command('V', 'E', {brightness & 0xFF, (brightness >> 8) & 0xFF});
}

VyByteArray DotSizeCommand(int32_t dotSize) {
    return Command('D', 'S', {dotSize, 0});
}

std::optional<VyByteArray> CVylBrightnessThrottle::Tick() {
    std::optional<VyByteArray> command;
    if (m_current != -1 && m_current != m_noted) {
        command = BrightnessCommand(m_current);
    }
    m_noted = m_current;
    return command;
}

void CVylDisplayModes::Note(const VyByteArray& bytes) {
    if (bytes.size() != 4 || bytes[0] != 0x1B) {
        return;
    }
    const int32_t value = bytes[3];
    if (bytes == GraphicLayerCommand(value)) {
        m_layer = value;
    } else if (bytes == OverlayModeCommand(value + 1)) {
        m_overlay = value;
    } else if (bytes == WriteModeCommand(value + 1)) {
        m_writeMode = value;
    }
}

bool CVylDisplayModes::IsPlain() const {
    return (m_layer == -1 || m_layer == 1) && m_overlay <= 0 && m_writeMode <= 0;
}
