// The bytes of LCD commands and the length of each command in them, as the
// extraction makes them and the link sends them.
#pragma once

#include <cstdint>
#include <vector>

using VyByteArray = std::vector<uint8_t>;
using VyLengthArray = std::vector<uint32_t>;
