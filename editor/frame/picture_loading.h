// A picture file made ready for a bitmap object: decoded whatever its
// format, shrunk to fit the LCD (never enlarged), reduced to one bit per
// pixel and encoded as a BMP file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Empty when the bytes are no picture of a supported format.
std::optional<std::string> PrepareLcdPicture(std::string_view file, int32_t lcdWidth,
                                             int32_t lcdHeight);
