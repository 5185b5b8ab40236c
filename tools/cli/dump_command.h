// "vylcd-cli dump FILE.vyd [--regions]": a project's edit history, one action
// a line.
#pragma once

#include <ostream>
#include <string>

int RunDumpCommand(const std::string& path, bool withRegions, std::ostream& out, std::ostream& err);
