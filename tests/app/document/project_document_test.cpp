#include "app/document/project_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/tree/code_page.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class ProjectDocument : public ::testing::Test {
  protected:
    void SetUp() override { m_backup = m_folder.File("bin/auto_backup.vyd"); }

    void Edit(CVYSProjectDocument& document, int32_t uid) {
        m_history.AddEditAction(CVylEditAction::Create(uid, 2, {0, 0, 10000, 10000}, {}));
        document.SetModified(true);
    }

    VyTempFolder m_folder;
    std::string m_backup;
    CVylEditActionGroup m_history;
};

TEST_F(ProjectDocument, OnlyASuccessfulSaveClearsTheModifiedFlagAndTheBackup) {
    CVYSProjectDocument document(m_history, m_backup);
    Edit(document, 0);
    ASSERT_TRUE(document.WriteBackup());
    ASSERT_TRUE(fs::exists(m_backup));

    const VyDocumentResult failed = document.Save(m_folder.File("missing/work.vyd"));
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message, Utf8ToCp949("파일을 저장할 수 없습니다."));
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(fs::exists(m_backup));
    EXPECT_EQ(document.GetPath(), "");

    const std::string path = m_folder.File("work.vyd");
    ASSERT_TRUE(document.Save(path).ok);
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(fs::exists(m_backup));
    EXPECT_EQ(document.GetPath(), path);
    EXPECT_FALSE(document.WriteBackup());
}

TEST_F(ProjectDocument, AFailedOpenKeepsThePreviousWork) {
    CVYSProjectDocument document(m_history, m_backup);
    Edit(document, 0);
    Edit(document, 1);
    CFxAssignGroupEx newer;
    newer.SetString("internal_file_type", "vyd");
    newer.SetInt("this_ver", 130);
    newer.SetInt("min_ver", 120);
    const std::string newerPath = m_folder.File("newer.vyd");
    ASSERT_TRUE(newer.SaveTreeToFile(newerPath));
    VyDocumentResult result = document.Open(newerPath);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              Utf8ToCp949("프로그램을 v1.20 이상으로 업데이트해야 읽을 수 있는 파일입니다."));
    EXPECT_EQ(m_history.GetCount(), 2u);

    newer.SetInt("min_ver", 100);
    newer.SetInt("action_count", 3);
    newer.SetInt("ctoc", 3);
    newer.SetInt("ctlc", 0);
    ASSERT_TRUE(newer.SaveTreeToFile(newerPath));
    result = document.Open(newerPath);
    EXPECT_EQ(result.message, Utf8ToCp949("파일이 잘못되었습니다."));
    EXPECT_EQ(m_history.GetCount(), 2u);
    EXPECT_EQ(m_history.GetObjectCounter(), 0);

    // Not even the undo position or the uid counters move.
    m_history.UndoEditAction();
    m_history.TakeObjectUid();
    const int64_t undoneTo = m_history.GetCurrentIndex();
    ASSERT_LT(undoneTo, 1);
    ASSERT_FALSE(document.Open(newerPath).ok);
    EXPECT_EQ(m_history.GetCurrentIndex(), undoneTo);
    EXPECT_EQ(m_history.GetObjectCounter(), 1);
    m_history.RedoEditAction();

    const std::string good = m_folder.File("good.vyd");
    ASSERT_TRUE(document.Save(good).ok);
    document.New();
    EXPECT_EQ(m_history.GetCount(), 0u);
    ASSERT_TRUE(document.Open(good).ok);
    EXPECT_EQ(m_history.GetCount(), 2u);
    EXPECT_EQ(document.GetPath(), good);
}

TEST_F(ProjectDocument, TheBackupRecoversUnsavedWork) {
    {
        CVYSProjectDocument before(m_history, m_backup);
        Edit(before, 0);
        ASSERT_TRUE(before.WriteBackup());
    }
    CVylEditActionGroup restarted;
    CVYSProjectDocument after(restarted, m_backup);
    const VyDocumentResult result = after.RestoreBackup();
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.message, Utf8ToCp949("비정상 종료로 인해 저장되지 않았던 작업을 복구합니다."));
    EXPECT_EQ(restarted.GetCount(), 1u);
    // Unsaved work it was, and stays: untitled and modified.
    EXPECT_TRUE(after.IsModified());
    EXPECT_TRUE(after.GetPath().empty());
    EXPECT_TRUE(after.HasBackup());
    after.DiscardBackup();
    EXPECT_FALSE(after.RestoreBackup().ok);
}

}  // namespace
