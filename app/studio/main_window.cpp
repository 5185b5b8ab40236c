#include "app/studio/main_window.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QToolBar>
#include <algorithm>
#include <cstdlib>

#include "app/settings/window_state.h"
#include "app/studio/guide_window.h"
#include "app/studio/source_dialog.h"
#include "app/studio/studio_icons.h"
#include "app/studio/studio_language.h"
#include "app/studio/studio_prompts.h"
#include "app/studio/view_scale.h"
#include "editor/canvas/notice.h"
#include "editor/document/full_update.h"
#include "editor/document/profile_file.h"
#include "editor/frame/grid_settings_window.h"
#include "editor/frame/lcd_options_dialog.h"
#include "editor/frame/serial_settings_dialog.h"
#include "editor/frame/template_dialogs.h"
#include "editor/virtual_lcd/frame_png.h"
#include "editor/virtual_lcd/virtual_lcd.h"

namespace {

const QColor kNoticeColour(40, 90, 160);
// "변경된 부분만 전송" in pub.ini.
constexpr const char* kLcdSection = "lcd";
constexpr const char* kSendChangesKey = "send_only_changes";
// The largest scale the first start opens at.
constexpr int kFirstStartScale = 4;
// Below this the canvas shares too little room with a docked LCD screen.
constexpr int kRoomyCanvasWidth = 700;

QString ProductTitle() {
    return QCoreApplication::translate("CMainFrame", "VYLCD 스튜디오 %1")
        .arg(QString::fromStdString(VersionText(kEditorVersionNumber)));
}

}  // namespace

VyStudioOptions VyStudioOptions::FromEnvironment() {
    VyStudioOptions options;
    bool ok = false;
    const int period = qEnvironmentVariableIntValue("VYLCD_BACKUP_PERIOD_MS", &ok);
    if (ok && period > 0) {
        options.backupPeriodMs = period;
    }
    return options;
}

