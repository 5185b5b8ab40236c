#include "editor/document/template_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "editor/tree/decimal_text.h"

namespace {

// Characters no template name may hold, in the order the notice lists them.
constexpr std::string_view kForbidden = "\\/:*?\"<>|";

// "올바른 템플릿 이름을 입력하세요."
constexpr std::string_view kNoticeEmpty =
    "\xBF\xC3\xB9\xD9\xB8\xA5 \xC5\xDB\xC7\xC3\xB8\xB4 \xC0\xCC\xB8\xA7\xC0\xBB "
    "\xC0\xD4\xB7\xC2\xC7\xCF\xBC\xBC\xBF\xE4.";
// "템플릿 이름에 다음 문자가 올 수 없습니다."
constexpr std::string_view kNoticeCharacters =
    "\xC5\xDB\xC7\xC3\xB8\xB4 \xC0\xCC\xB8\xA7\xBF\xA1 \xB4\xD9\xC0\xBD \xB9\xAE\xC0\xDA\xB0\xA1 "
    "\xBF\xC3 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.";
// "이미 존재하는 템플릿 이름입니다."
constexpr std::string_view kNoticeExists =
    "\xC0\xCC\xB9\xCC \xC1\xB8\xC0\xE7\xC7\xCF\xB4\xC2 \xC5\xDB\xC7\xC3\xB8\xB4 "
    "\xC0\xCC\xB8\xA7\xC0\xD4\xB4\xCF\xB4\xD9.";
// "템플릿을 저장할 수 없습니다."
constexpr std::string_view kNoticeWriteFailed =
    "\xC5\xDB\xC7\xC3\xB8\xB4\xC0\xBB \xC0\xFA\xC0\xE5\xC7\xD2 \xBC\xF6 "
    "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

}  // namespace

std::string TemplateSaveNotice(VyTemplateSave result) {
    switch (result) {
        case VyTemplateSave::kEmptyName:
            return std::string(kNoticeEmpty);
        case VyTemplateSave::kBadCharacter: {
            std::string text = std::string(kNoticeCharacters) + "\r\n" + std::string(15, ' ');
            for (size_t i = 0; i < kForbidden.size(); ++i) {
                text += (i == 0 ? "" : " ") + std::string(1, kForbidden[i]);
            }
            return text;
        }
        case VyTemplateSave::kExists:
            return std::string(kNoticeExists);
        case VyTemplateSave::kWriteFailed:
            return std::string(kNoticeWriteFailed);
        default:
            return {};
    }
}

std::string TrimTemplateName(std::string_view name) {
    return std::string(TrimmedText(name, " \t\r\n\v\f"));
}

std::string TemplateFilePath(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name + ".tpl";
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return path;
    }
    // The list shows "X" for "X.TPL" too: the name must find that file.
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& found = it->path();
        if (found.stem() == name && Lower(found.extension().string()) == ".tpl" &&
            it->is_regular_file(error)) {
            return found.string();
        }
    }
    return path;
}

VyTemplateSave SaveTemplate(const std::string& folder, std::string_view rawName,
                            const CVylObjectGroup& drawing, const VyUidSet& selected) {
    const std::string name = TrimTemplateName(rawName);
    if (name.empty()) {
        return VyTemplateSave::kEmptyName;
    }
    if (name.find_first_of(kForbidden) != std::string::npos) {
        return VyTemplateSave::kBadCharacter;
    }
    const std::string path = TemplateFilePath(folder, name);
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return VyTemplateSave::kExists;
    }
    CVylObjectGroup saved;
    int32_t counter = 0;
    saved.AppendObjects(true, drawing, &counter, &selected, true);
    CRevolver bytes;
    std::filesystem::create_directories(folder, error);
    if (!saved.ObjGroupToRevolver(bytes) || !bytes.SaveToFile(path)) {
        return VyTemplateSave::kWriteFailed;
    }
    return VyTemplateSave::kSaved;
}

std::vector<std::string> ListTemplates(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (it->is_regular_file(error) && Lower(path.extension().string()) == ".tpl") {
            names.push_back(path.stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

int LoadTemplate(const std::string& path, CVylObjectGroup& group) {
    CRevolver bytes;
    return bytes.LoadFromFile(path) && group.ObjGroupFromRevolver(bytes) ? 1 : 0;
}
