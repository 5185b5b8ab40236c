// Makes the templates that the package ships under names beginning with "_"
// available under their plain names.
#pragma once

#include <string>

// Copies every regular file "_name" of shippedFolder to templateFolder/name
// unless "name" exists there already, so a user's edited template is never
// replaced. Copies rather than renames: the "_" originals belong to the
// package, which may be reinstalled or sit in a read-only folder. Returns how
// many templates were installed.
int InstallDefaultTemplates(const std::string& shippedFolder, const std::string& templateFolder);

// The usual case of an installation that keeps its templates in place.
inline int InstallDefaultTemplates(const std::string& templateFolder) {
    return InstallDefaultTemplates(templateFolder, templateFolder);
}
