// Command bytes as text: one command a line, upper-case two-digit hexadecimal
// bytes separated by single blanks.
#pragma once

#include <string>

#include "editor/command/command_bytes.h"

// Splits bytes at the given command lengths; bytes the lengths do not cover
// form one last line.
std::string FormatCommandLines(const VyByteArray& bytes, const VyLengthArray& lengths);
