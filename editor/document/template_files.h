// Templates: sets of objects kept in files of their own (".tpl", the object
// group record form) to be placed into any drawing later.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/document/object_group.h"
#include "editor/document/uid_set.h"

enum class VyTemplateSave { kSaved, kEmptyName, kBadCharacter, kExists, kWriteFailed };

// "템플릿을 로드할 수 없습니다.": a chosen template that cannot be read.
inline constexpr std::string_view kNoticeTemplateLoadFailed =
    "\xC5\xDB\xC7\xC3\xB8\xB4\xC0\xBB \xB7\xCE\xB5\xE5\xC7\xD2 \xBC\xF6 "
    "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.";

// The user's notice for each refused or failed save, in the system code page.
std::string TemplateSaveNotice(VyTemplateSave result);

// The name with white space removed at both ends.
std::string TrimTemplateName(std::string_view name);

// folder + "/" + name + ".tpl".
std::string TemplateFilePath(const std::string& folder, const std::string& name);

// Saves the selected objects under the (trimmed) name: uids from 0 in stacking
// order, moved so that their smallest left and top are 0. Refuses empty names,
// names with a character no file name may hold, and existing templates.
VyTemplateSave SaveTemplate(const std::string& folder, std::string_view name,
                            const CVylObjectGroup& drawing, const VyUidSet& selected);

// Names of the folder's "*.tpl" files (extension in any case) without the
// extension, ascending.
std::vector<std::string> ListTemplates(const std::string& folder);

// 1 when the file was read and decoded into group.
int LoadTemplate(const std::string& path, CVylObjectGroup& group);
