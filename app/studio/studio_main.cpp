// vylcd-studio [FILE]: the screen designer. The shipped templates are made
// available first, then the main window starts the editor and opens FILE.
#include <QApplication>
#include <QFileInfo>

#include "app/settings/data_folders.h"
#include "app/settings/template_install.h"
#include "app/studio/main_window.h"
#include "app/studio/studio_language.h"

int main(int argc, char** argv) {
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
