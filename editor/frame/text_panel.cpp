#include "editor/frame/text_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/ui_text.h"
#include "editor/command/text_layout.h"
#include "editor/frame/frame_colours.h"
#include "editor/frame/text_content_box.h"
#include "editor/tree/code_page.h"

namespace {

const QColor kReplacedColour(200, 50, 50);

// The content as the box shows it (line feeds only) and as it is kept (the
// line breaks of the system, CR LF).
QString ShownContent(std::string_view stored) {
    return FromCp949(stored).remove(QLatin1Char('\r'));
}

std::string StoredContent(const QString& shown) {
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return Utf8ToCp949(text.toStdString());
}

}  // namespace

CDlgLocalText::CDlgLocalText(CVylCanvas* canvas, QWidget* parent)
    : CVyeAttributePanel(canvas, parent) {
    m_korFont = new QComboBox(this);
    m_alnumFont = new QComboBox(this);
    if (canvas != nullptr) {
        for (const std::string& font : canvas->Core().DeviceContext().GetKorFontList()) {
            m_korFont->addItem(FromCp949(font));
        }
    }
    for (const std::string& mode : CVylDeviceContext::GetAlnumModeList()) {
        m_alnumFont->addItem(UiText(mode));
    }
    m_korBold = new QCheckBox(tr("굵게"), this);
    m_alnumBold = new QCheckBox(tr("굵게"), this);
    m_inverse = new QCheckBox(tr("반전"), this);
    m_underline = new QCheckBox(tr("밑줄"), this);
    m_content = new CVyeTextContentBox(this);
    m_content->setTabChangesFocus(true);
    m_content->installEventFilter(this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(2);
    layout->addWidget(new QLabel(tr("한글 폰트"), this), 0, 0);
    layout->addWidget(m_korFont, 0, 1);
    layout->addWidget(m_korBold, 0, 2);
    layout->addWidget(m_inverse, 0, 3);
    layout->addWidget(new QLabel(tr("영문 폰트"), this), 1, 0);
    layout->addWidget(m_alnumFont, 1, 1);
    layout->addWidget(m_alnumBold, 1, 2);
    layout->addWidget(m_underline, 1, 3);
    layout->addWidget(m_content, 0, 4, 2, 1);
    m_hidden = new QLabel(this);
    m_hidden->setWordWrap(true);
    m_hidden->setStyleSheet(QStringLiteral("color: rgb(200, 40, 40);"));
    layout->addWidget(m_hidden, 0, 5, 2, 1);
    layout->setColumnStretch(4, 1);
    PaintContentFocus(false);

    SetUpdating(true);
    m_korFont->setCurrentIndex(0);
    m_alnumFont->setCurrentIndex(0);
    SetUpdating(false);
    ReadIntoTool();

    connect(m_korBold, &QCheckBox::clicked, this, [this](bool set) { OnBoldChanged(0, set); });
    connect(m_alnumBold, &QCheckBox::clicked, this, [this](bool set) { OnBoldChanged(1, set); });
    connect(m_inverse, &QCheckBox::clicked, this,
            [this](bool set) { OnValueChanged(kKeyInverse, set ? 1 : 0); });
    connect(m_underline, &QCheckBox::clicked, this,
            [this](bool set) { OnValueChanged(kKeyUnderline, set ? 1 : 0); });
    connect(m_korFont, &QComboBox::activated, this,
            [this](int index) { OnValueChanged(kKeyKorFontIndex, index); });
    connect(m_alnumFont, &QComboBox::activated, this,
            [this](int index) { OnValueChanged(kKeyAlnumFontIndex, index); });
    connect(m_content, &QPlainTextEdit::textChanged, this, &CDlgLocalText::OnContentChanged);
    WatchKeys();
}

void CDlgLocalText::ToLocalCtrls(const CVylObjectUniqueAttr& attrs) {
    SetUpdating(true);
    const QString content = ShownContent(attrs.GetString(kKeyTextContent));
    if (m_content->toPlainText() != content) {
        m_content->setPlainText(content);
        // Typing goes on at the end of the text, as it was left.
        m_content->moveCursor(QTextCursor::End);
    }
    const int32_t bold = attrs.GetInt(kKeyBoldState, 0);
    m_korBold->setChecked((bold & 1) != 0);
    m_alnumBold->setChecked((bold & 2) != 0);
    m_underline->setChecked(attrs.GetInt(kKeyUnderline, 0) != 0);
    m_inverse->setChecked(attrs.GetInt(kKeyInverse, 0) != 0);
    m_alnumFont->setCurrentIndex(attrs.GetInt(kKeyAlnumFontIndex, 0));
    m_korFont->setCurrentIndex(attrs.GetInt(kKeyKorFontIndex, 0));
    SetUpdating(false);
    ShowHiddenCharacters();
}

// The module leaves out what its box cannot hold: the panel counts it.
void CDlgLocalText::ShowHiddenCharacters() {
    const CVylObject* chief =
        Canvas() != nullptr ? Canvas()->Core().Selection().GetChiefSelectedObj() : nullptr;
    int32_t hidden = 0;
    if (chief != nullptr && chief->GetKind() == kObjText) {
        const CVylObjectUniqueAttr& attrs = chief->Unique();
        const VyRect box = chief->GetRegion().Normalized();
        const std::string content = attrs.GetString(kKeyTextContent);
        hidden = HiddenCharacterCount(
            content, LayoutTextInBox(content, attrs.GetInt(kKeyKorFontIndex, 0),
                                     attrs.GetInt(kKeyAlnumFontIndex, 0), box.Width(), box.Height(),
                                     Canvas()->Core().DeviceContext()));
    }
    m_hidden->setText(hidden > 0 ? tr("%1자가 상자 밖에 있어 LCD에 보이지 않습니다.").arg(hidden)
                                 : QString());
}

QString CDlgLocalText::HiddenNote() const {
    return m_hidden->text();
}

void CDlgLocalText::FromLocalCtrls(CVylObjectUniqueAttr& attrs) const {
    attrs.SetString(kKeyTextContent, StoredContent(m_content->toPlainText()));
    attrs.SetIntAsText(kKeyBoldState,
                       (m_korBold->isChecked() ? 1 : 0) + (m_alnumBold->isChecked() ? 2 : 0));
    // As text, like every attribute the LCD commands read: an integer value
    // would not reach the module.
    attrs.SetIntAsText(kKeyInverse, m_inverse->isChecked() ? 1 : 0);
    attrs.SetIntAsText(kKeyUnderline, m_underline->isChecked() ? 1 : 0);
    attrs.SetIntAsText(kKeyKorFontIndex, std::max(m_korFont->currentIndex(), 0));
    attrs.SetIntAsText(kKeyAlnumFontIndex, std::max(m_alnumFont->currentIndex(), 0));
}

void CDlgLocalText::ReadIntoTool() {
    if (Canvas() != nullptr) {
        FromLocalCtrls(Canvas()->Core().ToolAttrs());
    }
}

void CDlgLocalText::StartNewText() {
    SetUpdating(true);
    m_content->clear();
    m_content->setFocus(Qt::OtherFocusReason);
    SetUpdating(false);
}

// What the box shows is compared with what the chief object holds, so that
// the box and the object never disagree after a change. Fast typing is one
// undo step (the canvas replaces a change made less than 400 ms before).
void CDlgLocalText::OnContentChanged() {
    if (IsUpdating() || Canvas() == nullptr) {
        return;
    }
    const QString text = m_content->toPlainText();
    CVylCanvasCore& core = Canvas()->Core();
    const std::string stored = StoredContent(text);
    const CVylObject* chief = core.Selection().GetChiefSelectedObj();
    if (chief != nullptr && chief->Unique().GetString(kKeyTextContent) != stored) {
        core.TypeText(stored);
    }
    ShowHiddenCharacters();
    // What the code page cannot hold is kept as "?"; said once per text.
    const int32_t uid = core.Selection().GetChiefUid();
    if (ShownContent(stored) != text && core.GetMouseState() != kMouseIdle &&
        m_reportedUids.insert(uid).second) {
        Q_EMIT messageLine(kReplacedColour,
                           tr("LCD 코드 페이지(CP949)에 없는 문자는 '?'로 저장됩니다."));
    }
    ReadIntoTool();
}

void CDlgLocalText::OnBoldChanged(int bit, bool set) {
    if (IsUpdating() || Canvas() == nullptr) {
        return;
    }
    Canvas()->Core().TypicalRepair(CVylObjectRepairAction::Bit(kKeyBoldState, bit, set), 0);
    ReadIntoTool();
}

void CDlgLocalText::OnValueChanged(std::string_view key, int32_t value) {
    if (IsUpdating() || Canvas() == nullptr) {
        return;
    }
    Canvas()->Core().TypicalRepair(CVylObjectRepairAction::Text(key, std::to_string(value)), 0);
    ReadIntoTool();
}

bool CDlgLocalText::KeepsEnter(QObject* watched) const {
    return watched == m_content;
}

bool CDlgLocalText::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_content &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        PaintContentFocus(event->type() == QEvent::FocusIn);
    }
    return CVyeAttributePanel::eventFilter(watched, event);
}

void CDlgLocalText::showEvent(QShowEvent* event) {
    CVyeAttributePanel::showEvent(event);
    m_content->setFocus(Qt::OtherFocusReason);
}

void CDlgLocalText::PaintContentFocus(bool focused) {
    QPalette palette = m_content->palette();
    palette.setColor(QPalette::Base, focused ? QColor(Qt::white) : kContentUnfocusedColour);
    m_content->setPalette(palette);
}
