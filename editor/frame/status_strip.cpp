#include "editor/frame/status_strip.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/canvas/ui_text.h"
#include "editor/document/profile_file.h"
#include "editor/frame/frame_colours.h"
#include "editor/frame/strip_flow.h"
#include "editor/tree/code_page.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr int kTickMs = 1000;
// Often enough for a transfer's progress to move smoothly.
constexpr int kProgressTickMs = 200;
constexpr int kRegionDelayMs = 1700;
constexpr int kReconnectMs = 2000;
constexpr int kStripMargin = 2;
constexpr int kStripSpacing = 3;
constexpr int kTextGap = 5;
const QColor kWarningColour(200, 50, 50);
const QColor kGoodNewsColour(30, 120, 50);

// The region boxes in the order of their names.
constexpr std::array<const char*, 6> kBoxNames = {"left",   "right", "top",
                                                  "bottom", "width", "height"};

QLabel* Label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAutoFillBackground(false);
    return label;
}

}  // namespace

CDlgGlobalStatus::CDlgGlobalStatus(QWidget* parent) : QWidget(parent) {
    m_state = Label(QString(), this);
    m_scale = Label(QString(), this);
    m_update = Label(QString(), this);
    m_noAnswer = Label(QString(), this);
    m_noAnswer->setStyleSheet(QStringLiteral("color: rgb(200, 50, 50);"));
    // The texts after the port stand a little apart, as words of their own.
    for (QLabel* label : {m_scale, m_update, m_noAnswer}) {
        label->setContentsMargins(kTextGap, 0, 0, 0);
    }
    m_position = new QLineEdit(this);
    m_position->setReadOnly(true);
    m_position->setFocusPolicy(Qt::NoFocus);
    // Room for a position far off the LCD, which a zoomed canvas shows.
    m_position->setFixedWidth(
        m_position->fontMetrics().horizontalAdvance(QStringLiteral("(-0000,-0000)")) + 12);
    QWidget* across = Group({Label(tr("영역 X:"), this), AddBox("left", 6),
                             Label(QStringLiteral("~"), this), AddBox("right", 6)});
    QWidget* down = Group({Label(QStringLiteral("Y:"), this), AddBox("top", 6),
                           Label(QStringLiteral("~"), this), AddBox("bottom", 6)});
    QWidget* size = Group({Label(tr("크기"), this), AddBox("width", 6),
                           Label(QStringLiteral("x"), this), AddBox("height", 6)});
    m_refresh = new QPushButton(tr("통신상태 새로고침"), this);
    m_refresh->setEnabled(false);
    m_refresh->setFocusPolicy(Qt::NoFocus);
    connect(m_refresh, &QPushButton::clicked, this, &CDlgGlobalStatus::OnRefreshLcdState);
    m_flow = {{m_state, false},    {m_scale, false},   {m_update, false},
              {m_noAnswer, false}, {m_position, true}, {across, true},
              {down, true},        {size, true},       {m_refresh, true}};
    ShowRegion(false, 0, 0, 0, 0);

    m_progressTick.setInterval(kProgressTickMs);
    connect(&m_progressTick, &QTimer::timeout, this, &CDlgGlobalStatus::OnProgressTick);
    m_progressTick.start();
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &CDlgGlobalStatus::OnTimer);
    m_tick.start();
    m_reconnectTick.setInterval(kReconnectMs);
    connect(&m_reconnectTick, &QTimer::timeout, this, &CDlgGlobalStatus::OnReconnectTimer);
    m_reconnectTick.start();
    m_link.SetLostObserver([this](const std::string&) { OnPortLost(); });
    m_link.SetReceiveObserver([this](const std::string& bytes) { OnAnswers(bytes); });
    m_regionTimer.setSingleShot(true);
    m_regionTimer.setInterval(kRegionDelayMs);
    connect(&m_regionTimer, &QTimer::timeout, this, &CDlgGlobalStatus::OnRegionTimer);
}

