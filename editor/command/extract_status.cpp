#include "editor/command/extract_status.h"

const char* ExtractStatusText(int32_t status) {
    switch (status) {
        case kExtractOk:
            return "ok";
        case kExtractObjectMissing:
            return "an object of the stacking order is missing from the drawing";
        case kExtractBytesAttrMissing:
            return "an object lacks the bytes attribute its command needs";
        case kExtractBitmapFailed:
            return "the bitmap bytes could not be read";
        case kExtractBadWidth:
            return "a command template has an integer width other than 1 or 2";
        case kExtractNoOptionTemplate:
            return "a state setting has no command template";
        case kExtractNoExtractTemplate:
            return "the object's kind has no command template";
        default:
            return "unknown failure";
    }
}
