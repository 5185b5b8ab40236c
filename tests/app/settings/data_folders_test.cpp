#include "app/settings/data_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class DataFolders : public ::testing::Test {
  protected:
    VyProgramEnv Env(const std::string& program) const {
        return {m_base + program, [vars = m_vars](const std::string& name) {
                    const auto it = vars.find(name);
                    return it == vars.end() ? std::string() : it->second;
                }};
    }

    VyTempFolder m_folder;
    const std::string m_base = m_folder.Path() + "/";
    std::map<std::string, std::string> m_vars;
};

TEST_F(DataFolders, FoldersHangOffTheProgramFolder) {
    const CVYSDataFolders folders(Env("x/A/bin/"));
    const std::string txt = m_base + "x/A/bin/../global_data/txt";
    EXPECT_EQ(folders.GetFolder("global_txt_data"), txt);
    EXPECT_EQ(folders.GetFolder("global_tmp_data"), "");
    EXPECT_EQ(folders.DefaultTemplateFolder(), m_base + "x/A/bin/../template/sys100");
    EXPECT_EQ(folders.ShippedTemplateFolder(), folders.DefaultTemplateFolder());
    EXPECT_FALSE(fs::exists(txt));
    EXPECT_EQ(folders.GridCfgPath(), txt + "/grid.cfg");
    EXPECT_TRUE(fs::is_directory(m_base + "x/A/global_data/txt"));
    EXPECT_EQ(folders.GetFolder("global_bin_data") + "/auto_backup.vyd", folders.AutoBackupPath());
    EXPECT_FALSE(fs::exists(m_base + "x/A/global_data/bin"));
    EXPECT_EQ(folders.EnsureBinDataFolder(), 1);
    EXPECT_TRUE(fs::is_directory(m_base + "x/A/global_data/bin"));
}

// An installation keeps what it ships under share/vylcd-studio.
TEST_F(DataFolders, ShippedDataOfAnInstallation) {
    fs::create_directories(m_base + "usr/share/vylcd-studio");
    fs::create_directories(m_base + "usr/bin");
    m_vars["VYLCD_DATA_ROOT"] = m_base + "home/data";
    const CVYSDataFolders folders(Env("usr/bin/"));
    EXPECT_EQ(folders.ShippedTemplateFolder(),
              m_base + "usr/bin/../share/vylcd-studio/template/sys100");
    EXPECT_EQ(folders.ShippedManualPath(),
              m_base + "usr/bin/../share/vylcd-studio/global_data/txt/manual.txt");
    EXPECT_EQ(folders.ShippedManualPath(true),
              m_base + "usr/bin/../share/vylcd-studio/global_data/txt/manual_en.txt");
    EXPECT_EQ(folders.DefaultTemplateFolder(), m_base + "home/data/template/sys100");
    // Even a writable installation keeps the user's files in the user's folder.
    m_vars.erase("VYLCD_DATA_ROOT");
    m_vars["XDG_DATA_HOME"] = m_base + "xdg";
    const CVYSDataFolders user(Env("usr/bin/"));
    EXPECT_EQ(user.DataRoot(), m_base + "xdg/vylcd-studio/");
    // A build tree ships beside the program's folder.
    const CVYSDataFolders build(Env("build/app/"));
    EXPECT_EQ(build.ShippedManualPath(), m_base + "build/app/../global_data/txt/manual.txt");
    EXPECT_EQ(build.ManualTxtPath(true), build.GetFolder("global_txt_data") + "/manual_en.txt");
}

TEST_F(DataFolders, EnvironmentOverridesTheRoot) {
    m_vars["VYLCD_DATA_ROOT"] = m_base + "portable";
    const CVYSDataFolders folders(Env("A/bin/"));
    EXPECT_EQ(folders.CommCfgPath(), m_base + "portable/global_data/txt/comm.cfg");
    EXPECT_EQ(folders.ShippedTemplateFolder(), m_base + "A/bin/../template/sys100");
}

TEST_F(DataFolders, ReadOnlyInstallationFallsBackToUserFolder) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write into read-only folders";
    }
    fs::create_directories(m_base + "usr/bin");
    ::chmod((m_base + "usr").c_str(), 0555);
    m_vars["HOME"] = m_base + "home";
    EXPECT_EQ(CVYSDataFolders(Env("usr/bin/")).DataRoot(),
              m_base + "home/.local/share/vylcd-studio/");
    m_vars["XDG_DATA_HOME"] = m_base + "xdg";
    const CVYSDataFolders folders(Env("usr/bin/"));
    EXPECT_EQ(folders.GetFolder("global_txt_data"), m_base + "xdg/vylcd-studio/global_data/txt");
    EXPECT_EQ(folders.ShippedTemplateFolder(), m_base + "usr/bin/../template/sys100");
    // A relative data home would move with the working folder: ignored.
    m_vars["XDG_DATA_HOME"] = "xdg";
    EXPECT_EQ(CVYSDataFolders(Env("usr/bin/")).DataRoot(),
              m_base + "home/.local/share/vylcd-studio/");
    ::chmod((m_base + "usr").c_str(), 0755);
}

TEST(ProgramEnv, CurrentIsThisTestProgramsFolder) {
    const VyProgramEnv env = VyProgramEnv::Current();
    EXPECT_TRUE(fs::exists(env.programFolder + "settings_tests"));
    EXPECT_EQ(env.getEnv("VY_SURELY_UNSET_VARIABLE"), "");
}

}  // namespace
