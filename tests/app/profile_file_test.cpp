#include "app/settings/profile_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "editor/tree/revolver.h"

namespace fs = std::filesystem;

namespace {

class ProfileFile : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = ::testing::TempDir() + "vy_profile_" + std::to_string(::getpid());
        fs::create_directories(m_folder);
        m_path = m_folder + "/pub.ini";
    }
    void TearDown() override { fs::remove_all(m_folder); }
    void Put(const std::string& text) const { std::ofstream(m_path, std::ios::binary) << text; }
    std::string Get() const {
        CRevolver bytes;
        bytes.LoadFromFile(m_path);
        return bytes.ToString();
    }

    std::string m_folder;
    std::string m_path;
};

TEST_F(ProfileFile, MissingFileOrKeyGivesDefaults) {
    EXPECT_EQ(ReadProfileString(m_path, "stat", "exec_count", "0"), "0");
    EXPECT_EQ(ReadRunCount(m_path), 0);
    EXPECT_EQ(ReadWindowState(m_path, 1920, 1080), (VyWindowState{480, 270, 960, 540}));
    Put("[wnd_state]\ncx=700\n");
    EXPECT_EQ(ReadWindowState(m_path, 1920, 1080), (VyWindowState{480, 270, 700, 540}));
    EXPECT_EQ(WriteWindowState(m_path, {10, 20, 800, 600}), 1);
    EXPECT_EQ(ReadWindowState(m_path, 1920, 1080), (VyWindowState{10, 20, 800, 600}));
}

TEST_F(ProfileFile, RewriteKeepsOtherLinesAndWritesCrlf) {
    Put("; kept\r\n[Stat]\nExec_Count = 4\n\n[other]\nname=\xB0\xA1\xB3\xAA\njunk line\n");
    EXPECT_EQ(ReadProfileString(m_path, "OTHER", "NAME", ""), "\xB0\xA1\xB3\xAA");
    EXPECT_EQ(ReadRunCount(m_path), 4);
    EXPECT_EQ(IncrementRunCount(m_path), 1);
    EXPECT_EQ(WriteProfileString(m_path, "stat", "added", "x"), 1);
    EXPECT_EQ(WriteProfileInt(m_path, "wnd_state", "x", -3), 1);
    EXPECT_EQ(
        Get(),
        "; kept\r\n[Stat]\r\nExec_Count=5\r\nadded=x\r\n\r\n[other]\r\nname=\xB0\xA1\xB3\xAA\r\n"
        "junk line\r\n[wnd_state]\r\nx=-3\r\n");
    EXPECT_EQ(ReadProfileInt(m_path, "wnd_state", "x", 0), -3);
}

TEST_F(ProfileFile, FailedWriteReturnsZeroAndKeepsTheFile) {
    EXPECT_EQ(WriteProfileString(m_folder + "/none/pub.ini", "stat", "exec_count", "1"), 0);
    Put("[stat]\nexec_count=2\n");
    EXPECT_EQ(WriteProfileString(m_folder, "stat", "exec_count", "1"), 0);
    EXPECT_EQ(Get(), "[stat]\nexec_count=2\n");
}

// A value or name that would add or cut lines is refused, and the file
// stays as it was: a file name may hold a line break.
TEST_F(ProfileFile, NamesAndValuesNeverChangeTheLines) {
    Put("[stat]\nexec_count=2\n");
    EXPECT_EQ(WriteProfileString(m_path, "recent", "file1", "/home/u/a\n[stat]\nexec_count=9"), 0);
    EXPECT_EQ(WriteProfileString(m_path, "recent", "a=b", "x"), 0);
    EXPECT_EQ(WriteProfileString(m_path, "recent", ";note", "x"), 0);
    EXPECT_EQ(WriteProfileString(m_path, "re]cent", "file1", "x"), 0);
    EXPECT_EQ(WriteProfileString(m_path, "recent", "file\r1", "x"), 0);
    EXPECT_EQ(Get(), "[stat]\nexec_count=2\n");
}

// Letters match in either case, but two Hangul names whose second bytes
// differ only as ASCII letters would are different names.
TEST_F(ProfileFile, DoubleByteNamesAreNeverFolded) {
    Put("[s]\n\x81\x41=one\nKey=two\n");
    EXPECT_EQ(ReadProfileString(m_path, "s", "\x81\x61", "none"), "none");
    EXPECT_EQ(ReadProfileString(m_path, "s", "\x81\x41", "none"), "one");
    EXPECT_EQ(ReadProfileString(m_path, "S", "KEY", "none"), "two");
}

TEST_F(ProfileFile, OneTimeNoticeIsTakenOnce) {
    EXPECT_TRUE(TakeOneTimeNotice(m_path, "tabbrowsing"));
    EXPECT_FALSE(TakeOneTimeNotice(m_path, "tabbrowsing"));
    EXPECT_TRUE(TakeOneTimeNotice(m_path, "dottedcircle"));
    EXPECT_EQ(Get(), "[gen]\r\ntabbrowsing=1\r\ndottedcircle=1\r\n");
}

TEST(WindowClamp, KeepsTheWindowOnScreen) {
    EXPECT_EQ(ClampWindowState({-50, -1, 100, 100}, 1920, 1080), (VyWindowState{0, 0, 330, 330}));
    EXPECT_EQ(ClampWindowState({1800, 900, 5000, 5000}, 1920, 1080),
              (VyWindowState{1490, 650, 1890, 1050}));
    EXPECT_EQ(ClampWindowState({5, 5, 100, 100}, 300, 300), (VyWindowState{-130, -130, 270, 270}));
    // No screen known yet: nothing to clamp to; a tiny one leaves a window.
    EXPECT_EQ(ClampWindowState({5, 5, 800, 600}, 0, 0), (VyWindowState{5, 5, 800, 600}));
    EXPECT_EQ(ClampWindowState({5, 5, 800, 600}, 20, 20), (VyWindowState{-410, -410, 1, 1}));
}

}  // namespace
