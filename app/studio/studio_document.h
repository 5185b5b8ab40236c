// CVYSDoc: the document, which is the editor's edit history: new, open,
// save and save as, the save prompt whenever work may be discarded, the
// automatic backup and its recovery, and the four most recent files.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/document/project_document.h"
#include "app/settings/data_folders.h"

class CVylCanvas;
class QWidget;

class CVYSDoc : public QObject {
    Q_OBJECT

  public:
    static constexpr int kRecentFiles = 4;

    CVYSDoc(const CVYSDataFolders& folders, QWidget* window);
    ~CVYSDoc() override;

    // The canvas whose history is the document (once the editor is up).
    void Attach(CVylCanvas* canvas);

    bool IsModified() const;
    void SetModified(bool modified);
    QString Path() const;
    QStringList RecentFiles() const { return m_recent; }

    // The commands: each asks before discarding modified work.
    bool OnNewDocument();
    bool OnOpenDocument();
    bool OpenRecent(int index);
    bool OnSaveDocument();
    bool OnSaveAs();
    // A file dropped on the window: opened once modified work is saved or
    // given up, as the open command does.
    bool OpenDropped(const QString& path);
    // The open step itself (the previous work kept on failure, with the
    // reason told).
    bool Open(const QString& path);
    bool SaveTo(const QString& path);

    // The save prompt: false when the user cancels (or a save failed).
    // Once decided, the automatic backup is gone.
    bool SaveModified();

    // The backup tick, and the recovery at start: the recovered work is
    // untitled and modified, and its backup stays until it is decided about.
    bool WriteBackup();
    bool RestoreBackup();
    bool HasBackup() const;

  Q_SIGNALS:
    // The modified flag, the path or the recent files changed.
    void changed();

  private:
    void AddRecent(const QString& path);
    void SaveRecent() const;

    const CVYSDataFolders& m_folders;
    QWidget* m_window;
    CVylCanvas* m_canvas = nullptr;
    std::unique_ptr<CVYSProjectDocument> m_document;
    QStringList m_recent;
};
