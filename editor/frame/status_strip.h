// CDlgGlobalStatus: the strip along the bottom of the editor. It owns the
// serial link, warns when the module stops answering, shows the mouse
// position in LCD dots and offers six boxes in which the user types the
// exact region of the one selected object.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "editor/link/serial_link.h"
#include "editor/vyedit_export.h"

class CVylCanvas;
class QLabel;
class QPushButton;
struct VyFlowPlaces;

class VYEDIT_EXPORT CDlgGlobalStatus : public QWidget {
    Q_OBJECT

  public:
    explicit CDlgGlobalStatus(QWidget* parent = nullptr);
    // Closes the port.
    ~CDlgGlobalStatus() override;

    CVylMSComm& Link() { return m_link; }
    // The canvas whose chief object the region boxes edit; a value typed
    // into them is applied before the canvas acts on anything else.
    void SetCanvas(CVylCanvas* canvas);
    // The folder of "contexthelpshow.ini" (the firmware notice).
    void SetTextDataFolder(std::string folder) { m_textDataFolder = std::move(folder); }

    // Filled by the editor frame after every change.
    // The port and its settings, and the canvas's scale.
    void SetStateText(const QString& port, const QString& scale);
    // Port, scale and the last update's size or progress.
    QString StateText() const;
    // The six region boxes in dots (left, right, top, bottom, width,
    // height), enabled; or empty and disabled.
    void ShowRegion(bool oneSelected, int32_t left, int32_t top, int32_t right, int32_t bottom);
    // The mouse position box, from the cursor over the canvas.
    void UpdateLcdPointEditCtrl();
    QString PositionText() const;
    QString NoAnswerText() const;
    QLineEdit* RegionBox(const std::string& name) const;
    QPushButton* RefreshButton() const { return m_refresh; }
    // As many rows as the width needs for every text and box whole.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    // The refresh button: the link drops what it was sending, and a port
    // that is not open is tried again.
    void OnRefreshLcdState();
    // Opens the settings' port again if it is closed; told on the message
    // line (a failure only when the user asked). True when it is open.
    bool TryToReconnect(bool askedByUser);
    // The 2 s tick while the port is closed: tries it again.
    void OnReconnectTimer();
    // Applies every region box typed into since the last time.
    void Reflect();
    // The 1 s tick: refresh button, no-answer warning (public so that
    // tests drive it without waiting).
    void OnTimer();
    // Brings the last full update's size or progress up to date.
    void OnProgressTick();
    // The 1.7 s one-shot tick after typing into a region box.
    void OnRegionTimer();

  Q_SIGNALS:
    // A coloured text for the application's message line (empty clears it).
    void messageLine(const QColor& colour, const QString& text);
    // The port opened again, or the module answers again after a silence:
    // the module wants a full update.
    void moduleBack();
    // The link's state changed (the port went away or came back).
    void linkStateChanged();
    // The strip needs another height for its texts (heightForWidth).
    void heightWanted();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLineEdit* AddBox(const char* name, int32_t maxLength);
    // Parts kept together on one row.
    QWidget* Group(std::initializer_list<QWidget*> parts);
    VyFlowPlaces Places(int width) const;
    void PlaceItems();
    void Reflow();
    void OnBoxEdited(const std::string& name);
    void ConsiderFirmwareNotice();
    void OnPortLost();
    void OnAnswers(const std::string& bytes);
    QString DeviceName() const;

    CVylMSComm m_link;
    CVylCanvas* m_canvas = nullptr;
    std::string m_textDataFolder;
    QLabel* m_state = nullptr;  // the port, shortened only when longer than the strip
    QLabel* m_scale = nullptr;
    QLabel* m_update = nullptr;
    QLabel* m_noAnswer = nullptr;
    QLineEdit* m_position = nullptr;
    std::array<std::pair<std::string, QLineEdit*>, 6> m_boxes{};
    size_t m_boxCount = 0;
    QPushButton* m_refresh = nullptr;
    // The strip's items in their order, and whether each keeps right.
    std::vector<std::pair<QWidget*, bool>> m_flow;
    std::array<bool, 6> m_marked{};
    bool m_updating = false;
    bool m_firmwareNoticeConsidered = false;
    // Whether the no-answer warning is out.
    bool m_warned = false;
    QTimer m_tick;
    QTimer m_progressTick;
    QTimer m_reconnectTick;
    // The port's whole text.
    QString m_port;
    QTimer m_regionTimer;
};
