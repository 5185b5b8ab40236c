// Saving the generator's source to a file the user names, starting in the
// folder saved to last ("pub.ini", section "source").
#pragma once

#include <QString>
#include <string>

#include "app/source/source_presets.h"

class QWidget;

enum class VySourceSaveStatus { kCancelled, kSaved, kFailed };

struct VySourceSave {
    VySourceSaveStatus status = VySourceSaveStatus::kCancelled;
    QString path;  // the file named, empty when the user cancelled
};

// The folder kept in pub.ini, or empty.
QString LastSourceFolder(const std::string& pubIniPath);

// Asks for the path through the studio's prompts and writes text there as
// UTF-8, replacing the file whole; a written file's folder is remembered.
VySourceSave SaveSourceFile(QWidget* parent, const std::string& pubIniPath, VySourcePreset preset,
                            const QString& text);
