#include "editor/document/profile_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "editor/tree/revolver.h"
#include "tests/support/temp_folder.h"

namespace {

class ProfileFile : public ::testing::Test {
  protected:
    void Put(const std::string& text) const { std::ofstream(m_path, std::ios::binary) << text; }
    std::string Get() const {
        CRevolver bytes;
        bytes.LoadFromFile(m_path);
        return bytes.ToString();
    }

    VyTempFolder m_temp;
    const std::string m_folder = m_temp.Path();
    const std::string m_path = m_temp.File("pub.ini");
};

TEST_F(ProfileFile, MissingFileOrKeyGivesDefaults) {
    EXPECT_EQ(ReadProfileString(m_path, "stat", "exec_count", "0"), "0");
    EXPECT_EQ(ReadProfileInt(m_path, "stat", "exec_count", 7), 7);
}

TEST_F(ProfileFile, RewriteKeepsOtherLinesAndWritesCrlf) {
    Put("; kept\r\n[Stat]\nExec_Count = 4\n\n[other]\nname=\xB0\xA1\xB3\xAA\njunk line\n");
    EXPECT_EQ(ReadProfileString(m_path, "OTHER", "NAME", ""), "\xB0\xA1\xB3\xAA");
    EXPECT_EQ(ReadProfileInt(m_path, "STAT", "exec_count", 0), 4);
    EXPECT_EQ(WriteProfileInt(m_path, "stat", "exec_count", 5), 1);
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

}  // namespace
