#include "app/studio/studio_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "editor/document/profile_file.h"

namespace {

constexpr const char* kSection = "ui";
constexpr const char* kKey = "language";

QTranslator* g_installed = nullptr;
// Qt's own texts (file dialogs, standard buttons) in Korean.
QTranslator* g_qtKorean = nullptr;

void Remove(QTranslator*& translator) {
    if (translator != nullptr) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
}

// Left out quietly when the system has no Korean for Qt: the English of
// the dialogs still works.
void InstallQtKorean() {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_ko"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        g_qtKorean = translator.release();
    }
}

}  // namespace

VyUiLanguage ReadUiLanguage(const std::string& pubIni) {
    const std::string value = ReadProfileString(pubIni, kSection, kKey, "");
    if (value == "ko") {
        return VyUiLanguage::kKorean;
    }
    return value == "en" ? VyUiLanguage::kEnglish : VyUiLanguage::kSystem;
}

void WriteUiLanguage(const std::string& pubIni, VyUiLanguage language) {
    const char* value = language == VyUiLanguage::kKorean    ? "ko"
                        : language == VyUiLanguage::kEnglish ? "en"
                                                             : "";
    WriteProfileString(pubIni, kSection, kKey, value);
}

bool UsesEnglish(VyUiLanguage choice, const QLocale& system) {
    if (choice == VyUiLanguage::kSystem) {
        return system.language() != QLocale::Korean;
    }
    return choice == VyUiLanguage::kEnglish;
}

bool ApplyUiLanguage(bool english) {
    Remove(g_installed);
    Remove(g_qtKorean);
    if (!english) {
        InstallQtKorean();
        return true;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/vylcd_en.qm"))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    g_installed = translator.release();
    return true;
}

bool EnglishIsActive() {
    return g_installed != nullptr;
}
