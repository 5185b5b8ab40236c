// CMainFrame: the studio's main window: the menus and the tool bar, the
// view with the editor, the LCD screen and object list windows, the
// automatic backup, the first-run manual and the recovery after an abnormal
// end, the window's place kept between runs and files dropped on it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <map>
#include <string>

#include "app/settings/data_folders.h"
#include "app/studio/lcd_screen_dock.h"
#include "app/studio/object_list_dock.h"
#include "app/studio/studio_document.h"
#include "app/studio/studio_view.h"

struct VyStudioOptions {
    // The backup tick; the product's is a minute (VYLCD_BACKUP_PERIOD_MS
    // shortens it for tests).
    int backupPeriodMs = 60000;
    // The delay of the first-run manual and the recovery after start.
    int startupDelayMs = 1400;

    // The product's options, with the documented opt-in of the environment.
    static VyStudioOptions FromEnvironment();
};

class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    CMainFrame(const CVYSDataFolders& folders, const VyStudioOptions& options,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Starts the editor; false when the user gave up on the serial settings
    // (the program then ends).
    bool Start();

    CVYSView& View() { return *m_view; }
    CVYSDoc& Document() { return *m_document; }
    CLcdScreenDock& LcdDock() { return *m_lcdDock; }
    CObjectListDock& ObjectListDock() { return *m_objectListDock; }
    // A menu or tool bar command by its name ("file_new", "edit_undo"...).
    QAction* Command(const QString& name) const;

    // The timers' work (public so that tests need not wait).
    void OnBackupTick();
    void OnStartupTick();
    // The file named on the command line: opened at once, or after the
    // recovery when unsaved work is to be recovered first (then the
    // recovered work is shown and the file is left unopened).
    void OpenAtStart(const QString& path);
    // The view scale: the window grows so the canvas shows the LCD at s times.
    void OnViewScale(int scale);
    // Refreshes which commands are enabled and checked.
    void UpdateCommands();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateCommands();
    void CreateMenus();
    void CreateToolBar();
    void CreateLanguageMenu(QMenu* view);
    template <typename Bar>
    void AddCommands(Bar* bar, std::initializer_list<const char*> names);
    QAction* AddCommand(const QString& name, const QString& label,
                        const std::function<void()>& run);
    void RefreshRecentFiles();
    void OpenManual();
    void ExportLcdPng();
    void PlaceLcdDock();
    // The LCD in dots, the room the screen leaves, and a new inner size
    // with the window moved back onto the screen where it would run over.
    QSize LcdSize() const;
    bool PassToEditBox(int key, Qt::KeyboardModifiers modifiers);
    QSize RoomForWindow() const;
    void ResizeOnScreen(QSize inner);
    void OpenAtWholeScale();
    void RestoreWindowState();
    void SaveWindowState() const;
    void Resend();
    void ToggleSendOnlyChanges();
    void RefreshTitle();
    void ToggleGrid();
    CVylCanvasCore& Core();

    const CVYSDataFolders& m_folders;
    VyStudioOptions m_options;
    CVYSView* m_view = nullptr;
    CVYSDoc* m_document = nullptr;
    CLcdScreenDock* m_lcdDock = nullptr;
    CObjectListDock* m_objectListDock = nullptr;
    QMenu* m_recentMenu = nullptr;
    std::map<QString, QAction*> m_commands;
    QTimer m_backupTimer;
    QTimer m_startupTimer;
    bool m_firstBackupTick = true;
    bool m_started = false;
    bool m_lcdDockPlaced = false;
    QString m_startupFile;
};
