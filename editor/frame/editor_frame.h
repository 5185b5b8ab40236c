// CVyeEditor: the whole editor as one widget for the application: the
// drawing tools at the left, the attribute panel of the selection along the
// top, the canvas in the middle and the link status strip along the bottom.
// It routes the tools and the object popup menu to the canvas and keeps
// the panels and the status strip in step with the selection.
#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "editor/canvas/canvas_widget.h"
#include "editor/frame/bitmap_panel.h"
#include "editor/frame/shape_panel.h"
#include "editor/frame/status_strip.h"
#include "editor/frame/text_panel.h"
#include "editor/vyedit_export.h"

class CVylHexPane;
class QAction;
class QActionGroup;
class QMenu;
class QToolBar;

// Told what the application shows: a new edit action (the document is
// modified) and coloured texts for the message line.
class CVyeEditorNotify {
  public:
    virtual ~CVyeEditorNotify() = default;
    virtual void EditActionAdded() {}
    virtual void ShowMessageLine(const QColor& /*colour*/, const QString& /*text*/) {}
};

// Asks the user for serial settings while the port does not open (the
// serial settings dialog); true when new settings were applied.
using VySettingsAsker = CVylMSComm::SettingsAsker;

class VYEDIT_EXPORT CVyeEditor : public QWidget {
    Q_OBJECT

  public:
    explicit CVyeEditor(QWidget* parent = nullptr);
    ~CVyeEditor() override;

    // Sets the editor up inside parent at rect: the canvas, the status
    // strip with the serial link (its port opened with the settings in
    // commConfigPath, asking the user while it does not open), the panels.
    // messageLine is the pane that lists the command bytes. 1 when all are
    // up; 0 when the user gave up on the serial settings.
    int InitEditor(const std::string& commConfigPath, QWidget* parent, const QRect& rect,
                   CVylHexPane* messageLine, CVyeEditorNotify* notify,
                   const std::string& textDataFolder);
    // The serial settings dialog by default; tests replace it.
    void SetSettingsAsker(VySettingsAsker asker) { m_asker = std::move(asker); }

    CVylCanvas& Canvas() { return *m_canvas; }
    CDlgGlobalStatus& StatusStrip() { return *m_status; }
    CVylMSComm& Link() { return m_status->Link(); }
    CDlgLocalShape& ShapePanel() { return *m_shapePanel; }
    CDlgLocalText& TextPanel() { return *m_textPanel; }
    CDlgLocalBmp& BitmapPanel() { return *m_bitmapPanel; }
    QToolBar& ToolBar() { return *m_toolBar; }
    QAction* ToolAction(int32_t tool) const;
    const std::string& CommConfigPath() const { return m_commConfigPath; }
    const std::string& TextDataFolder() const { return m_textDataFolder; }

    void ResizeCtrls(bool force);
    void UpdateLocalShowStates();
    void ToLocalCtrls(const CVylObjectUniqueAttr& attrs);
    void FromLocalCtrls(CVylObjectUniqueAttr& attrs) const;
    // The panel for a local UI kind (1 shape, 2 text, 3 bitmap), or none.
    QWidget* UiToDlg(int32_t kind) const;
    void SelectTool(int32_t tool);

    // The object popup menu with its items enabled for the selection; the
    // caller owns it.
    std::unique_ptr<QMenu> CreatePopupMenu();

    // What the canvas's notifications do (public for tests).
    void OnUpdateLocalCtrls();
    void OnObjectJustCreated(int kind);
    void OnUpdateGlobalStatus();
    void OnTrackPopupAtObject(const QPoint& globalPosition);

  Q_SIGNALS:
    void editActionAdded();
    void messageLine(const QColor& colour, const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool OnCanvasDrag(QEvent* event);

  private:
    void CreateToolBar();
    void ConnectCanvas();
    // Pixels of the fixed layout, grown with a large user interface font.
    int Scaled(int pixels) const;

    // The status strip owns the link, which must outlive the canvas.
    std::unique_ptr<CDlgGlobalStatus> m_status;
    std::unique_ptr<CVylCanvas> m_canvas;
    std::unique_ptr<CDlgLocalShape> m_shapePanel;
    std::unique_ptr<CDlgLocalText> m_textPanel;
    std::unique_ptr<CDlgLocalBmp> m_bitmapPanel;
    std::unique_ptr<QWidget> m_sidePanel;
    std::unique_ptr<QToolBar> m_toolBar;
    QActionGroup* m_tools = nullptr;
    std::array<QAction*, 8> m_toolActions{};
    CVyeEditorNotify* m_notify = nullptr;
    VySettingsAsker m_asker;
    std::string m_commConfigPath;
    std::string m_textDataFolder;
    int32_t m_lastLocalUi = -1;
    bool m_initialised = false;
};
