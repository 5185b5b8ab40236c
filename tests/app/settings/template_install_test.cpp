#include "app/settings/template_install.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editor/tree/revolver.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class TemplateInstall : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(m_base + "sys100/_folder.tpl");
        Put("sys100/_box.tpl", "box");
        Put("sys100/_line.tpl", "line");
        Put("sys100/line.tpl", "user's line");
        Put("sys100/plain.tpl", "plain");
        Put("sys100/_", "nameless");
    }
    void Put(const std::string& name, const std::string& text) const {
        std::ofstream(m_base + name, std::ios::binary) << text;
    }
    std::string Get(const std::string& name) const {
        CRevolver bytes;
        bytes.LoadFromFile(m_base + name);
        return bytes.ToString();
    }

    VyTempFolder m_folder;
    const std::string m_base = m_folder.Path() + "/";
};

TEST_F(TemplateInstall, InstallsInPlaceWithoutOverwriting) {
    EXPECT_EQ(InstallDefaultTemplates(m_base + "sys100"), 1);
    EXPECT_EQ(Get("sys100/box.tpl"), "box");
    EXPECT_FALSE(fs::exists(m_base + "sys100/_box.tpl"));
    EXPECT_EQ(Get("sys100/line.tpl"), "user's line");
    EXPECT_EQ(Get("sys100/_line.tpl"), "line");
    EXPECT_FALSE(fs::exists(m_base + "sys100/folder.tpl"));
    Put("sys100/box.tpl", "user's box");
    EXPECT_EQ(InstallDefaultTemplates(m_base + "sys100"), 0);
    EXPECT_EQ(Get("sys100/box.tpl"), "user's box");
}

TEST_F(TemplateInstall, CopiesIntoAnotherFolder) {
    EXPECT_EQ(InstallDefaultTemplates(m_base + "sys100", m_base + "user/sys100"), 2);
    EXPECT_EQ(Get("user/sys100/line.tpl"), "line");
    EXPECT_EQ(Get("sys100/_line.tpl"), "line");
    EXPECT_FALSE(fs::exists(m_base + "user/sys100/plain.tpl"));
    EXPECT_EQ(InstallDefaultTemplates(m_base + "missing", m_base + "user/sys100"), 0);
}

}  // namespace
