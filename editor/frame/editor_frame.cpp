#include "editor/frame/editor_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QToolBar>
#include <QUrl>
#include <array>
#include <cstdio>

#include "editor/canvas/hex_pane.h"
#include "editor/canvas/notice.h"
#include "editor/canvas/ui_text.h"
#include "editor/frame/frame_colours.h"
#include "editor/frame/serial_settings_dialog.h"
#include "editor/frame/tool_icons.h"
#include "editor/tree/code_page.h"

namespace {

struct VyToolEntry {
    int32_t tool;
    const char* tip;
    Qt::Key key;
};

// The tool bar's order, tool tips and one-letter keys.
constexpr std::array<VyToolEntry, 8> kTools = {
    {{kToolSelect, QT_TRANSLATE_NOOP("CVyeEditor", "선택 도구"), Qt::Key_V},
     {kToolBox, QT_TRANSLATE_NOOP("CVyeEditor", "빈 박스"), Qt::Key_B},
     {kToolFilledBox, QT_TRANSLATE_NOOP("CVyeEditor", "채워진 박스"), Qt::Key_F},
     {kToolEllipse, QT_TRANSLATE_NOOP("CVyeEditor", "빈 원"), Qt::Key_E},
     {kToolFilledEllipse, QT_TRANSLATE_NOOP("CVyeEditor", "채워진 원"), Qt::Key_G},
     {kToolLine, QT_TRANSLATE_NOOP("CVyeEditor", "직선"), Qt::Key_L},
     {kToolText, QT_TRANSLATE_NOOP("CVyeEditor", "문자"), Qt::Key_T},
     {kToolBitmap, QT_TRANSLATE_NOOP("CVyeEditor", "그림 파일"), Qt::Key_P}}};

struct VyPopupEntry {
    VyCanvasCommand command;
    const char* label;
    bool separatorBefore;
};

constexpr std::array<VyPopupEntry, 22> kPopup = {{
    {VyCanvasCommand::kAlignTop, QT_TRANSLATE_NOOP("CVyeEditor", "위 정렬"), false},
    {VyCanvasCommand::kAlignBottom, QT_TRANSLATE_NOOP("CVyeEditor", "아래 정렬"), false},
    {VyCanvasCommand::kAlignLeft, QT_TRANSLATE_NOOP("CVyeEditor", "왼쪽 정렬"), false},
    {VyCanvasCommand::kAlignRight, QT_TRANSLATE_NOOP("CVyeEditor", "오른쪽 정렬"), false},
    {VyCanvasCommand::kSameWidth, QT_TRANSLATE_NOOP("CVyeEditor", "넓이 같게"), true},
    {VyCanvasCommand::kSameHeight, QT_TRANSLATE_NOOP("CVyeEditor", "높이 같게"), false},
    {VyCanvasCommand::kSameSize, QT_TRANSLATE_NOOP("CVyeEditor", "크기 같게"), false},
    {VyCanvasCommand::kSameVertGap, QT_TRANSLATE_NOOP("CVyeEditor", "상하 간격 정렬"), true},
    {VyCanvasCommand::kSameHorizGap, QT_TRANSLATE_NOOP("CVyeEditor", "좌우 간격 정렬"), false},
    {VyCanvasCommand::kHCenter, QT_TRANSLATE_NOOP("CVyeEditor", "화면 수평 중앙에 맞춤"), true},
    {VyCanvasCommand::kVCenter, QT_TRANSLATE_NOOP("CVyeEditor", "화면 수직 중앙에 맞춤"), false},
    {VyCanvasCommand::kHVCenter, QT_TRANSLATE_NOOP("CVyeEditor", "화면 중앙에 맞춤"), false},
    {VyCanvasCommand::kFullLayout, QT_TRANSLATE_NOOP("CVyeEditor", "화면에 가득차게"), false},
    {VyCanvasCommand::kContact, QT_TRANSLATE_NOOP("CVyeEditor", "라인 접점 연결"), true},
    {VyCanvasCommand::kRemoveContacts, QT_TRANSLATE_NOOP("CVyeEditor", "라인 접점 제거"), false},
    {VyCanvasCommand::kDelete, QT_TRANSLATE_NOOP("CVyeEditor", "삭제\tDel"), true},
    {VyCanvasCommand::kGoUp, QT_TRANSLATE_NOOP("CVyeEditor", "한 단계 앞으로"), true},
    {VyCanvasCommand::kGoDown, QT_TRANSLATE_NOOP("CVyeEditor", "한 단계 뒤로"), false},
    {VyCanvasCommand::kToFront, QT_TRANSLATE_NOOP("CVyeEditor", "맨 앞으로"), false},
    {VyCanvasCommand::kToBack, QT_TRANSLATE_NOOP("CVyeEditor", "맨 뒤로"), false},
    {VyCanvasCommand::kInflate, QT_TRANSLATE_NOOP("CVyeEditor", "확대"), true},
    {VyCanvasCommand::kDeflate, QT_TRANSLATE_NOOP("CVyeEditor", "축소"), false},
}};

// The layout's fixed sizes are meant for a 12-pixel interface font.
constexpr double kReferenceFontHeight = 15.0;

}  // namespace

