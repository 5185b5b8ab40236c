// CVYSView: the editor frame and the message line under it. It starts the
// editor with the settings of the data folders and tells the document when
// an edit action was added.
#pragma once

#include <QWidget>
#include <functional>

#include "app/settings/data_folders.h"
#include "app/studio/message_line.h"
#include "editor/frame/editor_frame.h"

class CVYSView : public QWidget, public CVyeEditorNotify {
    Q_OBJECT

  public:
    CVYSView(const CVYSDataFolders& folders, QWidget* parent = nullptr);

    // Starts the editor (the serial settings asked for until the port
    // opens); false when the user gave up.
    bool Init();
    CVyeEditor& Editor() { return m_editor; }
    CVylCanvas& Canvas() { return m_editor.Canvas(); }
    CDlgMessageLine& MessageLine() { return *m_messageLine; }

    void EditActionAdded() override;
    void ShowMessageLine(const QColor& colour, const QString& text) override;

  Q_SIGNALS:
    void modified();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    const CVYSDataFolders& m_folders;
    CVyeEditor m_editor;
    CDlgMessageLine* m_messageLine = nullptr;
};
