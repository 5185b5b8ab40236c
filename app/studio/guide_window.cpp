#include "app/studio/guide_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "app/studio/studio_prompts.h"

namespace {

// Far beyond any guide; a larger file is not a guide and would only stall.
constexpr qint64 kLargestGuide = 8 * 1024 * 1024;

struct VyGuideText {
    QString text;  // the guide, or why it cannot be shown
    bool ok = false;
};

VyGuideText ReadGuide(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        return {QCoreApplication::translate("CGuideWindow", "사용설명서 파일이 없습니다: %1")
                    .arg(path)};
    }
    if (info.size() > kLargestGuide) {
        return {QCoreApplication::translate("CGuideWindow", "사용설명서 파일이 너무 큽니다: %1")
                    .arg(path)};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {QCoreApplication::translate("CGuideWindow",
                                            "사용설명서 파일을 읽을 수 없습니다: %1 (%2)")
                    .arg(path, file.errorString())};
    }
    return {QString::fromUtf8(file.readAll()), true};
}

}  // namespace

CGuideWindow::CGuideWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("guideWindow"));
    setWindowTitle(tr("VYLCD 스튜디오 사용설명서"));
    // The application's font: in Korean it is one that holds Hangul.
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The match stays marked while the find box has the focus.
    QPalette palette = m_text->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    m_text->setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateFindBar());
    layout->addWidget(m_text, 1);
    CreateShortcuts();
    SizeToText();
}

QWidget* CGuideWindow::CreateFindBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_findBox = new QLineEdit(bar);
    m_findBox->setClearButtonEnabled(true);
    m_findBox->setPlaceholderText(tr("찾을 낱말 (Ctrl+F)"));
    auto* previous = new QPushButton(tr("이전"), bar);
    auto* next = new QPushButton(tr("다음"), bar);
    m_state = new QLabel(bar);
    m_openInViewer = new QPushButton(tr("기본 프로그램으로 열기"), bar);
    row->addWidget(new QLabel(tr("찾기:"), bar));
    row->addWidget(m_findBox, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(m_state, 1);
    row->addWidget(m_openInViewer);

    connect(m_findBox, &QLineEdit::textEdited, this, &CGuideWindow::FindAsTyped);
    connect(m_findBox, &QLineEdit::returnPressed, this, [this] { Find(VyFindDirection::kNext); });
    connect(next, &QPushButton::clicked, this, [this] { Find(VyFindDirection::kNext); });
    connect(previous, &QPushButton::clicked, this, [this] { Find(VyFindDirection::kPrevious); });
    connect(m_openInViewer, &QPushButton::clicked, this, &CGuideWindow::OpenInViewer);
    return bar;
}

void CGuideWindow::CreateShortcuts() {
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this), &QShortcut::activated, this,
            [this] {
                m_findBox->setFocus(Qt::ShortcutFocusReason);
                m_findBox->selectAll();
            });
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
            [this] { Find(VyFindDirection::kNext); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this), &QShortcut::activated, this,
            [this] { Find(VyFindDirection::kPrevious); });
}

// About eighty columns of the guide and forty lines, as far as the screen
// has room.
void CGuideWindow::SizeToText() {
    const QFontMetrics metrics(m_text->font());
    QSize size(metrics.averageCharWidth() * 96 + 40, metrics.lineSpacing() * 40 + 60);
    if (const QScreen* room = screen()) {
        size = size.boundedTo(room->availableGeometry().size() * 9 / 10);
    }
    resize(size);
}

void CGuideWindow::ShowGuide(const QString& path) {
    if (path != m_path || !isVisible()) {
        LoadGuide(path);
    }
    show();
    raise();
    activateWindow();
}

void CGuideWindow::LoadGuide(const QString& path) {
    const VyGuideText guide = ReadGuide(path);
    m_path = path;
    m_hasGuide = guide.ok;
    m_text->setPlainText(guide.text);
    m_openInViewer->setEnabled(guide.ok);
    ShowState(QString(), false);
}

void CGuideWindow::Find(VyFindDirection direction) {
    const QTextCursor cursor = m_text->textCursor();
    ShowFindResult(FindInGuide(m_text->toPlainText(), m_findBox->text(), cursor.selectionStart(),
                               cursor.selectionEnd(), direction),
                   direction);
}

// Typing grows the match where it stands instead of moving on.
void CGuideWindow::FindAsTyped() {
    const qsizetype start = m_text->textCursor().selectionStart();
    ShowFindResult(
        FindInGuide(m_text->toPlainText(), m_findBox->text(), start, start, VyFindDirection::kNext),
        VyFindDirection::kNext);
}

void CGuideWindow::ShowFindResult(const VyGuideMatch& match, VyFindDirection direction) {
    if (m_findBox->text().isEmpty()) {
        ShowState(QString(), false);
        return;
    }
    if (!match.Found()) {
        ShowState(tr("찾을 수 없습니다"), true);
        return;
    }
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(static_cast<int>(match.position));
    cursor.setPosition(static_cast<int>(match.position + m_findBox->text().size()),
                       QTextCursor::KeepAnchor);
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();
    if (!match.wrapped) {
        ShowState(QString(), false);
    } else {
        ShowState(direction == VyFindDirection::kNext ? tr("끝에 이르러 처음부터 찾았습니다")
                                                      : tr("처음에 이르러 끝부터 찾았습니다"),
                  false);
    }
}

// "Not found" tints the find box as well, so it shows at a glance.
void CGuideWindow::ShowState(const QString& text, bool notFound) {
    m_state->setText(text);
    if (!notFound) {
        m_findBox->setPalette(QPalette());  // the inherited colours again
        return;
    }
    QPalette palette = m_findBox->palette();
    palette.setColor(QPalette::Base, QColor(255, 214, 214));
    palette.setColor(QPalette::Text, Qt::black);
    m_findBox->setPalette(palette);
}

void CGuideWindow::OpenInViewer() {
    if (StudioPrompts().openManual(m_path)) {
        ShowState(QString(), false);
        return;
    }
    ShowState(tr("기본 프로그램으로 열지 못했습니다"), false);
    Q_EMIT viewerFailed(m_path);
}
