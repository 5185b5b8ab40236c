// Makes the templates that the package ships under names beginning with "_"
// available under their plain names.
#pragma once

#include <string>

// Makes every regular file "_name" of shippedFolder available as
// templateFolder/name unless "name" exists there already, so a user's edited
// template is never replaced. In its own folder a template is renamed, so the
// list shows it once; into another folder (the user's, when the installation
// is read-only) it is copied. Returns how many templates were installed.
int InstallDefaultTemplates(const std::string& shippedFolder, const std::string& templateFolder);

// The usual case of an installation that keeps its templates in place.
inline int InstallDefaultTemplates(const std::string& templateFolder) {
    return InstallDefaultTemplates(templateFolder, templateFolder);
}