// The items flow into as many rows as the width needs: none is ever cut.
void CDlgGlobalStatus::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceItems();
}

VyFlowPlaces CDlgGlobalStatus::Places(int width) const {
    const int room = std::max(width - 2 * kStripMargin, 1);
    std::vector<VyFlowItem> items;
    for (const auto& [widget, right] : m_flow) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        QSize size = widget->sizeHint();
        if (widget == m_state) {
            // Only a port name longer than the whole strip is shortened.
            size.setWidth(std::min(m_state->fontMetrics().horizontalAdvance(m_port), room));
        }
        const bool shown = label == nullptr || !label->text().isEmpty() || widget == m_state;
        items.push_back({shown ? size : QSize(), right});
    }
    return FlowItems(items, room, kStripSpacing);
}

int CDlgGlobalStatus::heightForWidth(int width) const {
    return Places(width).height;
}

void CDlgGlobalStatus::PlaceItems() {
    const VyFlowPlaces places = Places(width());
    for (size_t i = 0; i < m_flow.size(); ++i) {
        QWidget* widget = m_flow[i].first;
        widget->setVisible(!places.rects[i].isEmpty());
        widget->setGeometry(places.rects[i].translated(kStripMargin, 0));
    }
    m_state->setText(
        m_state->fontMetrics().elidedText(m_port, Qt::ElideMiddle, std::max(m_state->width(), 1)));
}

// A text of another length may need another row: the frame is asked to
// make room when the height changes.
void CDlgGlobalStatus::Reflow() {
    const int height = heightForWidth(width());
    PlaceItems();
    if (height != this->height()) {
        Q_EMIT heightWanted();
    }
}

QWidget* CDlgGlobalStatus::Group(std::initializer_list<QWidget*> parts) {
    auto* group = new QWidget(this);
    auto* layout = new QHBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kStripSpacing);
    for (QWidget* part : parts) {
        layout->addWidget(part);
    }
    return group;
}

CDlgGlobalStatus::~CDlgGlobalStatus() {
    m_link.Finalize();
}

void CDlgGlobalStatus::SetCanvas(CVylCanvas* canvas) {
    m_canvas = canvas;
    if (canvas != nullptr) {
        canvas->Core().AddPendingEditSource([this] { Reflect(); });
    }
}

QLineEdit* CDlgGlobalStatus::AddBox(const char* name, int32_t maxLength) {
    auto* box = new QLineEdit(this);
    box->setMaxLength(maxLength);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 12);
    box->setAlignment(Qt::AlignRight);
    box->installEventFilter(this);
    const std::string key = name;
    connect(box, &QLineEdit::textEdited, this, [this, key] { OnBoxEdited(key); });
    m_boxes[m_boxCount++] = {key, box};
    return box;
}

QLineEdit* CDlgGlobalStatus::RegionBox(const std::string& name) const {
    for (const auto& [key, box] : m_boxes) {
        if (key == name) {
            return box;
        }
    }
    return nullptr;
}

void CDlgGlobalStatus::SetStateText(const QString& port, const QString& scale) {
    m_port = port;
    if (scale != m_scale->text()) {
        m_scale->setText(scale);
        Reflow();
    }
    OnProgressTick();
}

// The last full update: its progress while it runs, else its size and wire
// time at the port's rate.
void CDlgGlobalStatus::OnProgressTick() {
    const VyUpdateProgress progress = m_link.GetUpdateProgress();
    QString text;
    if (m_warned || !m_link.IsPortOpen()) {
        // A count that does not move says nothing the warning does not.
    } else if (progress.IsRunning()) {
        text = tr("전송 %1/%2").arg(progress.acknowledged).arg(progress.commands);
    } else if (progress.bytes > 0 || progress.fullBytes > 0) {
        text = QString::fromStdString(UpdateSizeText(progress, m_link.GetBaudRate()));
        if (progress.SavedPercent() > 0) {
            text += QStringLiteral(" ") + tr("(전체 대비 %1% 절약)").arg(progress.SavedPercent());
        }
    }
    if (text != m_update->text() || m_port != m_state->toolTip()) {
        m_update->setText(text);
        m_state->setToolTip(m_port);
        Reflow();
    }
}

