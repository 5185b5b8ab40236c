// CDlgMessageLine: the strip under the editor: the pane of command bytes
// and a label for the coloured texts the editor sends.
#pragma once

#include <QColor>
#include <QWidget>

class CVylHexPane;
class QLabel;

class CDlgMessageLine : public QWidget {
    Q_OBJECT

  public:
    explicit CDlgMessageLine(QWidget* parent = nullptr);

    CVylHexPane& Pane() { return *m_pane; }
    void ShowText(const QColor& colour, const QString& text);
    QString Text() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CVylHexPane* m_pane = nullptr;
    QLabel* m_label = nullptr;
};