CMainFrame::CMainFrame(const CVYSDataFolders& folders, const VyStudioOptions& options,
                       QWidget* parent)
    : QMainWindow(parent), m_folders(folders), m_options(options) {
    setWindowIcon(StudioIcon(VyStudioIcon::kApplication));
    setMinimumSize(400, 360);
    setAcceptDrops(true);
    RestoreWindowState();
    m_view = new CVYSView(folders, this);
    setCentralWidget(m_view);
    m_document = new CVYSDoc(folders, this);
    connect(m_view, &CVYSView::modified, this, [this] { m_document->SetModified(true); });
    connect(m_document, &CVYSDoc::changed, this, [this] {
        RefreshRecentFiles();
        UpdateCommands();
        RefreshTitle();
    });
    RefreshTitle();
    m_backupTimer.setInterval(m_options.backupPeriodMs);
    connect(&m_backupTimer, &QTimer::timeout, this, &CMainFrame::OnBackupTick);
    m_startupTimer.setSingleShot(true);
    m_startupTimer.setInterval(m_options.startupDelayMs);
    connect(&m_startupTimer, &QTimer::timeout, this, &CMainFrame::OnStartupTick);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Start() {
    if (!m_view->Init()) {
        return false;
    }
    m_document->Attach(&m_view->Canvas());
    m_lcdDock = new CLcdScreenDock(m_view->Editor().Link(), this);
    addDockWidget(Qt::RightDockWidgetArea, m_lcdDock);
    m_objectListDock = new CObjectListDock(m_view->Canvas(), this);
    addDockWidget(Qt::RightDockWidgetArea, m_objectListDock);
    CreateCommands();
    CreateMenus();
    CreateToolBar();
    CVylCanvas& canvas = m_view->Canvas();
    for (auto signal : {&CVylCanvas::statusRefreshRequested, &CVylCanvas::panelsRefreshRequested,
                        &CVylCanvas::editActionAdded}) {
        connect(&canvas, signal, this, &CMainFrame::UpdateCommands);
    }
    UpdateCommands();
    m_backupTimer.start();
    m_startupTimer.start();
    m_started = true;
    return true;
}

CVylCanvasCore& CMainFrame::Core() {
    return m_view->Canvas().Core();
}

QAction* CMainFrame::AddCommand(const QString& name, const QString& label,
                                const std::function<void()>& run) {
    auto* action = new QAction(label, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, run);
    m_commands[name] = action;
    return action;
}

QAction* CMainFrame::Command(const QString& name) const {
    const auto found = m_commands.find(name);
    return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::CreateCommands() {
    CVylCanvas& canvas = m_view->Canvas();
    CVyeEditor& editor = m_view->Editor();
    AddCommand(QStringLiteral("file_new"), tr("새로 만들기(&N)"),
               [this] { m_document->OnNewDocument(); });
    AddCommand(QStringLiteral("file_open"), tr("열기(&O)..."),
               [this] { m_document->OnOpenDocument(); });
    AddCommand(QStringLiteral("file_save"), tr("저장(&S)"),
               [this] { m_document->OnSaveDocument(); });
    AddCommand(QStringLiteral("file_save_as"), tr("다른 이름으로 저장(&A)..."),
               [this] { m_document->OnSaveAs(); });
    AddCommand(QStringLiteral("file_template_load"), tr("기본 템플릿 불러오기(&L)"),
               [this, &canvas] {
                   CDlgTemplateList(canvas, m_folders.DefaultTemplateFolder(), this).exec();
               });
    AddCommand(QStringLiteral("file_template_save"), tr("선택된 영역을 템플릿으로 저장(&T).."),
               [this, &canvas] {
                   CDlgPreTemplateSave(canvas, m_folders.DefaultTemplateFolder(), this).exec();
               });
    AddCommand(QStringLiteral("file_export_png"), tr("LCD 화면을 PNG로 저장(&P)..."),
               [this] { ExportLcdPng(); });
    AddCommand(QStringLiteral("file_exit"), tr("종료(&X)"), [this] { close(); });
    // The editing keys are the canvas's own: the menu only shows them.
    AddCommand(QStringLiteral("edit_undo"), tr("되돌리기\tCtrl+Z"),
               [this] { Core().UndoEditActionAndDrawAll(); });
    AddCommand(QStringLiteral("edit_redo"), tr("재실행\tCtrl+Shift+Z"),
               [this] { Core().RedoEditActionAndDrawAll(); });
    AddCommand(QStringLiteral("edit_cut"), tr("잘라내기\tCtrl+X"), [this] { Core().OnCut(); });
    AddCommand(QStringLiteral("edit_copy"), tr("복사\tCtrl+C"), [this] { Core().OnCopy(); });
    AddCommand(QStringLiteral("edit_paste"), tr("붙여넣기\tCtrl+V"), [this] { Core().OnPaste(); });
    AddCommand(QStringLiteral("edit_delete"), tr("삭제\tDel"), [this] {
        if (!PassToEditBox(Qt::Key_Delete, Qt::NoModifier)) {
            Core().OnDeleteObject();
        }
    });
    AddCommand(QStringLiteral("edit_tab"), tr("주변 객체 선택\tTab"), [this] { Core().OnTab(); });
    AddCommand(QStringLiteral("edit_select_all"), tr("모두 선택\tCtrl+A"), [this] {
        if (!PassToEditBox(Qt::Key_A, Qt::ControlModifier)) {
            Core().SelectAll();
        }
    });
    AddCommand(QStringLiteral("tool_resend"), tr("재전송"), [this] { Resend(); });
    AddCommand(QStringLiteral("tool_send_changes"), tr("변경된 부분만 전송"),
               [this] { ToggleSendOnlyChanges(); });
    AddCommand(QStringLiteral("tool_lcd_options"), tr("시스템 설정(&S)"),
               [this, &editor] { CDlgLcdOpt(editor.Link(), Core().DeviceContext(), this).exec(); });
    AddCommand(QStringLiteral("tool_serial"), tr("통신 설정(&C)"), [this, &editor, &canvas] {
        CDlgSysOpt(editor.Link(), m_folders.CommCfgPath(), &canvas, this).exec();
        m_lcdDock->Refresh();
    });
    AddCommand(QStringLiteral("tool_grid"), tr("그리드 사용함"), [this] { ToggleGrid(); });
    AddCommand(QStringLiteral("tool_grid_settings"), tr("그리드 설정(&G)"),
               [this, &canvas] { CDlgGridSettings::Open(canvas, m_folders.GridCfgPath(), this); });
    AddCommand(QStringLiteral("tool_source"), tr("프로그램 소스 생성(&P)"), [this, &canvas] {
        CDlgSourceGenerator(canvas, m_folders.SrcGenrEnvCfgPath(), m_folders.PubIniPath(),
                            static_cast<uint32_t>(m_view->Editor().Link().GetBaudRate()), this)
            .exec();
    });
    AddCommand(QStringLiteral("view_100"), tr("보기 배율 100%"), [this] { OnViewScale(1); });
    AddCommand(QStringLiteral("view_200"), tr("보기 배율 200%"), [this] { OnViewScale(2); });
    AddCommand(QStringLiteral("view_zoom_in"), tr("확대"), [&canvas] { canvas.ZoomIn(); });
    AddCommand(QStringLiteral("view_zoom_out"), tr("축소"), [&canvas] { canvas.ZoomOut(); });
    AddCommand(QStringLiteral("view_zoom_fit"), tr("창에 맞춤"), [&canvas] { canvas.ZoomToFit(); });
    AddCommand(QStringLiteral("view_zoom_one"), tr("한 점을 한 화소로"),
               [&canvas] { canvas.ZoomTo(1); });
    AddCommand(QStringLiteral("view_module_preview"), tr("LCD 미리보기"), [this, &canvas] {
        canvas.Core().SetModulePreview(Command(QStringLiteral("view_module_preview"))->isChecked());
        canvas.update();
    });
    AddCommand(QStringLiteral("help_manual"), tr("텍스트 사용설명서(&T) "),
               [this] { OpenManual(); });
    AddCommand(QStringLiteral("help_about"), tr("VYLCD 스튜디오 정보"), [this] {
        QMessageBox::about(this, tr("VYLCD 스튜디오 정보"),
                           tr("%1\n320 x 240 그래픽 LCD 화면 디자이너").arg(ProductTitle()));
    });

    // The accelerators work anywhere in the window, whatever has the focus.
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"file_new", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"file_open", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"file_save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"tool_grid", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"tool_resend", QKeySequence(Qt::Key_F5)},
        {"view_zoom_in", QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {"view_zoom_out", QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        {"view_zoom_fit", QKeySequence(Qt::CTRL | Qt::Key_0)},
        {"view_zoom_one", QKeySequence(Qt::CTRL | Qt::Key_1)},
        // An edit box keeps these keys for its own text (it overrides them).
        {"edit_select_all", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"edit_delete", QKeySequence(Qt::Key_Delete)}};
    for (const auto& [name, keys] : shortcuts) {
        QAction* action = Command(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    // Plus is on the equals key of most keyboards.
    Command(QStringLiteral("view_zoom_in"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    Command(QStringLiteral("tool_grid"))->setCheckable(true);
    Command(QStringLiteral("tool_send_changes"))->setCheckable(true);
    Command(QStringLiteral("view_module_preview"))->setCheckable(true);
    Command(QStringLiteral("view_module_preview"))
        ->setStatusTip(tr("캔버스에 LCD가 그리는 점을 그대로 보여 줍니다."));
    editor.Link().SetSendOnlyChanges(
        ReadProfileInt(m_folders.PubIniPath(), kLcdSection, kSendChangesKey, 0) != 0);
    Command(QStringLiteral("file_new"))->setIcon(StudioIcon(VyStudioIcon::kNew));
    Command(QStringLiteral("file_open"))->setIcon(StudioIcon(VyStudioIcon::kOpen));
    Command(QStringLiteral("file_save"))->setIcon(StudioIcon(VyStudioIcon::kSave));
    Command(QStringLiteral("edit_cut"))->setIcon(StudioIcon(VyStudioIcon::kCut));
    Command(QStringLiteral("edit_copy"))->setIcon(StudioIcon(VyStudioIcon::kCopy));
    Command(QStringLiteral("edit_paste"))->setIcon(StudioIcon(VyStudioIcon::kPaste));
    Command(QStringLiteral("tool_source"))->setIcon(StudioIcon(VyStudioIcon::kSource));
    Command(QStringLiteral("tool_lcd_options"))->setIcon(StudioIcon(VyStudioIcon::kLcdOptions));
    Command(QStringLiteral("tool_serial"))->setIcon(StudioIcon(VyStudioIcon::kSerial));
    Command(QStringLiteral("file_template_load"))->setIcon(StudioIcon(VyStudioIcon::kTemplate));
    Command(QStringLiteral("help_about"))->setIcon(StudioIcon(VyStudioIcon::kAbout));
    // The status text, then the tool tip.
    Command(QStringLiteral("tool_source"))
        ->setStatusTip(tr("그래픽 데이터를 가지고 프로그램 소스를 생성합니다. "));
    Command(QStringLiteral("tool_source"))->setToolTip(tr("프로그램 소스 생성"));
    Command(QStringLiteral("edit_tab"))->setStatusTip(tr("근거리의 객체를 선택합니다"));
    Command(QStringLiteral("edit_tab"))->setToolTip(tr("근거리 객체 선택"));
}

// Menus and tool bars alike: a null name is a separator.
template <typename Bar>
void CMainFrame::AddCommands(Bar* bar, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (name == nullptr) {
            bar->addSeparator();
        } else {
            bar->addAction(Command(QString::fromLatin1(name)));
        }
    }
}

void CMainFrame::CreateMenus() {
    const auto add = [this](QMenu* menu, std::initializer_list<const char*> names) {
        AddCommands(menu, names);
    };
    QMenu* file = menuBar()->addMenu(tr("파일(&F)"));
    add(file, {"file_new", "file_open", "file_save", "file_save_as", nullptr, "file_template_load",
               "file_template_save", nullptr, "file_export_png", nullptr});
    m_recentMenu = file->addMenu(tr("최근 파일"));
    add(file, {nullptr, "file_exit"});
    QMenu* edit = menuBar()->addMenu(tr("편집(&E)"));
    add(edit, {"edit_undo", "edit_redo", nullptr, "edit_cut", "edit_copy", "edit_paste",
               "edit_delete", nullptr, "edit_tab", "edit_select_all"});
    QMenu* tools = menuBar()->addMenu(tr("도구(&T)"));
    add(tools, {"tool_resend", "tool_send_changes", nullptr, "tool_lcd_options", "tool_serial",
                nullptr, "tool_grid", "tool_grid_settings", nullptr, "tool_source"});
    QMenu* view = menuBar()->addMenu(tr("보기(&V)"));
    add(view, {"view_zoom_in", "view_zoom_out", "view_zoom_fit", "view_zoom_one", nullptr,
               "view_100", "view_200", nullptr, "view_module_preview", nullptr});
    QAction* screen = m_lcdDock->toggleViewAction();
    screen->setText(tr("LCD 화면"));
    view->addAction(screen);
    QAction* objects = m_objectListDock->toggleViewAction();
    objects->setText(tr("객체 목록"));
    view->addAction(objects);
    view->addSeparator();
    CreateLanguageMenu(view);
    QMenu* help = menuBar()->addMenu(tr("도움말(&H)"));
    add(help, {"help_manual", nullptr, "help_about"});
    for (QMenu* menu : {file, edit, tools, view, help}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    }
    RefreshRecentFiles();
}

// Named in both languages, so it is found whichever is in use; the change
// applies from the next start.
void CMainFrame::CreateLanguageMenu(QMenu* view) {
    QMenu* menu = view->addMenu(QStringLiteral("언어 / Language"));
    auto* group = new QActionGroup(menu);
    const VyUiLanguage current = ReadUiLanguage(m_folders.PubIniPath());
    const std::pair<VyUiLanguage, QString> choices[] = {
        {VyUiLanguage::kSystem, tr("시스템 언어 따름")},
        {VyUiLanguage::kKorean, QStringLiteral("한국어")},
        {VyUiLanguage::kEnglish, QStringLiteral("English")}};
    for (const auto& [language, label] : choices) {
        QAction* action = menu->addAction(label);
        action->setObjectName(QStringLiteral("language_%1").arg(static_cast<int>(language)));
        action->setCheckable(true);
        action->setChecked(language == current);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] {
            WriteUiLanguage(m_folders.PubIniPath(), language);
            ShowNotice(tr("언어 설정은 다음에 시작할 때 적용됩니다."), QString(), this);
        });
    }
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = addToolBar(tr("기본 도구 모음"));
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setIconSize(QSize(16, 15));
    bar->setMovable(false);
    AddCommands(bar, {"file_new", "file_open", "file_save", nullptr, "edit_cut", "edit_copy",
                      "edit_paste", nullptr, "tool_source", "tool_lcd_options", "tool_serial",
                      "file_template_load", "help_about"});
}

void CMainFrame::RefreshRecentFiles() {
    if (m_recentMenu == nullptr) {
        return;
    }
    m_recentMenu->clear();
    const QStringList recent = m_document->RecentFiles();
    for (int i = 0; i < recent.size(); ++i) {
        QAction* action = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(recent.at(i)).fileName()));
        action->setToolTip(recent.at(i));
        connect(action, &QAction::triggered, this, [this, i] { m_document->OpenRecent(i); });
    }
    m_recentMenu->setEnabled(!recent.isEmpty());
}

// The file's name first, where a task bar shows it; "*" while modified.
void CMainFrame::RefreshTitle() {
    const QString path = m_document->Path();
    const QString name = path.isEmpty() ? tr("제목 없음") : QFileInfo(path).fileName();
    setWindowTitle(name + QStringLiteral("[*] - ") + ProductTitle());
    setWindowModified(m_document->IsModified());
}

void CMainFrame::UpdateCommands() {
    if (!m_started) {
        return;
    }
    const CVylCanvasCore& core = Core();
    const bool selected = core.Selection().GetEverySelCount() > 0;
    const auto enable = [this](const char* name, bool on) {
        Command(QString::fromLatin1(name))->setEnabled(on);
    };
    enable("file_save", m_document->IsModified());
    enable("file_template_save", core.Selection().GetChiefSelectedObj() != nullptr);
    enable("edit_undo", core.History().IsUndoable());
    enable("edit_redo", core.History().IsRedoable());
    enable("edit_cut", selected);
    enable("edit_copy", selected);
    enable("edit_delete", selected);
    enable("edit_paste", core.Clipboard().GetCount() > 0);
    enable("edit_tab", core.Selection().GetChiefSelectedObj() != nullptr);
    // Select all is for when nothing is selected too.
    enable("edit_select_all", core.Group().GetCount() > 0);
    Command(QStringLiteral("tool_grid"))->setChecked(core.Grid().GetGridInt("use_grid", 0) != 0);
    Command(QStringLiteral("tool_send_changes"))
        ->setChecked(m_view->Editor().Link().IsSendOnlyChanges());
}

void CMainFrame::OnBackupTick() {
    // The first tick comes too early to be worth a backup.
    if (m_firstBackupTick) {
        m_firstBackupTick = false;
        return;
    }
    Core().CommitPendingEdits();
    if (m_document->IsModified()) {
        m_folders.EnsureBinDataFolder();
        m_document->WriteBackup();
    }
}

void CMainFrame::OnStartupTick() {
    m_startupTimer.stop();
    const std::string pub = m_folders.PubIniPath();
    if (ReadRunCount(pub) == 0) {
        OpenManual();
    }
    IncrementRunCount(pub);
    const QString startupFile = std::exchange(m_startupFile, QString());
    if (!m_document->RestoreBackup()) {
        if (!startupFile.isEmpty()) {
            m_document->Open(startupFile);
        }
        return;
    }
    // The recovered work is untitled: the file named at start stays as it
    // is, unopened, until the user has decided about the recovered work.
    if (!startupFile.isEmpty()) {
        m_view->MessageLine().ShowText(
            kNoticeColour, tr("복구한 작업을 먼저 열었습니다. %1 파일은 열지 않았습니다.")
                               .arg(QFileInfo(startupFile).fileName()));
    }
}

void CMainFrame::OpenAtStart(const QString& path) {
    if (m_document->HasBackup()) {
        m_startupFile = path;
        return;
    }
    m_document->Open(path);
}

// The guide of the interface's language from the text data folder, put
// there from the installation the first time, in the studio's own window;
// when its button finds no desktop viewer, the message line says where the
// file is.
void CMainFrame::OpenManual() {
    const bool english = EnglishIsActive();
    const QString path = QString::fromStdString(m_folders.ManualTxtPath(english));
    if (!QFileInfo::exists(path)) {
        QFile::copy(QString::fromStdString(m_folders.ShippedManualPath(english)), path);
    }
    auto* guide = findChild<CGuideWindow*>();
    if (guide == nullptr) {
        guide = new CGuideWindow(this);
        connect(guide, &CGuideWindow::viewerFailed, this, [this](const QString& file) {
            m_view->MessageLine().ShowText(kNoticeColour,
                                           tr("사용설명서는 여기에 있습니다: %1").arg(file));
        });
    }
    guide->ShowGuide(path);
}

// The screen a module shows after the drawing's full update, drawn by a
// fresh virtual module whatever port is in use.
void CMainFrame::ExportLcdPng() {
    const VyPngExport target = StudioPrompts().askPngExport(this);
    if (target.path.isEmpty()) {
        return;
    }
    VyByteArray bytes;
    VyLengthArray lengths;
    BuildFullLcdUpdate(Core().DeviceContext(), Core().Group(), bytes, lengths);
    const CVylLcdFrame screen = ScreenOfCommands(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        &CVylUnifont::System());
    if (!WriteFramePng(screen, QFile::encodeName(target.path).toStdString(), target.scale)) {
        ShowNotice(tr("PNG 파일을 저장할 수 없습니다: %1").arg(target.path), QString(), this);
        return;
    }
    m_view->MessageLine().ShowText(kNoticeColour,
                                   tr("LCD 화면을 저장했습니다: %1").arg(target.path));
}

void CMainFrame::OnViewScale(int scale) {
    CVylCanvas& canvas = m_view->Canvas();
    canvas.ZoomToFit();
    const QSize wanted = WindowSizeForScale(scale, size(), canvas.size(), LcdSize());
    const QSize room = RoomForWindow();
    ResizeOnScreen(room.isEmpty() ? wanted : wanted.boundedTo(room));
    // Where the screen is too small the LCD still shows at the scale asked,
    // with scroll bars.
    if (!room.isEmpty() && (wanted.width() > room.width() || wanted.height() > room.height())) {
        canvas.ZoomTo(scale);
    }
}

// An edit box with the focus keeps Delete and Ctrl+A for its own text: the
// key is handed to it instead of the drawing.
bool CMainFrame::PassToEditBox(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    const auto* line = qobject_cast<QLineEdit*>(focus);
    const bool editing = (line != nullptr && !line->isReadOnly()) ||
                         qobject_cast<QAbstractSpinBox*>(focus) != nullptr ||
                         qobject_cast<QPlainTextEdit*>(focus) != nullptr ||
                         qobject_cast<QTextEdit*>(focus) != nullptr;
    if (!editing) {
        return false;
    }
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(focus, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(focus, &release);
    return true;
}

QSize CMainFrame::LcdSize() const {
    const CVylDeviceContext& dc = m_view->Canvas().Core().DeviceContext();
    return {dc.GetInt(kKeyResolutionX, 320), dc.GetInt(kKeyResolutionY, 240)};
}

// The inner size the screen's available area leaves; empty without a screen.
QSize CMainFrame::RoomForWindow() const {
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return {};
    }
    const QRect frame = frameGeometry();
    return screen->availableGeometry().size() -
           QSize(frame.width() - width(), frame.height() - height());
}

// Worked out from the size asked for: a window manager may resize later.
void CMainFrame::ResizeOnScreen(QSize inner) {
    resize(inner);
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect room = screen->availableGeometry();
    const QRect frame = frameGeometry();
    const QSize whole = inner + (frame.size() - size());
    move(std::clamp(frame.left(), room.left(),
                    std::max(room.left(), room.right() - whole.width() + 1)),
         std::clamp(frame.top(), room.top(),
                    std::max(room.top(), room.bottom() - whole.height() + 1)));
}

// The first start shows every dot as a square of whole pixels, two or more
// where the screen has the room, in the middle of the screen.
void CMainFrame::OpenAtWholeScale() {
    CVylCanvas& canvas = m_view->Canvas();
    const int scale =
        LargestScaleThatFits(size(), canvas.size(), LcdSize(), RoomForWindow(), kFirstStartScale);
    if (scale == 0) {
        return;
    }
    const QSize inner = WindowSizeForScale(scale, size(), canvas.size(), LcdSize());
    resize(inner);
    if (const QScreen* screen = this->screen()) {
        const QSize whole = inner + (frameGeometry().size() - size());
        move(screen->availableGeometry().center() - QPoint(whole.width(), whole.height()) / 2);
    }
    canvas.ZoomTo(scale);
}

// Always the whole screen, and a port that went away is tried at once.
void CMainFrame::Resend() {
    CVyeEditor& editor = m_view->Editor();
    editor.StatusStrip().TryToReconnect(true);
    editor.Link().RequestResend();
    m_view->Canvas().OnAgain(1, 1, 1, 1, 1, 1);
    m_view->Canvas().repaint();
}

void CMainFrame::ToggleSendOnlyChanges() {
    CVylMSComm& link = m_view->Editor().Link();
    link.SetSendOnlyChanges(!link.IsSendOnlyChanges());
    WriteProfileInt(m_folders.PubIniPath(), kLcdSection, kSendChangesKey,
                    link.IsSendOnlyChanges() ? 1 : 0);
    UpdateCommands();
}

void CMainFrame::ToggleGrid() {
    CVylGridSystem& grid = Core().Grid();
    grid.SetGridInt("use_grid", grid.GetGridInt("use_grid", 0) != 0 ? 0 : 1);
    m_view->Canvas().OnAgain(1, 0, 0, 0, 0, 0);
    UpdateCommands();
}

void CMainFrame::RestoreWindowState() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    const VyWindowState state = ClampWindowState(
        ReadWindowState(m_folders.PubIniPath(), available.width(), available.height()),
        available.width(), available.height());
    move(state.x, state.y);
    resize(state.cx, state.cy);
}

// As RestoreWindowState places it: the frame's corner and the inner size.
void CMainFrame::SaveWindowState() const {
    WriteWindowState(m_folders.PubIniPath(), {x(), y(), width(), height()});
}

// The drawing comes first: beside a narrow window the module's screen floats
// where the screen has room (over the window's edge when it has none);
// docked, it starts at its own size.
void CMainFrame::PlaceLcdDock() {
    const QSize natural = m_lcdDock->OneToOneSize();
    if (width() - natural.width() >= kRoomyCanvasWidth) {
        resizeDocks({m_lcdDock}, {natural.width()}, Qt::Horizontal);
        return;
    }
    const QScreen* screen = this->screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : frameGeometry();
    const QRect frame = frameGeometry();
    int left = frame.right() + 1;
    if (left + natural.width() - 1 > available.right()) {
        left = frame.left() - natural.width() >= available.left()
                   ? frame.left() - natural.width()
                   : std::max(available.left(), available.right() - natural.width() + 1);
    }
    m_lcdDock->setFloating(true);
    m_lcdDock->setGeometry(QRect(QPoint(left, frame.top()), natural));
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_lcdDock != nullptr && !m_lcdDockPlaced) {
        m_lcdDockPlaced = true;
        if (ReadRunCount(m_folders.PubIniPath()) == 0) {
            OpenAtWholeScale();
        }
        PlaceLcdDock();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_started && !m_document->SaveModified()) {
        event->ignore();
        return;
    }
    SaveWindowState();
    event->accept();
    // The program ends with its main window: tool windows go with it.
    for (QWidget* other : QApplication::topLevelWidgets()) {
        if (other != this && other->isVisible()) {
            other->close();
        }
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (m_started && !urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        // Asked once the drag is over: a question inside the drop would
        // hold the program the file came from.
        const QString path = urls.first().toLocalFile();
        QMetaObject::invokeMethod(
            this, [this, path] { m_document->OpenDropped(path); }, Qt::QueuedConnection);
    }
}
