// "프로그램 소스 생성": the generator's settings, the generated source and
// the clipboard. The settings are read when the dialog opens and written
// when it closes.
#pragma once

#include <QDialog>
#include <string>

#include "app/source/source_settings.h"

class CVylCanvas;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class CDlgSourceGenerator : public QDialog {
    Q_OBJECT

  public:
    CDlgSourceGenerator(CVylCanvas& canvas, std::string settingsPath, QWidget* parent = nullptr);

    // "생성", "초기화", "클립보드에 복사".
    void OnGenerate();
    void OnReset();
    void OnCopy();

    QWidget* Control(std::string_view key) const;
    QPlainTextEdit* Result() const { return m_result; }

  protected:
    void done(int result) override;

  private:
    void SettingsToControls();
    void ControlsToSettings();
    QString Text(std::string_view key) const;
    void SetText(std::string_view key, const QString& text);

    CVylCanvas& m_canvas;
    std::string m_settingsPath;
    CVylSourceSettings m_settings;
    QPlainTextEdit* m_srcHeader = nullptr;
    QLineEdit* m_lineHeader = nullptr;
    QLineEdit* m_lineFoot = nullptr;
    QLineEdit* m_bytesPerLine = nullptr;
    QComboBox* m_lineDivision = nullptr;
    QLineEdit* m_byteHeader = nullptr;
    QLineEdit* m_byteFoot = nullptr;
    QCheckBox* m_byAlphabet = nullptr;
    QPlainTextEdit* m_result = nullptr;
};
