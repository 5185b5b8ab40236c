// "vylcd-cli render FILE --png OUT": the drawing as the canvas shows it,
// rendered without a display.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct VyRenderOptions {
    std::string pngPath;
    int32_t width = 690;
    int32_t height = 530;
    bool grid = true;
    // Selected objects, the first one the chief; selectAll for every one.
    std::vector<int32_t> selection;
    bool selectAll = false;
};

// Returns the exit code: 0 success; 1 when the file cannot be read, its
// history does not replay completely, a selected uid is unknown or the
// picture cannot be written (a picture of what was made is still written
// where possible).
int RunRenderCommand(const std::string& path, const VyRenderOptions& options, std::ostream& err);
