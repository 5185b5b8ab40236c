#include "app/studio/studio_language.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

#include "editor/document/profile_file.h"

namespace {

constexpr const char* kSection = "ui";
constexpr const char* kKey = "language";

QTranslator* g_installed = nullptr;

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
    if (g_installed != nullptr) {
        QCoreApplication::removeTranslator(g_installed);
        delete g_installed;
        g_installed = nullptr;
    }
    if (!english) {
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