QString CDlgGlobalStatus::StateText() const {
    QStringList parts;
    for (const QString& part : {m_port, m_scale->text(), m_update->text()}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(QStringLiteral("  "));
}

QString CDlgGlobalStatus::PositionText() const {
    return m_position->text();
}

QString CDlgGlobalStatus::NoAnswerText() const {
    return m_noAnswer->text();
}

void CDlgGlobalStatus::ShowRegion(bool oneSelected, int32_t left, int32_t top, int32_t right,
                                  int32_t bottom) {
    const std::array<int64_t, 6> values = {
        left, right, top, bottom, int64_t{right} - left + 1, int64_t{bottom} - top + 1};
    m_updating = true;
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        QLineEdit* box = m_boxes[i].second;
        box->setText(oneSelected ? QString::number(values[i]) : QString());
        box->setEnabled(oneSelected);
    }
    m_updating = false;
}

// A box typed into is applied when the typing pauses, on Enter, or when
// the focus leaves it.
void CDlgGlobalStatus::OnBoxEdited(const std::string& name) {
    QLineEdit* box = RegionBox(name);
    if (m_updating || box == nullptr || !box->hasFocus()) {
        return;
    }
    for (size_t i = 0; i < kBoxNames.size(); ++i) {
        if (name == kBoxNames[i]) {
            m_marked[i] = true;
        }
    }
    m_regionTimer.start();
}

void CDlgGlobalStatus::Reflect() {
    m_regionTimer.stop();
    for (size_t i = 0; i < kBoxNames.size(); ++i) {
        if (!m_marked[i]) {
            continue;
        }
        m_marked[i] = false;
        if (m_canvas != nullptr) {
            const QString text = RegionBox(kBoxNames[i])->text();
            m_canvas->Core().ChangeRegionBox(kBoxNames[i], AtoiValue(text.toStdString()));
        }
    }
}

void CDlgGlobalStatus::OnRegionTimer() {
    m_regionTimer.stop();
    Reflect();
}

void CDlgGlobalStatus::UpdateLcdPointEditCtrl() {
    if (m_canvas == nullptr) {
        return;
    }
    const CVylCanvasCore& core = m_canvas->Core();
    const VyPoint point = core.Fit().ScreenToVirtualEnlarged(core.GetCursorScreen());
    const int32_t x = point.x / 10000;
    const int32_t y = point.y / 10000;
    const int32_t width = core.DeviceContext().GetInt(kKeyResolutionX, -1);
    const int32_t height = core.DeviceContext().GetInt(kKeyResolutionY, -1);
    if (x >= 0 && x < width && y >= 0 && y < height) {
        m_position->setText(QStringLiteral("(%1,%2)   ").arg(x).arg(y));
    } else {
        m_position->setText(QStringLiteral("OUTSIDE  "));
    }
}

void CDlgGlobalStatus::OnRefreshLcdState() {
    m_link.InitCredits();
    if (!m_link.IsPortOpen()) {
        TryToReconnect(true);
    }
}

QString CDlgGlobalStatus::DeviceName() const {
    return QString::fromStdString(m_link.GetDevicePath());
}

void CDlgGlobalStatus::OnPortLost() {
    m_refresh->setEnabled(true);
    Q_EMIT messageLine(kWarningColour,
                       tr("%1 포트와의 연결이 끊어졌습니다. 2초마다 다시 연결을 시도합니다. 바로 "
                          "시도하려면 '통신상태 새로고침' 단추나 F5 키를 누르세요.")
                           .arg(DeviceName()));
    Q_EMIT linkStateChanged();
}

