// Results of running command templates and of a whole extraction.
#pragma once

#include <cstdint>

enum VyExtractStatus : int32_t {
    kExtractOk = 0,
    kExtractObjectMissing = 1,
    kExtractBytesAttrMissing = 2,
    kExtractBitmapFailed = 3,
    kExtractBadWidth = 4,
    kExtractNoOptionTemplate = 5,
    kExtractNoExtractTemplate = 6,
};

// A short English description of a status, for tools and diagnostics.
const char* ExtractStatusText(int32_t status);
