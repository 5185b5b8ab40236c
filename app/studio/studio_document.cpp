#include "app/studio/studio_document.h"

#include <QFileInfo>

#include "app/studio/studio_prompts.h"
#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/canvas/ui_text.h"
#include "editor/document/profile_file.h"
#include "editor/tree/code_page.h"

namespace {

std::string RecentKey(int index) {
    return "file" + std::to_string(index + 1);
}

}  // namespace

CVYSDoc::CVYSDoc(const CVYSDataFolders& folders, QWidget* window)
    : m_folders(folders), m_window(window) {
    const std::string pub = m_folders.PubIniPath();
    for (int i = 0; i < kRecentFiles; ++i) {
        const std::string path = ReadProfileString(pub, "recent", RecentKey(i), "");
        if (!path.empty()) {
            m_recent << QString::fromStdString(path);
        }
    }
}

CVYSDoc::~CVYSDoc() = default;

void CVYSDoc::Attach(CVylCanvas* canvas) {
    m_canvas = canvas;
    m_document =
        std::make_unique<CVYSProjectDocument>(canvas->Core().History(), m_folders.AutoBackupPath());
}

bool CVYSDoc::IsModified() const {
    return m_document && m_document->IsModified();
}

void CVYSDoc::SetModified(bool modified) {
    if (m_document && m_document->IsModified() != modified) {
        m_document->SetModified(modified);
        Q_EMIT changed();
    }
}

QString CVYSDoc::Path() const {
    return m_document ? QString::fromStdString(m_document->GetPath()) : QString();
}

bool CVYSDoc::SaveModified() {
    if (!m_document) {
        return true;
    }
    // A value still being typed is part of the work asked about.
    m_canvas->Core().CommitPendingEdits();
    if (m_document->IsModified()) {
        switch (StudioPrompts().askSave(m_window)) {
            case VySaveAnswer::kCancel:
                // The work stays open: so does its backup.
                return false;
            case VySaveAnswer::kYes:
                if (!OnSaveDocument()) {
                    return false;
                }
                break;
            case VySaveAnswer::kNo:
                break;
        }
    }
    m_document->DiscardBackup();
    return true;
}

bool CVYSDoc::OnNewDocument() {
    if (!m_document || !SaveModified()) {
        return false;
    }
    m_document->New();
    m_canvas->Core().RemoveEveryData();
    m_canvas->OnAgain(1, 1, 1, 1, 1, 1);
    Q_EMIT changed();
    return true;
}

bool CVYSDoc::OnOpenDocument() {
    if (!m_document || !SaveModified()) {
        return false;
    }
    const QString path = StudioPrompts().askOpenPath(m_window);
    return !path.isEmpty() && Open(path);
}

bool CVYSDoc::OpenRecent(int index) {
    if (index < 0 || index >= m_recent.size() || !SaveModified()) {
        return false;
    }
    return Open(m_recent.at(index));
}

bool CVYSDoc::OpenDropped(const QString& path) {
    return SaveModified() && Open(path);
}

bool CVYSDoc::Open(const QString& path) {
    if (!m_document) {
        ShowNotice(tr("에러가 발생했습니다.(-37)"), QString(), m_window);
        return false;
    }
    const VyDocumentResult result = m_document->Open(path.toStdString());
    if (!result.ok) {
        ShowNotice(UiText(result.message), QString(), m_window);
        return false;
    }
    m_canvas->OnAgain(1, 1, 1, 1, 1, 1);
    AddRecent(path);
    Q_EMIT changed();
    return true;
}

bool CVYSDoc::OnSaveDocument() {
    return Path().isEmpty() ? OnSaveAs() : SaveTo(Path());
}

bool CVYSDoc::OnSaveAs() {
    const QString path = StudioPrompts().askSavePath(m_window);
    return !path.isEmpty() && SaveTo(path);
}

bool CVYSDoc::SaveTo(const QString& path) {
    if (!m_document) {
        return false;
    }
    // A value still being typed belongs to the work saved.
    m_canvas->Core().CommitPendingEdits();
    const VyDocumentResult result = m_document->Save(path.toStdString());
    if (!result.ok) {
        ShowNotice(UiText(result.message), QString(), m_window);
        Q_EMIT changed();
        return false;
    }
    AddRecent(path);
    Q_EMIT changed();
    return true;
}

bool CVYSDoc::WriteBackup() {
    return m_document && m_document->WriteBackup();
}

bool CVYSDoc::RestoreBackup() {
    if (!m_document) {
        return false;
    }
    const VyDocumentResult result = m_document->RestoreBackup();
    if (!result.ok) {
        return false;
    }
    ShowNotice(UiText(result.message), QString(), m_window);
    m_canvas->OnAgain(1, 1, 1, 1, 1, 1);
    Q_EMIT changed();
    return true;
}

bool CVYSDoc::HasBackup() const {
    return m_document && m_document->HasBackup();
}

void CVYSDoc::AddRecent(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recent.removeAll(absolute);
    m_recent.prepend(absolute);
    while (m_recent.size() > kRecentFiles) {
        m_recent.removeLast();
    }
    SaveRecent();
}

void CVYSDoc::SaveRecent() const {
    const std::string pub = m_folders.PubIniPath();
    for (int i = 0; i < kRecentFiles; ++i) {
        WriteProfileString(pub, "recent", RecentKey(i),
                           i < m_recent.size() ? m_recent.at(i).toStdString() : "");
    }
}
