#include "app/studio/source_dialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/source/source_generator.h"
#include "app/studio/source_file.h"
#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/canvas/ui_text.h"
#include "editor/tree/code_page.h"

namespace {

std::string ToCp949(const QString& text) {
    return Utf8ToCp949(text.toStdString());
}

QString LabelOf(std::string_view key) {
    return UiText(CVylSourceSettings::Label(key));
}

}  // namespace

CDlgSourceGenerator::CDlgSourceGenerator(CVylCanvas& canvas, std::string settingsPath,
                                         std::string pubIniPath, uint32_t baud, QWidget* parent)
    : QDialog(parent),
      m_canvas(canvas),
      m_settingsPath(std::move(settingsPath)),
      m_pubIniPath(std::move(pubIniPath)),
      m_baud(baud) {
    setWindowTitle(tr("프로그램 소스 생성"));
    m_preset = new QComboBox(this);
    for (const VyPresetInfo& info : SourcePresets()) {
        m_preset->addItem(UiText(info.label), QString::fromLatin1(info.name));
    }
    m_srcHeader = new QPlainTextEdit(this);
    m_srcHeader->setFixedHeight(m_srcHeader->fontMetrics().height() * 4);
    m_lineHeader = new QLineEdit(this);
    m_lineFoot = new QLineEdit(this);
    m_bytesPerLine = new QLineEdit(this);
    m_bytesPerLine->setFixedWidth(
        m_bytesPerLine->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    m_lineDivision = new QComboBox(this);
    for (const VySourceChoice& choice : CVylSourceSettings::LineDivisionChoices()) {
        m_lineDivision->addItem(UiText(choice.label), FromCp949(choice.value));
    }
    m_byteHeader = new QLineEdit(this);
    m_byteFoot = new QLineEdit(this);
    m_byAlphabet = new QCheckBox(LabelOf(kSrcKeyOperandByAlphabet), this);
    m_result = new QPlainTextEdit(this);
    m_result->setReadOnly(true);
    m_result->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_result->setMinimumSize(420, 160);
    m_status = new QLabel(this);

    auto* bytes = new QHBoxLayout;
    bytes->addWidget(m_bytesPerLine);
    bytes->addWidget(new QLabel(QStringLiteral("bytes"), this));
    bytes->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(tr("출력 형식"), m_preset);
    form->addRow(LabelOf(kSrcKeySrcHeader), m_srcHeader);
    form->addRow(LabelOf(kSrcKeyLineHeader), m_lineHeader);
    form->addRow(LabelOf(kSrcKeyLineFoot), m_lineFoot);
    form->addRow(LabelOf(kSrcKeyBytesPerLine), bytes);
    form->addRow(LabelOf(kSrcKeyLineDivision), m_lineDivision);
    form->addRow(LabelOf(kSrcKeyByteHeader), m_byteHeader);
    form->addRow(LabelOf(kSrcKeyByteFoot), m_byteFoot);
    form->addRow(QString(), m_byAlphabet);

    auto* generate = new QPushButton(tr("생성"), this);
    auto* copy = new QPushButton(tr("클립보드에 복사"), this);
    auto* save = new QPushButton(tr("파일로 저장..."), this);
    auto* reset = new QPushButton(tr("초기화"), this);
    auto* close = new QPushButton(tr("닫기"), this);
    connect(generate, &QPushButton::clicked, this, &CDlgSourceGenerator::OnGenerate);
    connect(copy, &QPushButton::clicked, this, &CDlgSourceGenerator::OnCopy);
    connect(save, &QPushButton::clicked, this, &CDlgSourceGenerator::OnSaveToFile);
    connect(reset, &QPushButton::clicked, this, &CDlgSourceGenerator::OnReset);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(generate);
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("전체 소스 코드"), this));
    layout->addWidget(m_result, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    m_settings.Load(m_settingsPath);
    SettingsToControls();
    ShowPreset(StoredPreset(m_settings));
    WatchEdits();
}

void CDlgSourceGenerator::WatchEdits() {
    connect(m_preset, &QComboBox::activated, this, &CDlgSourceGenerator::OnPresetChosen);
    for (QLineEdit* box : {m_lineHeader, m_lineFoot, m_bytesPerLine, m_byteHeader, m_byteFoot}) {
        connect(box, &QLineEdit::textEdited, this, &CDlgSourceGenerator::OnSettingEdited);
    }
    connect(m_srcHeader, &QPlainTextEdit::textChanged, this, &CDlgSourceGenerator::OnSettingEdited);
    connect(m_lineDivision, &QComboBox::activated, this, &CDlgSourceGenerator::OnSettingEdited);
    connect(m_byAlphabet, &QCheckBox::clicked, this, &CDlgSourceGenerator::OnSettingEdited);
}

void CDlgSourceGenerator::ShowPreset(VySourcePreset preset) {
    m_preset->setCurrentIndex(m_preset->findData(QString::fromLatin1(PresetInfo(preset).name)));
}

void CDlgSourceGenerator::OnPresetChosen(int index) {
    const std::optional<VySourcePreset> preset =
        PresetByName(m_preset->itemData(index).toString().toStdString());
    if (!preset || *preset == VySourcePreset::kCustom) {
        return;
    }
    ControlsToSettings();
    ApplyPreset(*preset, m_settings);
    SettingsToControls();
}

