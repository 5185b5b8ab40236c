// What the three attribute panels share: the canvas they change, the
// updating flag that keeps the program's own writes from becoming changes,
// the panel colour, and the keys offered to the canvas first.
#pragma once

#include <QWidget>

class CVylCanvas;
class QKeyEvent;

class CVyeAttributePanel : public QWidget {
    Q_OBJECT

  public:
    explicit CVyeAttributePanel(CVylCanvas* canvas, QWidget* parent = nullptr);

    bool IsUpdating() const { return m_updating; }
    void SetUpdating(bool updating) { m_updating = updating; }

  protected:
    CVylCanvas* Canvas() const { return m_canvas; }
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Whether the panel keeps Enter for the focused control (a multi-line box).
    virtual bool KeepsEnter(QObject* /*watched*/) const { return false; }
    // Enter in a control the panel does not keep it for: the control's value
    // is taken as final.
    virtual void OnEnter(QObject* /*watched*/) {}
    // A key is about to go to the canvas, whose command may change the
    // selection: a value still being edited is taken as final first.
    virtual void BeforeCanvasKey(QObject* /*watched*/, const QKeyEvent& /*key*/) {}
    // Every child control sends its keys through the panel's filter.
    void WatchKeys();

  private:
    CVylCanvas* m_canvas;
    bool m_updating = false;
};
