#include "app/settings/data_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

constexpr const char* kTextData = "global_data/txt";
constexpr const char* kBinData = "global_data/bin";
constexpr const char* kTemplates = "template/sys100";
constexpr const char* kSharedData = "share/vylcd-studio/";

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string ExecutableFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer));
    if (n <= 0) {
        return "./";
    }
    const std::string path(buffer, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The nearest folder of path that exists decides whether path can be made.
bool CanCreateOrWrite(std::string path) {
    while (!path.empty() && !IsFolder(path)) {
        const size_t cut = path.find_last_of('/');
        if (cut == std::string::npos || cut == 0) {
            path = cut == 0 ? "/" : ".";
            break;
        }
        path.resize(cut);
    }
    return ::access(path.c_str(), W_OK) == 0;
}

// A system-wide installation cannot keep user files beside the program; the
// user's data folder then takes the same structure.
// Relative folders are ignored, as the desktop rules say: they would move
// with the folder the program is started from.
std::string UserDataRoot(const VyProgramEnv& env) {
    const auto absolute = [](std::string path) { return path.starts_with('/') ? path : ""; };
    std::string base = absolute(env.getEnv("XDG_DATA_HOME"));
    if (base.empty()) {
        const std::string home = absolute(env.getEnv("HOME"));
        if (home.empty()) {
            return "";
        }
        base = WithSlash(home) + ".local/share";
    }
    return WithSlash(base) + "vylcd-studio/";
}

std::string ChooseRoot(const VyProgramEnv& env, const std::string& installRoot) {
    const std::string forced = env.getEnv("VYLCD_DATA_ROOT");
    if (!forced.empty()) {
        return WithSlash(forced);
    }
    // An installed package keeps its share folder read-only, whoever runs
    // it; a build tree or an unpacked folder keeps its data beside it.
    const bool installed = IsFolder(installRoot + kSharedData);
    if (!installed && CanCreateOrWrite(installRoot + "global_data")) {
        return installRoot;
    }
    const std::string user = UserDataRoot(env);
    return user.empty() ? installRoot : user;
}

std::string ShippedRoot(const std::string& installRoot) {
    const std::string shared = installRoot + kSharedData;
    return IsFolder(shared) ? shared : installRoot;
}

}  // namespace

VyProgramEnv VyProgramEnv::Current() {
    return {ExecutableFolder(), [](const std::string& name) {
                const char* value = std::getenv(name.c_str());
                return std::string(value != nullptr ? value : "");
            }};
}

int MakeFolders(const std::string& folder) {
    for (size_t cut = folder.find('/', 1); cut != std::string::npos;
         cut = folder.find('/', cut + 1)) {
        ::mkdir(folder.substr(0, cut).c_str(), 0777);
    }
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
        return 0;
    }
    return IsFolder(folder) ? 1 : 0;
}

CVYSDataFolders::CVYSDataFolders(const VyProgramEnv& env)
    : m_installRoot(WithSlash(env.programFolder) + "../"),
      m_shippedRoot(ShippedRoot(m_installRoot)),
      m_root(ChooseRoot(env, m_installRoot)) {}

std::string CVYSDataFolders::GetFolder(std::string_view key) const {
    if (key == "global_txt_data") {
        return m_root + kTextData;
    }
    if (key == "global_bin_data") {
        return m_root + kBinData;
    }
    return "";
}

std::string CVYSDataFolders::DefaultTemplateFolder() const {
    return m_root + kTemplates;
}

std::string CVYSDataFolders::ShippedTemplateFolder() const {
    return m_shippedRoot + kTemplates;
}

std::string CVYSDataFolders::ShippedManualPath(bool english) const {
    return m_shippedRoot + kTextData + "/" + std::string(ManualFileName(english));
}

std::string CVYSDataFolders::AutoBackupPath() const {
    return GetFolder("global_bin_data") + "/auto_backup.vyd";
}

int CVYSDataFolders::EnsureBinDataFolder() const {
    return MakeFolders(GetFolder("global_bin_data"));
}

std::string CVYSDataFolders::TextFile(std::string_view name) const {
    const std::string folder = GetFolder("global_txt_data");
    MakeFolders(folder);
    return folder + "/" + std::string(name);
}
