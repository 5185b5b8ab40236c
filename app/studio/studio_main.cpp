// vylcd-studio [FILE]: the screen designer. The shipped templates are made
// available first, then the main window starts the editor and opens FILE.
#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "app/settings/data_folders.h"
#include "app/settings/template_install.h"
#include "app/studio/main_window.h"
#include "app/studio/studio_language.h"

namespace {

// Answered before the application object exists, so it needs no display.
bool AnswersVersion(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0) {
        return false;
    }
    std::fputs("VYLCD Studio " VY_VERSION "\n", stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (AnswersVersion(argc, argv)) {
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vylcd-studio"));
    QApplication::setDesktopFileName(QStringLiteral("vylcd-studio"));
    const CVYSDataFolders folders(VyProgramEnv::Current());
    ApplyUiLanguage(UsesEnglish(ReadUiLanguage(folders.PubIniPath()), QLocale::system()));
    MakeFolders(folders.DefaultTemplateFolder());
    InstallDefaultTemplates(folders.ShippedTemplateFolder(), folders.DefaultTemplateFolder());

    CMainFrame window(folders, VyStudioOptions::FromEnvironment());
    if (!window.Start()) {
        return 1;
    }
    window.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        window.OpenAtStart(QFileInfo(arguments.at(1)).absoluteFilePath());
    }
    return QApplication::exec();
}