CVyeEditor::CVyeEditor(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CVyeEditor::~CVyeEditor() {
    // The canvas urges the link to stop as it goes; the link goes last.
    m_toolBar.reset();
    m_sidePanel.reset();
    m_bitmapPanel.reset();
    m_textPanel.reset();
    m_shapePanel.reset();
    m_canvas.reset();
    m_status.reset();
}

int CVyeEditor::InitEditor(const std::string& commConfigPath, QWidget* parent, const QRect& rect,
                           CVylHexPane* messageLine, CVyeEditorNotify* notify,
                           const std::string& textDataFolder) {
    if (m_initialised) {
        return 1;
    }
    m_textDataFolder = textDataFolder;
    m_commConfigPath = commConfigPath;
    m_notify = notify;
    if (parent != nullptr) {
        setParent(parent);
    }
    setGeometry(rect);

    // Made once: a second call after a failed start reuses them.
    if (!m_canvas) {
        m_status = std::make_unique<CDlgGlobalStatus>(this);
        m_canvas = std::make_unique<CVylCanvas>(this);
        m_canvas->SetLink(&m_status->Link());
        m_status->SetCanvas(m_canvas.get());
        connect(m_status.get(), &CDlgGlobalStatus::heightWanted, this,
                [this] { ResizeCtrls(false); });
        CreateToolBar();
        ConnectCanvas();
    }
    m_status->SetTextDataFolder(textDataFolder);
    m_canvas->SetHexPane(messageLine);
    m_canvas->Core().SetTextDataFolder(textDataFolder);

    const VySettingsAsker asker =
        m_asker ? m_asker : [this](CVylMSComm& link, const VyPortNotice& notice) {
            ShowNotice(UiText(notice.text), UiText(notice.caption), this);
            CDlgSysOpt dialog(link, m_commConfigPath, m_canvas.get(), nullptr);
            return dialog.exec() == QDialog::Accepted;
        };
    if (!m_status->Link().Initialize(commConfigPath, asker)) {
        return 0;
    }

    m_shapePanel = std::make_unique<CDlgLocalShape>(m_canvas.get(), this);
    m_shapePanel->SetTextDataFolder(textDataFolder);
    m_textPanel = std::make_unique<CDlgLocalText>(m_canvas.get(), this);
    m_bitmapPanel = std::make_unique<CDlgLocalBmp>(m_canvas.get(), this);
    m_sidePanel = std::make_unique<QWidget>(this);
    connect(m_textPanel.get(), &CDlgLocalText::messageLine, this, &CVyeEditor::messageLine);
    for (QWidget* panel :
         {static_cast<QWidget*>(m_shapePanel.get()), static_cast<QWidget*>(m_textPanel.get()),
          static_cast<QWidget*>(m_bitmapPanel.get())}) {
        panel->hide();
    }
    m_initialised = true;
    ResizeCtrls(true);
    // Children made after their parent was shown must be shown themselves.
    m_canvas->show();
    m_status->show();
    m_toolBar->show();
    m_sidePanel->show();
    show();
    SelectTool(kToolSelect);
    OnUpdateGlobalStatus();
    m_canvas->setFocus(Qt::OtherFocusReason);
    return 1;
}

void CVyeEditor::CreateToolBar() {
    m_toolBar = std::make_unique<QToolBar>(this);
    m_toolBar->setOrientation(Qt::Vertical);
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_tools = new QActionGroup(m_toolBar.get());
    m_tools->setExclusive(true);
    for (size_t i = 0; i < kTools.size(); ++i) {
        const VyToolEntry& entry = kTools[i];
        QAction* action = m_toolBar->addAction(ToolIcon(entry.tool), QString());
        action->setCheckable(true);
        action->setToolTip(tr(entry.tip) + QStringLiteral(" (") +
                           QKeySequence(entry.key).toString() + QStringLiteral(")"));
        m_tools->addAction(action);
        const int32_t tool = entry.tool;
        connect(action, &QAction::triggered, this, [this, tool] { SelectTool(tool); });
        m_toolActions[i] = action;
    }
}

QAction* CVyeEditor::ToolAction(int32_t tool) const {
    for (size_t i = 0; i < kTools.size(); ++i) {
        if (kTools[i].tool == tool) {
            return m_toolActions[i];
        }
    }
    return nullptr;
}

void CVyeEditor::SelectTool(int32_t tool) {
    if (QAction* action = ToolAction(tool)) {
        action->setChecked(true);
    }
    m_canvas->Core().SetTool(tool);
    UpdateLocalShowStates();
}

void CVyeEditor::ConnectCanvas() {
    CVylCanvas* canvas = m_canvas.get();
    connect(canvas, &CVylCanvas::panelsRefreshRequested, this, &CVyeEditor::OnUpdateLocalCtrls);
    connect(canvas, &CVylCanvas::objectCreated, this, &CVyeEditor::OnObjectJustCreated);
    connect(canvas, &CVylCanvas::statusRefreshRequested, this, &CVyeEditor::OnUpdateGlobalStatus);
    connect(m_status.get(), &CDlgGlobalStatus::linkStateChanged, this,
            &CVyeEditor::OnUpdateGlobalStatus);
    // What the module shows is unknown now: the link sends all of it.
    connect(m_status.get(), &CDlgGlobalStatus::moduleBack, this,
            [this] { m_canvas->OnAgain(0, 0, 1, 0, 1, 0); });
    connect(canvas, &CVylCanvas::mousePositionChanged, m_status.get(),
            &CDlgGlobalStatus::UpdateLcdPointEditCtrl);
    // Opened once the mouse release has been handled.
    connect(canvas, &CVylCanvas::popupMenuRequested, this, &CVyeEditor::OnTrackPopupAtObject,
            Qt::QueuedConnection);
    connect(canvas, &CVylCanvas::editActionAdded, this, [this] {
        if (m_notify != nullptr) {
            m_notify->EditActionAdded();
        }
        Q_EMIT editActionAdded();
    });
    connect(m_status.get(), &CDlgGlobalStatus::messageLine, this, &CVyeEditor::messageLine);
    connect(this, &CVyeEditor::messageLine, this,
            [this](const QColor& colour, const QString& text) {
                if (m_notify != nullptr) {
                    m_notify->ShowMessageLine(colour, text);
                }
            });
    canvas->installEventFilter(this);
    // Pictures dropped on the canvas become bitmap objects.
    canvas->setAcceptDrops(true);
}

int CVyeEditor::Scaled(int pixels) const {
    const double scale = std::max(1.0, fontMetrics().height() / kReferenceFontHeight);
    return static_cast<int>(pixels * scale);
}

void CVyeEditor::ResizeCtrls(bool force) {
    if (!m_initialised) {
        return;
    }
    const int32_t kind = m_canvas->Core().Selection().GetSelectedObjectsCommonLocalUi();
    const bool changed = m_lastLocalUi == -1 || m_lastLocalUi != kind;
    m_lastLocalUi = kind;
    const int w = width();
    const int h = height();
    const QSize bar = m_toolBar->sizeHint();
    m_toolBar->setGeometry(0, 0, bar.width(), bar.height());
    const int top = Scaled(77);
    const int stripWidth = w - bar.width() - 3;
    const int strip = std::max(m_status->heightForWidth(stripWidth), Scaled(22));
    m_canvas->setGeometry(Scaled(30), top, w - Scaled(45), h - top - strip - Scaled(15));
    m_status->setGeometry(bar.width() + 3, h - strip - 5, stripWidth, strip);
    if (!force && !changed) {
        return;
    }
    for (QWidget* panel :
         {static_cast<QWidget*>(m_shapePanel.get()), static_cast<QWidget*>(m_textPanel.get()),
          static_cast<QWidget*>(m_bitmapPanel.get())}) {
        panel->setGeometry(bar.width(), 0, w - bar.width(), top);
    }
    m_sidePanel->setGeometry(0, bar.height(), bar.width(), h - bar.height());
}

QWidget* CVyeEditor::UiToDlg(int32_t kind) const {
    switch (kind) {
        case 1:
            return m_shapePanel.get();
        case 2:
            return m_textPanel.get();
        case 3:
            return m_bitmapPanel.get();
        default:
            return nullptr;
    }
}

void CVyeEditor::UpdateLocalShowStates() {
    if (!m_initialised) {
        return;
    }
    m_shapePanel->UpdateShowStates();
    m_bitmapPanel->UpdateShowStates();
    const int32_t kind = m_canvas->Core().Selection().GetSelectedObjectsCommonLocalUi();
    QWidget* shown = UiToDlg(kind);
    for (int32_t panel = 1; panel <= 3; ++panel) {
        if (UiToDlg(panel) != shown) {
            UiToDlg(panel)->hide();
        }
    }
    if (shown != nullptr && !shown->isVisible()) {
        shown->show();
    }
}

void CVyeEditor::ToLocalCtrls(const CVylObjectUniqueAttr& attrs) {
    m_shapePanel->ToLocalCtrls(attrs);
    m_textPanel->ToLocalCtrls(attrs);
}

void CVyeEditor::FromLocalCtrls(CVylObjectUniqueAttr& attrs) const {
    m_shapePanel->FromLocalCtrls(attrs);
    m_textPanel->FromLocalCtrls(attrs);
}

void CVyeEditor::OnUpdateLocalCtrls() {
    if (!m_initialised) {
        return;
    }
    m_shapePanel->SetUpdating(true);
    ToLocalCtrls(m_canvas->Core().ToolAttrs());
    m_shapePanel->SetUpdating(false);
    UpdateLocalShowStates();
}

void CVyeEditor::OnObjectJustCreated(int kind) {
    if (!m_initialised) {
        return;
    }
    UpdateLocalShowStates();
    if (kind == kObjText) {
        m_textPanel->StartNewText();
    }
    ResizeCtrls(false);
}

void CVyeEditor::OnUpdateGlobalStatus() {
    if (!m_initialised) {
        return;
    }
    CVylCanvasCore& core = m_canvas->Core();
    m_canvas->Refit();
    const CVylObjectSelection& selection = core.Selection();
    const bool one = selection.GetSelState() == 2;
    VyRect region = kEmptyRect;
    if (core.GetMouseState() == kMouseFraming) {
        const VyPoint cursor = core.Fit().ScreenToVirtualEnlarged(core.GetCursorScreen());
        const VyPoint press = core.GetFramePressPoint();
        region = {press.x, press.y, cursor.x, cursor.y};
    } else if (one && selection.GetChiefSelectedObj() != nullptr) {
        region = selection.GetChiefSelectedObj()->GetRegion();
    }
    const VyRect dots = region.Normalized();
    m_status->ShowRegion(one && selection.GetChiefSelectedObj() != nullptr, dots.left / 10000,
                         dots.top / 10000, dots.right / 10000, dots.bottom / 10000);
    char zoom[32];
    std::snprintf(zoom, sizeof(zoom), "%3.2f%%", core.Fit().GetScale() * 100);
    // A port that went away says so instead of showing its old settings.
    const QString port = !Link().IsPortOpen() && Link().GetOpenCount() > 0
                             ? QString::fromStdString(Link().GetDevicePath()) +
                                   QStringLiteral(": ") + tr("연결 안 됨")
                             : FromCp949(Link().PortStateText());
    m_status->SetStateText(port, QString::fromLatin1(zoom));
}

std::unique_ptr<QMenu> CVyeEditor::CreatePopupMenu() {
    auto menu = std::make_unique<QMenu>(this);
    for (const VyPopupEntry& entry : kPopup) {
        if (entry.separatorBefore) {
            menu->addSeparator();
        }
        QAction* action = menu->addAction(tr(entry.label));
        const VyCanvasCommand command = entry.command;
        action->setEnabled(m_canvas->Core().IsCommandEnabled(command));
        connect(action, &QAction::triggered, this,
                [this, command] { m_canvas->Core().RunCommand(command); });
    }
    return menu;
}

void CVyeEditor::OnTrackPopupAtObject(const QPoint& globalPosition) {
    m_canvas->setCursor(Qt::ArrowCursor);
    std::unique_ptr<QMenu> menu = CreatePopupMenu();
    menu->exec(globalPosition);
}

void CVyeEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeCtrls(true);
}

void CVyeEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPanelColour);
}

// A tool's letter switches to it while the canvas has the focus.
// A picture file dragged over the canvas is taken; anything else (a project)
// is left to the windows around it.
bool CVyeEditor::OnCanvasDrag(QEvent* event) {
    auto* drag = static_cast<QDropEvent*>(event);
    const QList<QUrl> urls = drag->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile() ||
        !CDlgLocalBmp::IsPictureName(urls.first().toLocalFile())) {
        return false;
    }
    drag->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        CVylCanvasCore& core = m_canvas->Core();
        const QString path = urls.first().toLocalFile();
        if (const auto picture = CDlgLocalBmp::ReadPicture(path, core.DeviceContext(), this)) {
            const QPoint at = drag->position().toPoint();
            core.CreatePictureAt({at.x(), at.y()}, *picture);
        }
    }
    return true;
}

bool CVyeEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_canvas.get() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop)) {
        return OnCanvasDrag(event);
    }
    if (watched == m_canvas.get() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier) {
            for (const VyToolEntry& entry : kTools) {
                if (key->key() == entry.key) {
                    SelectTool(entry.tool);
                    return true;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
