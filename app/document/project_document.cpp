#include "app/document/project_document.h"

#include <filesystem>
#include <system_error>

namespace {

// "프로그램을 " ... " 이상으로 업데이트해야 읽을 수 있는 파일입니다."
constexpr std::string_view kNeedsUpdateBefore = "\xc7\xc1\xb7\xce\xb1\xd7\xb7\xa5\xc0\xbb\x20";
constexpr std::string_view kNeedsUpdateAfter =
    "\x20\xc0\xcc\xbb\xf3\xc0\xb8\xb7\xce\x20\xbe\xf7\xb5\xa5\xc0\xcc\xc6\xae\xc7\xd8\xbe\xdf\x20"
    "\xc0\xd0\xc0\xbb\x20\xbc\xf6\x20\xc0\xd6\xb4\xc2\x20\xc6\xc4\xc0\xcf\xc0\xd4\xb4\xcf\xb4\xd9"
    "\x2e";
// "파일이 잘못되었습니다."
constexpr std::string_view kInvalidFile =
    "\xc6\xc4\xc0\xcf\xc0\xcc\x20\xc0\xdf\xb8\xf8\xb5\xc7\xbe\xfa\xbd\xc0\xb4\xcf\xb4\xd9\x2e";
// "비정상 종료로 인해 저장되지 않았던 작업을 복구합니다."
constexpr std::string_view kRecovered =
    "\xba\xf1\xc1\xa4\xbb\xf3\x20\xc1\xbe\xb7\xe1\xb7\xce\x20\xc0\xce\xc7\xd8\x20\xc0\xfa\xc0\xe5"
    "\xb5\xc7\xc1\xf6\x20\xbe\xca\xbe\xd2\xb4\xf8\x20\xc0\xdb\xbe\xf7\xc0\xbb\x20\xba\xb9\xb1\xb8"
    "\xc7\xd5\xb4\xcf\xb4\xd9\x2e";
// "파일을 저장할 수 없습니다."
constexpr std::string_view kCannotSave =
    "\xc6\xc4\xc0\xcf\xc0\xbb\x20\xc0\xfa\xc0\xe5\xc7\xd2\x20\xbc\xf6\x20\xbe\xf8\xbd\xc0\xb4\xcf"
    "\xb4\xd9\x2e";

}  // namespace

VyDocumentResult CVYSProjectDocument::Save(const std::string& path) {
    if (!m_history.EditActionGroupToFile(path)) {
        return {false, std::string(kCannotSave)};
    }
    m_modified = false;
    DiscardBackup();
    m_path = path;
    return {true, {}};
}

VyDocumentResult CVYSProjectDocument::Open(const std::string& path) {
    // Read aside: a file that fails leaves the work, its undo position and
    // its counters exactly as they were.
    CVylEditActionGroup loaded;
    int32_t required = 0;
    if (loaded.EditActionGroupFromFile(path, &required)) {
        m_history.ReplaceWith(loaded);
        m_modified = false;
        m_path = path;
        return {true, {}};
    }
    if (required != 0) {
        return {false, std::string(kNeedsUpdateBefore) + VersionText(required) +
                           std::string(kNeedsUpdateAfter)};
    }
    return {false, std::string(kInvalidFile)};
}

void CVYSProjectDocument::New() {
    m_history.ResetAllEditActionGroup();
    m_modified = false;
    m_path.clear();
}

bool CVYSProjectDocument::WriteBackup() const {
    if (!m_modified) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_backupPath).parent_path(), error);
    return m_history.EditActionGroupToFile(m_backupPath) != 0;
}

VyDocumentResult CVYSProjectDocument::RestoreBackup() {
    std::error_code error;
    CVylEditActionGroup loaded;
    if (!std::filesystem::exists(m_backupPath, error) ||
        !loaded.EditActionGroupFromFile(m_backupPath, nullptr)) {
        return {false, {}};
    }
    m_history.ReplaceWith(loaded);
    m_modified = true;
    m_path.clear();
    return {true, std::string(kRecovered)};
}

bool CVYSProjectDocument::HasBackup() const {
    std::error_code error;
    return std::filesystem::exists(m_backupPath, error);
}

void CVYSProjectDocument::DiscardBackup() const {
    std::error_code error;
    std::filesystem::remove(m_backupPath, error);
}
