// "LCD 화면": the built-in virtual module's screen, shown live at twice its
// size with the look of an LCD; with a real port it names the port instead.
#pragma once

#include <QDockWidget>
#include <QImage>
#include <QTimer>

class CVylMSComm;
class QLabel;

class CLcdScreenView : public QWidget {
    Q_OBJECT

  public:
    explicit CLcdScreenView(QWidget* parent = nullptr);
    void SetScreen(const QImage& screen);
    const QImage& Screen() const { return m_screen; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Screen pixels per dot at the view's present size.
    double Zoom() const;
    // The view's size at the given screen pixels per dot.
    static QSize SizeAt(int zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage m_screen;
};

class CLcdScreenDock : public QDockWidget {
    Q_OBJECT

  public:
    CLcdScreenDock(CVylMSComm& link, QWidget* parent = nullptr);

    // Looks at the module (public so that tests need not wait for the
    // timer): the screen is redrawn when it took commands since.
    void Refresh();
    const QImage& Screen() const { return m_view->Screen(); }
    QString PortText() const;
    // The window's size with the screen at one screen pixel a dot.
    QSize OneToOneSize() const;

  private:
    CVylMSComm& m_link;
    CLcdScreenView* m_view = nullptr;
    QLabel* m_port = nullptr;
    int64_t m_commands = -1;
    QTimer m_timer;
};
