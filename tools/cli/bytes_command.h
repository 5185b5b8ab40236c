// "vylcd-cli bytes FILE": the full LCD update of a project or object group file.
#pragma once

#include <ostream>
#include <string>

// Writes the command lines to out and problems to err; returns the exit code:
// 0 success, 1 unreadable file or a failed extraction (what was made before
// the failure is still written).
int RunBytesCommand(const std::string& path, std::ostream& out, std::ostream& err);
