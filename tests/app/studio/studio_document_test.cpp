// The studio's document steps driven through its commands: open, draw, save,
// reopen; the save prompt; dropped files; unreadable projects; the backup.
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "editor/tree/atomic_file.h"
#include "editor/tree/value_tree.h"
#include "tests/app/studio/studio_fixture.h"

namespace {

const QString kRestored =
    QStringLiteral("알림: 비정상 종료로 인해 저장되지 않았던 작업을 복구합니다.");

}  // namespace

class StudioDocument : public StudioFixture {};

TEST_F(StudioDocument, DrawingReachesTheModuleAndSurvivesSaveAndReopen) {
    StartWindow();
    MakeRoomy();
    ASSERT_TRUE(window->Document().Open(sample));
    EXPECT_FALSE(window->Document().IsModified());
    ASSERT_TRUE(WaitLinkIdle(Link()));
    EXPECT_FALSE(VirtualModuleScreen(Link()).GetDot(130, 105));

    const size_t objects = Core().Group().GetCount();
    DrawBox();
    EXPECT_EQ(Core().Group().GetCount(), objects + 1);
    EXPECT_TRUE(window->Document().IsModified());
    ASSERT_TRUE(WaitLinkIdle(Link()));
    EXPECT_TRUE(VirtualModuleScreen(Link()).GetDot(130, 105));
    EXPECT_TRUE(VirtualModuleScreen(Link()).GetDot(110, 115));
    EXPECT_FALSE(VirtualModuleScreen(Link()).GetDot(130, 115));
    // The LCD window shows the module's dots as they are.
    window->LcdDock().Refresh();
    const QImage screen = window->LcdDock().Screen();
    EXPECT_NE(screen.pixel(130, 105), screen.pixel(130, 115));

    savePath = QString::fromStdString(root.File("saved.vyd"));
    Trigger("file_save_as");
    ASSERT_TRUE(Exists(savePath.toStdString()));
    EXPECT_FALSE(window->Document().IsModified());
    // The title names the file, and marks it while it is modified.
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("saved.vyd[*] - VYLCD")))
        << window->windowTitle().toStdString();
    EXPECT_FALSE(window->isWindowModified());
    DrawBox();
    EXPECT_TRUE(window->isWindowModified());
    Trigger("edit_undo");
    Trigger("file_save");
    EXPECT_FALSE(window->isWindowModified());
    const std::string history = History();

    Trigger("file_new");
    EXPECT_EQ(saveAsks, 0);
    EXPECT_EQ(Core().Group().GetCount(), 0u);
    openPath = savePath;
    Trigger("file_open");
    EXPECT_EQ(History(), history);
    EXPECT_FALSE(window->Document().IsModified());
    EXPECT_EQ(window->Document().RecentFiles().first(), savePath);
    EXPECT_TRUE(notices.isEmpty()) << notices.join(QLatin1Char('\n')).toStdString();
}

TEST_F(StudioDocument, ModifiedWorkIsAskedAboutBeforeItGoes) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    window->Document().WriteBackup();
    const std::string backup = folders->AutoBackupPath();
    ASSERT_TRUE(Exists(backup));

    saveAnswer = VySaveAnswer::kCancel;
    Trigger("file_new");
    Trigger("file_open");
    EXPECT_FALSE(window->close());
    EXPECT_EQ(saveAsks, 3);
    EXPECT_EQ(Core().Group().GetCount(), 1u);
    EXPECT_TRUE(Exists(backup)) << "cancelled work keeps its backup";

    // "Yes" saves first; without a path that is "save as".
    saveAnswer = VySaveAnswer::kYes;
    savePath = QString::fromStdString(root.File("kept.vyd"));
    Trigger("file_new");
    EXPECT_EQ(saveAsks, 4);
    EXPECT_TRUE(Exists(savePath.toStdString()));
    EXPECT_EQ(Core().Group().GetCount(), 0u);
    EXPECT_FALSE(Exists(backup));

    DrawBox();
    saveAnswer = VySaveAnswer::kNo;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(saveAsks, 5);
}

TEST_F(StudioDocument, DroppedFileOpensOnceTheWorkIsDecidedAbout) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(sample)});
    // Dropped on the canvas, which leaves projects to the window; the drop
    // goes where the drag was taken.
    CVylCanvas* canvas = &window->View().Canvas();
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &drop);
    EXPECT_EQ(saveAsks, 0) << "asked once the drop is over";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(saveAsks, 1);
    EXPECT_GT(Core().Group().GetCount(), 1u);
    EXPECT_FALSE(window->Document().IsModified());
    // Saving then writes to the dropped file, never over another one.
    EXPECT_EQ(window->Document().Path(), sample);
}

TEST_F(StudioDocument, UnreadableProjectKeepsTheDrawing) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    const std::string history = History();

    const std::string broken = root.File("broken.vyd");
    ASSERT_TRUE(WriteFileAtomically(broken, "not a project"));
    EXPECT_FALSE(window->Document().Open(QString::fromStdString(broken)));
    CFxAssignGroupEx newer;
    newer.SetString("internal_file_type", "vyd");
    newer.SetInt("this_ver", 130);
    newer.SetInt("min_ver", 120);
    const std::string newerPath = root.File("newer.vyd");
    ASSERT_TRUE(newer.SaveTreeToFile(newerPath));
    EXPECT_FALSE(window->Document().Open(QString::fromStdString(newerPath)));

    EXPECT_EQ(notices, QStringList({QStringLiteral("알림: 파일이 잘못되었습니다."),
                                    QStringLiteral("알림: 프로그램을 v1.20 이상으로 업데이트해야 "
                                                   "읽을 수 있는 파일입니다.")}));
    EXPECT_EQ(History(), history);
    EXPECT_TRUE(window->Document().IsModified());
}

TEST_F(StudioDocument, BackupAfterTwoTicksIsRestoredAtTheNextStart) {
    StartWindow();
    MakeRoomy();
    DrawBox();
    const std::string history = History();
    const std::string backup = folders->AutoBackupPath();
    window->OnBackupTick();
    EXPECT_FALSE(Exists(backup)) << "the first tick is skipped";
    window->OnBackupTick();
    ASSERT_TRUE(Exists(backup));

    // An abnormal end: the window goes without being closed.
    window.reset();
    options.startupDelayMs = VyStudioOptions().startupDelayMs;
    StartWindow();
    ASSERT_TRUE(WaitFor([this] { return !notices.isEmpty(); }));
    EXPECT_EQ(notices, QStringList{kRestored});
    EXPECT_EQ(History(), history);
    // Recovered work is unsaved work: untitled, and saving is offered.
    EXPECT_TRUE(window->Document().IsModified());
    EXPECT_TRUE(window->Document().Path().isEmpty());
}

TEST_F(StudioDocument, BackupPeriodCanBeShortenedThroughTheEnvironment) {
    EXPECT_EQ(VyStudioOptions::FromEnvironment().backupPeriodMs, 60000);
    qputenv("VYLCD_BACKUP_PERIOD_MS", "30");
    options = VyStudioOptions::FromEnvironment();
    qunsetenv("VYLCD_BACKUP_PERIOD_MS");
    ASSERT_EQ(options.backupPeriodMs, 30);
    options.startupDelayMs = 3600000;
    StartWindow();
    MakeRoomy();
    EXPECT_FALSE(Exists(folders->AutoBackupPath())) << "nothing to back up yet";
    DrawBox();
    EXPECT_TRUE(WaitFor([this] { return Exists(folders->AutoBackupPath()); }));
}