void CDlgSourceGenerator::OnSettingEdited() {
    if (!m_filling) {
        ShowPreset(VySourcePreset::kCustom);
    }
}

QWidget* CDlgSourceGenerator::Control(std::string_view key) const {
    if (key == kSrcKeySrcHeader) {
        return m_srcHeader;
    }
    if (key == kSrcKeyLineHeader) {
        return m_lineHeader;
    }
    if (key == kSrcKeyLineFoot) {
        return m_lineFoot;
    }
    if (key == kSrcKeyBytesPerLine) {
        return m_bytesPerLine;
    }
    if (key == kSrcKeyLineDivision) {
        return m_lineDivision;
    }
    if (key == kSrcKeyByteHeader) {
        return m_byteHeader;
    }
    if (key == kSrcKeyByteFoot) {
        return m_byteFoot;
    }
    return key == kSrcKeyOperandByAlphabet ? m_byAlphabet : nullptr;
}

QString CDlgSourceGenerator::Text(std::string_view key) const {
    QWidget* control = Control(key);
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        return box->text();
    }
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        // The settings keep the system's line breaks.
        return box->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    }
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        return list->currentData().toString();
    }
    if (auto* check = qobject_cast<QCheckBox*>(control)) {
        return check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    }
    return QString();
}

void CDlgSourceGenerator::SetText(std::string_view key, const QString& text) {
    QWidget* control = Control(key);
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        box->setText(text);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        box->setPlainText(QString(text).remove(QLatin1Char('\r')));
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        // An empty line division is shown as the one it means.
        list->setCurrentIndex(
            list->findData(FromCp949(std::string(SettingMeaning(key, ToCp949(text))))));
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->setChecked(text == QStringLiteral("1"));
    }
}

void CDlgSourceGenerator::SettingsToControls() {
    m_filling = true;
    for (std::string_view key : kSourceSettingKeys) {
        SetText(key, FromCp949(m_settings.Get(key)));
    }
    m_filling = false;
}

void CDlgSourceGenerator::ControlsToSettings() {
    for (std::string_view key : kSourceSettingKeys) {
        m_settings.Set(key, ToCp949(Text(key)));
    }
    m_settings.SetPresetName(m_preset->currentData().toString().toStdString());
}

void CDlgSourceGenerator::OnGenerate() {
    if (m_canvas.Core().Group().GetCount() == 0) {
        ShowNotice(UiText(kNoGraphicData), QString(), this);
        return;
    }
    ControlsToSettings();
    m_settings.TrimAll();
    SettingsToControls();
    const VySourceValidation validation = m_settings.Validate();
    if (!validation.IsValid()) {
        ShowNotice(UiText(validation.message), QString(), this);
        if (QWidget* control = Control(validation.key)) {
            control->setFocus();
            if (auto* box = qobject_cast<QLineEdit*>(control)) {
                box->selectAll();
            }
        }
        return;
    }
    // A copy: the text lines are laid out for the run only.
    CVylObjectGroup drawing = m_canvas.Core().Group();
    const VySourceResult result =
        GenerateProgramSource(m_canvas.Core().DeviceContext(), drawing, m_settings, m_baud);
    if (!result.message.empty()) {
        ShowNotice(UiText(result.message), QString(), this);
    }
    m_result->setPlainText(FromCp949(result.text).remove(QLatin1Char('\r')));
}

// Back to the "기본" preset, the line division too.
void CDlgSourceGenerator::OnReset() {
    CVylSourceSettings defaults;
    ApplyPreset(VySourcePreset::kDefault, defaults);
    m_filling = true;
    for (std::string_view key : kSourceSettingKeys) {
        SetText(key, FromCp949(defaults.Get(key)));
    }
    m_filling = false;
    ShowPreset(MatchingPreset(defaults));
}

void CDlgSourceGenerator::OnCopy() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        ShowNotice(tr("클립보드에 복사할 수 없습니다."), QString(), this);
        return;
    }
    clipboard->setText(OutgoingText());
}

// The generator's line breaks, as on the clipboard and from the command line.
QString CDlgSourceGenerator::OutgoingText() const {
    return m_result->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void CDlgSourceGenerator::OnSaveToFile() {
    const std::optional<VySourcePreset> preset =
        PresetByName(m_preset->currentData().toString().toStdString());
    const VySourceSave saved = SaveSourceFile(
        this, m_pubIniPath, preset.value_or(VySourcePreset::kCustom), OutgoingText());
    const QString shown = QDir::toNativeSeparators(saved.path);
    if (saved.status == VySourceSaveStatus::kFailed) {
        ShowNotice(tr("%1 파일에 소스를 저장할 수 없습니다.").arg(shown), QString(), this);
    } else if (saved.status == VySourceSaveStatus::kSaved) {
        m_status->setText(tr("%1 파일에 저장했습니다.").arg(shown));
    }
}

void CDlgSourceGenerator::done(int result) {
    ControlsToSettings();
    m_settings.Save(m_settingsPath);
    QDialog::done(result);
}
