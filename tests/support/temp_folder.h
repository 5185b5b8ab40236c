// A fresh folder of the test's own, removed with everything in it at the end.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

class VyTempFolder {
  public:
    VyTempFolder() {
        std::string pattern = ::testing::TempDir() + "vy_test_XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot make a temporary folder from " << pattern;
        }
        m_path = pattern;
    }
    ~VyTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    VyTempFolder(const VyTempFolder&) = delete;
    VyTempFolder& operator=(const VyTempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // The path of a file (or folder) in it.
    std::string File(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};
