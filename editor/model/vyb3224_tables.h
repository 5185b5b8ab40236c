// The tables of the one LCD model the system knows (320 x 240 dots): fonts,
// command templates and command byte roles.
#pragma once

#include <string_view>

#include "editor/model/column_table.h"

namespace vyb3224 {

inline constexpr std::string_view kAlnumFixedWidths = "7|7|8|8|8|8|12|12|25";
inline constexpr std::string_view kByteProps = "0=escape&1=opcode&2=opcode";
inline constexpr std::string_view kByteColors = "escape=1984170&opcode=2009670";
// "고정" (fixed) and "가변" (proportional), in the system code page.
inline constexpr std::string_view kModeFixed = "\xB0\xED\xC1\xA4";
inline constexpr std::string_view kModeProportional = "\xB0\xA1\xBA\xAF";

CVylColumnTable KorFontTable();
CVylColumnTable AlnumVarFontTable();
CVylColumnTable ExtractTable();
CVylColumnTable DependenceTable();
CVylColumnTable OptionTable();

}  // namespace vyb3224
