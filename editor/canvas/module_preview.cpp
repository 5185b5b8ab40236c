#include "editor/canvas/module_preview.h"

#include "editor/document/full_update.h"
#include "editor/virtual_lcd/lcd_unifont.h"
#include "editor/virtual_lcd/virtual_lcd.h"

namespace {

const QRgb kDotOn = qRgb(0, 0, 0);

}  // namespace

const QImage& CVylModulePreview::Screen(const CVylDeviceContext& dc,
                                        const CVylObjectGroup& drawing) {
    VyByteArray bytes;
    VyLengthArray lengths;
    BuildFullLcdUpdate(dc, drawing, bytes, lengths);
    std::string commands(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (commands == m_commands && !m_screen.isNull()) {
        return m_screen;
    }
    const CVylLcdFrame frame = ScreenOfCommands(commands, &CVylUnifont::System());
    m_screen = QImage(kLcdWidth, kLcdHeight, QImage::Format_ARGB32_Premultiplied);
    m_screen.fill(Qt::transparent);
    for (int32_t y = 0; y < kLcdHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_screen.scanLine(y));
        for (int32_t x = 0; x < kLcdWidth; ++x) {
            if (frame.GetDot(x, y)) {
                line[x] = kDotOn;
            }
        }
    }
    m_commands = std::move(commands);
    return m_screen;
}
