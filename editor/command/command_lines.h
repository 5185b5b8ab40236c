// Command bytes as text: one command a line, upper-case two-digit hexadecimal
// bytes separated by single blanks.
#pragma once

#include <ostream>

#include "editor/command/command_bytes.h"

// Splits bytes at the given command lengths; bytes the lengths do not cover
// form one last line. Each line is written as it is made, so that a large
// update is never held as text as a whole.
void WriteCommandLines(std::ostream& out, const VyByteArray& bytes, const VyLengthArray& lengths);
