// Object group records of any content are read without a fault, every object
// is stacked exactly once, and a full LCD update of the result runs through.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "editor/document/full_update.h"
#include "fuzz/fuzz_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CRevolver in =
        CRevolver::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    CVylObjectGroup group;
    if (!group.ObjGroupFromRevolver(in)) {
        return 0;
    }
    const std::vector<int32_t>& order = group.GetZOrderList();
    if (order.size() != group.GetCount() ||
        std::set<int32_t>(order.begin(), order.end()).size() != order.size()) {
        std::abort();
    }
    VyByteArray bytes;
    VyLengthArray lengths;
    BuildFullLcdUpdate(FuzzDeviceContext(), group, bytes, lengths);
    size_t total = 0;
    for (uint32_t length : lengths) {
        total += length;
    }
    if (total != bytes.size()) {
        std::abort();
    }
    return 0;
}
