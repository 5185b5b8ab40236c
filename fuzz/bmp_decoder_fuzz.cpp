// BMP files of any content decode without a fault; a decoded picture encodes
// and decodes again to the same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/image/bmp_codec.h"
#include "editor/image/one_bit_reduction.h"
#include "editor/image/raster_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const std::optional<VyRaster> raster = DecodeBmp(file);
    if (!raster) {
        return 0;
    }
    const VyRaster small = ResampleNearest(*raster, 17, 9);
    const std::optional<VyRaster> back = DecodeBmp(EncodeBmp(small));
    if (!back || back->width != 17 || back->height != 9) {
        std::abort();
    }
    for (int32_t y = 0; y < 9; ++y) {
        for (int32_t x = 0; x < 17; ++x) {
            if ((back->ColorAt(x, y) & 0xFFFFFF) != (small.ColorAt(x, y) & 0xFFFFFF)) {
                std::abort();
            }
        }
    }
    ReduceToOneBit(*raster);
    return 0;
}
