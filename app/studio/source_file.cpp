#include "app/studio/source_file.h"

#include <QFile>
#include <QFileInfo>

#include "app/studio/studio_prompts.h"
#include "editor/document/profile_file.h"
#include "editor/tree/atomic_file.h"

namespace {

constexpr const char* kSourceSection = "source";
constexpr const char* kFolderKey = "save_folder";

}  // namespace

QString LastSourceFolder(const std::string& pubIniPath) {
    return QString::fromStdString(ReadProfileString(pubIniPath, kSourceSection, kFolderKey, ""));
}

VySourceSave SaveSourceFile(QWidget* parent, const std::string& pubIniPath, VySourcePreset preset,
                            const QString& text) {
    const QString path =
        StudioPrompts().askSourcePath(parent, {LastSourceFolder(pubIniPath), preset});
    if (path.isEmpty()) {
        return {};
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), text.toUtf8().toStdString())) {
        return {VySourceSaveStatus::kFailed, path};
    }
    WriteProfileString(pubIniPath, kSourceSection, kFolderKey,
                       QFileInfo(path).absolutePath().toStdString());
    return {VySourceSaveStatus::kSaved, path};
}
