// The interface's language: Korean, the source language, or English from
// the shipped translation. The choice is kept in "pub.ini"; left to the
// system, any language but Korean gets English.
#pragma once

#include <QLocale>
#include <string>

enum class VyUiLanguage { kSystem, kKorean, kEnglish };

VyUiLanguage ReadUiLanguage(const std::string& pubIni);
void WriteUiLanguage(const std::string& pubIni, VyUiLanguage language);

// Whether the choice, on a system of the given locale, means English.
bool UsesEnglish(VyUiLanguage choice, const QLocale& system);
// Installs the English translation, or removes it and installs Qt's own
// Korean for its dialogs and buttons; false when English was asked for and
// the translation cannot be loaded.
bool ApplyUiLanguage(bool english);
// Whether the English translation is installed now (the guide shown follows).
bool EnglishIsActive();
