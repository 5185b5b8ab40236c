// Number <-> text conversions and small text helpers shared across the system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include "editor/vyedit_export.h"

// The leading decimal number of a text: leading blanks, an optional sign,
// digits; 0 when there are none. Values beyond 32 bits saturate.
VYEDIT_EXPORT int32_t AtoiValue(std::string_view text);

// value in radix (2 to 36) with lower-case digits; a negative value gets "-"
// in radix 10 and is printed as its 32-bit pattern in other radixes. With
// width -1 the text is returned as is; otherwise it is upper-cased and padded
// with at most ten zeros on the left, then cut to its rightmost width digits.
std::string IntToText(int32_t value, int radix, int width);

// Plain decimal text of value ("-5", "0", "123").
VYEDIT_EXPORT std::string DecimalText(int64_t value);

// Appends the byte as two upper-case hexadecimal digits ("1B").
VYEDIT_EXPORT void AppendHexByte(std::string& out, uint8_t byte);

// The text without the given blank characters at either end.
VYEDIT_EXPORT std::string_view TrimmedText(std::string_view text, std::string_view blanks);
