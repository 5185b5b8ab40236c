// The document steps of the application that need no window: saving, opening
// with the previous work kept on failure, starting anew, and the automatic
// backup that recovers unsaved work after an abnormal end.
#pragma once

#include <string>

#include "editor/document/edit_history.h"

struct VyDocumentResult {
    bool ok = false;
    std::string message;  // notice for the user (system code page); empty when none
};

class CVYSProjectDocument {
  public:
    CVYSProjectDocument(CVylEditActionGroup& history, std::string backupPath)
        : m_history(history), m_backupPath(std::move(backupPath)) {}

    bool IsModified() const { return m_modified; }
    // Set when an edit action was added.
    void SetModified(bool modified) { m_modified = modified; }
    const std::string& GetPath() const { return m_path; }

    // Writes the history to path. Only a successful write clears the modified
    // flag, deletes the backup and makes path the document's name; a failed
    // one says so and keeps all three as they were.
    VyDocumentResult Save(const std::string& path);

    // Reads a project into the history. On failure the previous history is put
    // back and the message tells why (a newer program needed, or a bad file).
    // The caller replays and redraws after a success.
    VyDocumentResult Open(const std::string& path);

    // An empty document.
    void New();

    // The backup tick: writes the history to the backup file while the
    // document is modified, creating the backup's folder first.
    bool WriteBackup() const;
    // At start: loads a backup that an abnormal end left behind; the message
    // is the recovery notice. The recovered work is untitled and modified, so
    // that it is saved or given up like any unsaved work (until then the
    // backup stays).
    VyDocumentResult RestoreBackup();
    bool HasBackup() const;
    // The backup is dropped whenever the user has decided about the work.
    void DiscardBackup() const;

  private:
    CVylEditActionGroup& m_history;
    std::string m_backupPath;
    std::string m_path;
    bool m_modified = false;
};