// Only a port that was open once is tried again: one that never opened is
// the settings dialog's business.
void CDlgGlobalStatus::OnReconnectTimer() {
    if (!m_link.IsPortOpen() && m_link.GetOpenCount() > 0) {
        TryToReconnect(false);
    }
}

bool CDlgGlobalStatus::TryToReconnect(bool askedByUser) {
    if (m_link.IsPortOpen()) {
        return true;
    }
    if (!m_link.TryReconnect()) {
        if (askedByUser) {
            Q_EMIT messageLine(kWarningColour,
                               tr("%1 포트를 아직 열 수 없습니다. 케이블과 통신 설정을 "
                                  "확인하세요.")
                                   .arg(DeviceName()));
        }
        return false;
    }
    m_link.RequestResend();
    m_warned = false;
    m_noAnswer->clear();
    Reflow();
    Q_EMIT messageLine(kGoodNewsColour, tr("%1 포트에 다시 연결했습니다.").arg(DeviceName()));
    Q_EMIT linkStateChanged();
    Q_EMIT moduleBack();
    return true;
}

// A module that answers again after a silence may have lost what it was
// sent meanwhile: the rest of that transfer is dropped for a full update.
void CDlgGlobalStatus::OnAnswers(const std::string& bytes) {
    if (!m_warned || bytes.find('K') == std::string::npos) {
        return;
    }
    m_link.InitCredits();
    m_link.RequestResend();
    m_link.Credits().ClearNoAnswer();
    m_warned = false;
    m_noAnswer->clear();
    Reflow();
    Q_EMIT messageLine(kWarningColour, QString());
    Q_EMIT moduleBack();
}

void CDlgGlobalStatus::OnTimer() {
    CVylLinkCredits& credits = m_link.Credits();
    m_link.CheckPortHealth();
    m_refresh->setEnabled(m_link.GetNotReturnedCmdCount() != 0 ||
                          (!m_link.IsPortOpen() && m_link.GetOpenCount() > 0));
    if (m_link.GetNotReturnedCmdCount() == 0) {
        credits.ClearNoAnswer();
    }
    // The last command of a transfer has nobody waiting for its answer.
    const bool silent = credits.CheckNoAnswer();
    if (silent) {
        ConsiderFirmwareNotice();
    }
    // Said when it changes, so that other texts on the message line stay.
    if (silent == m_warned) {
        return;
    }
    m_warned = silent;
    OnProgressTick();
    if (silent) {
        m_noAnswer->setText(tr("LCD로부터 응답 없음"));
        Reflow();
        Q_EMIT messageLine(kWarningColour, UiText(kNoAnswerWarning));
    } else {
        m_noAnswer->clear();
        Reflow();
        Q_EMIT messageLine(kWarningColour, QString());
    }
}

// Once per run, and then once per installation. Old firmware answers,
// though not with acknowledgements; a module that says nothing at all is
// unplugged or at another rate, which the warning says already.
void CDlgGlobalStatus::ConsiderFirmwareNotice() {
    if (m_firmwareNoticeConsidered || m_textDataFolder.empty() || !m_link.HasForeignAnswer()) {
        return;
    }
    m_firmwareNoticeConsidered = true;
    if (TakeOneTimeNotice(m_textDataFolder + "/contexthelpshow.ini", "firmwareversion")) {
        ShowNotice(tr("※ 펌웨어 버전이 맞지 않으면 LCD에 출력되지 않습니다."), QString(), this);
    }
}

// Escape is swallowed, Enter applies the boxes, any other key goes to the
// canvas first (arrows and Delete stay with the box).
bool CDlgGlobalStatus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        Reflect();
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Reflect();
            return true;
        }
        if (m_canvas != nullptr && m_canvas->ProcessKeys(key, false)) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CDlgGlobalStatus::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPanelColour);
}
