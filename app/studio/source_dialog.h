// "프로그램 소스 생성": the generator's settings, the generated source, the
// clipboard and a file. The settings are read when the dialog opens and
// written when it closes.
#pragma once

#include <QDialog>
#include <string>

#include "app/source/source_presets.h"
#include "app/source/source_settings.h"

class CVylCanvas;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class CDlgSourceGenerator : public QDialog {
    Q_OBJECT

  public:
    // baud: the rate a generated script opens its port with; pubIniPath
    // keeps the folder the source was saved to last.
    CDlgSourceGenerator(CVylCanvas& canvas, std::string settingsPath, std::string pubIniPath,
                        uint32_t baud, QWidget* parent = nullptr);

    // "생성", "초기화", "클립보드에 복사", "파일로 저장...".
    void OnGenerate();
    void OnReset();
    void OnCopy();
    void OnSaveToFile();

    QWidget* Control(std::string_view key) const;
    QComboBox* PresetList() const { return m_preset; }
    QPlainTextEdit* Result() const { return m_result; }
    // Says where the source was saved last.
    QLabel* Status() const { return m_status; }

  protected:
    void done(int result) override;

  private:
    void SettingsToControls();
    void ControlsToSettings();
    QString Text(std::string_view key) const;
    void SetText(std::string_view key, const QString& text);
    void OnPresetChosen(int index);
    // A setting typed or picked by the user makes the preset a custom one.
    void OnSettingEdited();
    void ShowPreset(VySourcePreset preset);
    void WatchEdits();
    // The shown source with the system's line breaks, as it leaves the dialog.
    QString OutgoingText() const;

    CVylCanvas& m_canvas;
    std::string m_settingsPath;
    std::string m_pubIniPath;
    CVylSourceSettings m_settings;
    uint32_t m_baud;
    // Set while the controls are filled, which is no edit of the user's.
    bool m_filling = false;
    QComboBox* m_preset = nullptr;
    QPlainTextEdit* m_srcHeader = nullptr;
    QLineEdit* m_lineHeader = nullptr;
    QLineEdit* m_lineFoot = nullptr;
    QLineEdit* m_bytesPerLine = nullptr;
    QComboBox* m_lineDivision = nullptr;
    QLineEdit* m_byteHeader = nullptr;
    QLineEdit* m_byteFoot = nullptr;
    QCheckBox* m_byAlphabet = nullptr;
    QPlainTextEdit* m_result = nullptr;
    QLabel* m_status = nullptr;
};
