// "vylcd-cli lcd FILE --png OUT [--scale N]": the module's screen after the
// drawing's full update, as the virtual module draws it, without a display
// or a serial port.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

// Returns the exit code: 0 success; 1 when the file cannot be read, its
// history does not replay completely, the extraction stops (the screen of
// what was made is still written) or the picture cannot be written.
int RunLcdCommand(const std::string& path, const std::string& pngPath, int32_t scale,
                  std::ostream& err);
