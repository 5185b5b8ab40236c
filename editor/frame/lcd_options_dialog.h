// CDlgLcdOpt: "시스템 설정", the module's display settings. Every change is
// sent at once as a short command; nothing is kept between openings.
#pragma once

#include <QDialog>
#include <QTimer>

#include "editor/link/lcd_option_commands.h"
#include "editor/link/serial_link.h"
#include "editor/vyedit_export.h"

class QComboBox;
class QLineEdit;
class QSlider;

class VYEDIT_EXPORT CDlgLcdOpt : public QDialog {
    Q_OBJECT

  public:
    CDlgLcdOpt(CVylMSComm& link, const CVylDeviceContext& dc, QWidget* parent = nullptr);

    // The 250 ms tick (public so that tests drive it without waiting).
    void OnTimer();

    QSlider* BrightnessSlider() const { return m_slider; }
    QLineEdit* BrightnessBox() const { return m_box; }
    QComboBox* Backlight() const { return m_backlight; }
    QComboBox* GraphicLayer() const { return m_layer; }
    QComboBox* Overlay() const { return m_overlay; }
    QComboBox* WriteMode() const { return m_writeMode; }
    QComboBox* LayerState(int layer) const { return m_layerStates[layer - 1]; }
    // "적용": the three layer states.
    void OnApply();

  private:
    void Send(const VyByteArray& command);
    QComboBox* Choice(const QStringList& items, VyByteArray (*command)(int32_t));

    CVylMSComm& m_link;
    const CVylDeviceContext& m_dc;
    QSlider* m_slider = nullptr;
    QLineEdit* m_box = nullptr;
    QComboBox* m_backlight = nullptr;
    QComboBox* m_layer = nullptr;
    QComboBox* m_overlay = nullptr;
    QComboBox* m_writeMode = nullptr;
    std::array<QComboBox*, 3> m_layerStates{};
    CVylBrightnessThrottle m_brightness;
    QTimer m_timer;
};
