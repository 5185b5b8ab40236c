#include "editor/link/port_notices.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "editor/tree/code_page.h"

namespace {

namespace fs = std::filesystem;

std::string Caption(const std::string& name) {
    return Utf8ToCp949("COMM" + name + " 열 수 없음");
}

std::string Canonical(const std::string& path) {
    std::error_code error;
    const fs::path canonical = fs::canonical(path, error);
    return error ? path : canonical.string();
}

std::string CommandOf(const fs::path& process) {
    std::ifstream file(process / "comm");
    std::string command;
    std::getline(file, command);
    return command;
}

bool HoldsOpen(const fs::path& process, const std::string& target) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(process / "fd", error)) {
        std::error_code linkError;
        if (fs::read_symlink(entry.path(), linkError).string() == target && !linkError) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string DeviceGroup(const std::string& device) {
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        return {};
    }
    const struct group* owner = ::getgrgid(info.st_gid);
    return owner != nullptr && owner->gr_name != nullptr ? owner->gr_name : "";
}

std::string DeviceHolder(const std::string& device, const std::string& procFolder) {
    const std::string target = Canonical(device);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(procFolder, error)) {
        const std::string pid = entry.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        if (HoldsOpen(entry.path(), target)) {
            return CommandOf(entry.path()) + " (PID " + pid + ")";
        }
    }
    return {};
}

VyPortNotice PortOpenNotice(const std::string& name, const std::string& device, int error,
                            const std::string& procFolder) {
    if (error == EACCES || error == EPERM) {
        std::string group = DeviceGroup(device);
        if (group.empty() || group == "root") {
            group = "dialout";
        }
        return {Utf8ToCp949(name + " 포트를 열 권한이 없습니다. 이 장치는 '" + group +
                            "' 그룹의 사용자만 열 수 있습니다. 'sudo usermod -aG " + group +
                            " $USER' 명령으로 사용자를 이 그룹에 추가한 뒤 다시 로그인하세요."),
                Caption(name)};
    }
    if (error == EBUSY || error == EWOULDBLOCK) {
        const std::string holder = DeviceHolder(device, procFolder);
        const std::string who =
            holder.empty() ? "다른 프로그램이" : "다른 프로그램(" + holder + ")이";
        return {Utf8ToCp949(name + " 포트는 " + who +
                            " 사용 중입니다. 그 프로그램을 닫은 뒤 다시 시도하세요."),
                Caption(name)};
    }
    return {Utf8ToCp949(name + "번 포트는 이미 사용중이거나 존재하지 않는 포트입니다."),
            Caption(name)};
}
