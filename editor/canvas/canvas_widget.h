// CVylCanvas: the drawing canvas as a widget. A thin shell around the
// GUI-free canvas core: it turns Qt's mouse, key and resize events into the
// core's calls, paints with the canvas renderer, keeps the LCD up to date
// through the link (a pending update starts when the link is idle, at once
// or from the 150 ms timer) and fills the hex pane.
#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "editor/canvas/canvas_core.h"
#include "editor/canvas/canvas_renderer.h"
#include "editor/vyedit_export.h"

class CVylHexPane;
class CVylMSComm;
class CVylLcdUpdateScheduler;
class QKeyEvent;
class QScrollBar;

class VYEDIT_EXPORT CVylCanvas : public QWidget, private CVylCanvasHost {
    Q_OBJECT

  public:
    explicit CVylCanvas(QWidget* parent = nullptr);
    // Urges the link to stop, so that a transfer waiting for an answer ends.
    ~CVylCanvas() override;

    CVylCanvasCore& Core() { return m_core; }
    const CVylCanvasCore& Core() const { return m_core; }

    // The link that carries the LCD updates; none for a view-only preview.
    void SetLink(CVylMSComm* link);
    CVylMSComm* Link() const { return m_link; }
    void SetHexPane(CVylHexPane* pane) { m_hexPane = pane; }
    // A view-only canvas ignores the left button and shows a grey LCD.
    void SetViewOnly(bool viewOnly);

    // The canvas's one change notification (redraw, rebuild, status strip,
    // panels, LCD, hex pane).
    void OnAgain(int redraw, int rebuild, int status, int panels, int lcd, int hex);
    // Starts the pending full update if the link is idle.
    void TryToStartUpdatingLcd();
    // Rewrites the hex pane (first 30 bytes with trim set).
    void TryToStartPuttingHexaCmd(int first, int trim);
    // Keys offered by the canvas itself or by another control of the editor
    // (then arrows and Delete are left to that control); true when used.
    bool ProcessKeys(QKeyEvent* event, bool focusOnCanvas);

    // The 150 ms tick (public so that tests drive it without waiting).
    void OnTimer();

    // The part of the widget the canvas draws in: without the scroll bars
    // a zoomed LCD larger than the widget brings.
    QSize ClientSize() const;
    // The core fitted to that client area at the present zoom.
    void Refit();
    // A whole-number scale (or CVylCanvasZoom::kFit) keeping the LCD point
    // under anchor, in client pixels, where it is (the centre by default).
    void ZoomTo(int scale, std::optional<QPoint> anchor = std::nullopt);
    void ZoomIn(std::optional<QPoint> anchor = std::nullopt);
    void ZoomOut(std::optional<QPoint> anchor = std::nullopt);
    void ZoomToFit();
    QScrollBar* HorizontalScrollBar() const { return m_horizontal; }
    QScrollBar* VerticalScrollBar() const { return m_vertical; }

  Q_SIGNALS:
    // The status strip and the attribute panels must be refreshed.
    void statusRefreshRequested();
    void panelsRefreshRequested();
    // A drag created an object of this kind.
    void objectCreated(int kind);
    // The right button went up: the object popup menu opens there.
    void popupMenuRequested(const QPoint& globalPosition);
    // The mouse moved over the canvas.
    void mousePositionChanged();
    // An edit action was added to the history: the document is modified.
    void editActionAdded();
    // The scale or the scrolling changed.
    void zoomChanged();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // What the core asks of its shell.
    void Redraw() override;
    void RefreshStatus() override;
    void RefreshPanels() override;
    void RequestLcdUpdate() override;
    void RefreshHexPane() override;
    void ObjectCreated(int32_t kind) override;
    void PopupMenuRequested() override;
    void MouseMoved() override;
    void SetCursorShape(VyCanvasCursor cursor) override;
    void ObjectsCopied(const CVylObjectGroup& objects) override;
    void ShowNotice(std::string_view text) override;

    // One notice an outage: a port that went away is told on the message
    // line (by the status strip), any other closed port by a notice.
    void OnPortClosed();

    // Which scroll bars the zoom needs, and the room left.
    struct VyViewLayout {
        QSize client;
        bool horizontal = false;
        bool vertical = false;
    };
    VyViewLayout ViewLayout() const;
    VyScrollRange ScrollRange() const;
    // Bars shown, placed and set to the zoom's scrolling.
    void PlaceScrollBars();
    void OnScrollBarMoved();
    void AfterZoom();
    // Bars, fit and picture brought up to the zoom's scrolling.
    void AfterScroll();
    // Ctrl with plus, minus, 0 or 1; true when used.
    bool ZoomKeys(const QKeyEvent* event);
    // A drag that pans: the middle button, or the left one with space held.
    bool StartPanning(const QMouseEvent* event);
    bool Pan(const QMouseEvent* event);

    CVylCanvasCore m_core;
    CVylCanvasRenderer m_renderer;
    CVylMSComm* m_link = nullptr;
    std::unique_ptr<CVylLcdUpdateScheduler> m_scheduler;
    // The link's open count when the port-closed notice was last shown.
    int64_t m_noticedOutage = -1;
    CVylHexPane* m_hexPane = nullptr;
    QTimer m_timer;
    QPoint m_rightButtonGlobal;
    QScrollBar* m_horizontal = nullptr;
    QScrollBar* m_vertical = nullptr;
    bool m_spaceHeld = false;
    std::optional<QPoint> m_panFrom;
    int m_wheelSteps = 0;  // eighths of a degree not yet turned into a step
};
