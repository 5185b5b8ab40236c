#include "app/settings/template_install.h"

#include <filesystem>
#include <system_error>

#include "app/settings/data_folders.h"
#include "editor/tree/atomic_file.h"
#include "editor/tree/revolver.h"

namespace fs = std::filesystem;

namespace {

bool IsShippedTemplate(const fs::directory_entry& entry) {
    std::error_code error;
    const std::string name = entry.path().filename().string();
    return name.size() > 1 && name.front() == '_' && entry.is_regular_file(error);
}

bool InstallOne(const fs::path& source, const std::string& templateFolder, bool inPlace) {
    const std::string target = templateFolder + "/" + source.filename().string().substr(1);
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) {
        return false;
    }
    if (inPlace) {
        fs::rename(source, target, error);
        return !error;
    }
    CRevolver bytes;
    return bytes.LoadFromFile(source.string()) && MakeFolders(templateFolder) &&
           WriteFileAtomically(target, bytes.View());
}

}  // namespace

int InstallDefaultTemplates(const std::string& shippedFolder, const std::string& templateFolder) {
    std::error_code error;
    fs::directory_iterator it(shippedFolder, error);
    const bool inPlace = fs::equivalent(shippedFolder, templateFolder, error) && !error;
    error.clear();
    int installed = 0;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (IsShippedTemplate(*it) && InstallOne(it->path(), templateFolder, inPlace)) {
            ++installed;
        }
    }
    return installed;
}
