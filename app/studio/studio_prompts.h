// What the studio asks the user, and the viewer it hands the manual to,
// each replaceable so that no modal window or other program ever blocks a
// test.
#pragma once

#include <QString>
#include <functional>

#include "app/source/source_presets.h"

class QWidget;

enum class VySaveAnswer { kYes, kNo, kCancel };

// Where to write the module's screen as a PNG, and its pixels per dot.
struct VyPngExport {
    QString path;  // empty when the user cancelled
    int scale = 1;
};

// What the question for a generated source's file name starts from.
struct VySourceFileAsk {
    QString folder;                                    // the folder saved to last, or empty
    VySourcePreset preset = VySourcePreset::kDefault;  // gives the offered extensions
};

struct VyStudioPrompts {
    // Whether to save modified work first (예, 아니요, 취소).
    std::function<VySaveAnswer(QWidget* parent)> askSave;
    // A project to open, or empty.
    std::function<QString(QWidget* parent)> askOpenPath;
    // Where to save, having asked before replacing a file; or empty.
    std::function<QString(QWidget* parent)> askSavePath;
    // Where to save the LCD screen, having asked before replacing a file.
    std::function<VyPngExport(QWidget* parent)> askPngExport;
    // Shows the manual with the desktop's viewer; false when none opened.
    std::function<bool(const QString& path)> openManual;
    // Where to write generated source, having asked before replacing a file;
    // or empty.
    std::function<QString(QWidget* parent, const VySourceFileAsk& ask)> askSourcePath;
};

// The prompts in use; tests replace its members.
VyStudioPrompts& StudioPrompts();
// The prompts of a desktop session (the dialogs and the default viewer).
VyStudioPrompts DesktopPrompts();
