// The grid settings window ("그리드 설정"): modeless; the canvas's grid
// follows every change at once, and "grid.cfg" is written when it closes.
#pragma once

#include <QDialog>
#include <QPointer>
#include <string>

#include "editor/vyedit_export.h"

class CVylCanvas;
class QCheckBox;
class QLineEdit;
class QSlider;

class VYEDIT_EXPORT CDlgGridSettings : public QDialog {
    Q_OBJECT

  public:
    // Shows the canvas's grid settings as they are in memory (a grid
    // switched by its menu command since the file was read included).
    CDlgGridSettings(CVylCanvas& canvas, std::string gridPath, QWidget* parent = nullptr);
    // Shows a tool window of the owner's, centred on the screen, that
    // deletes itself when it is closed (or when the canvas or the owner goes).
    static CDlgGridSettings* Open(CVylCanvas& canvas, std::string gridPath,
                                  QWidget* owner = nullptr);

    QCheckBox* UseGrid() const { return m_use; }
    QSlider* Spacing() const { return m_slider; }
    QLineEdit* SpacingBox() const { return m_box; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

  private:
    void Save();

    QPointer<CVylCanvas> m_canvas;
    std::string m_gridPath;
    QCheckBox* m_use = nullptr;
    QSlider* m_slider = nullptr;
    QLineEdit* m_box = nullptr;
    bool m_saved = false;
};
