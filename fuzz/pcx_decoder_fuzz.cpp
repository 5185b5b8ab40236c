// PCX files of any content decode without a fault into a picture whose pixel
// count matches its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/image/pcx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<VyRaster> raster =
        DecodePcx(std::string_view(reinterpret_cast<const char*>(data), size));
    if (raster && raster->pixels.size() !=
                      static_cast<size_t>(raster->width) * static_cast<size_t>(raster->height)) {
        std::abort();
    }
    if (raster) {
        for (int32_t y = 0; y < raster->height; ++y) {
            for (int32_t x = 0; x < raster->width; ++x) {
                static_cast<void>(raster->ColorAt(x, y));
            }
        }
    }
    return 0;
}
