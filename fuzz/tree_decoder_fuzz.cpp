// Any bytes decode without a fault, and what decodes encodes again to bytes
// that decode to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/tree/key_table.h"
#include "editor/tree/value_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CRevolver in =
        CRevolver::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    CFxKeyTable table;
    table.Add("obj_uid", 1);
    table.Add("text_content", 2);
    const CFxKeyTable* keys = size % 2 == 0 ? &table : nullptr;
    CFxAssignGroupEx tree;
    const int decoded = tree.FromRevolver(in, keys);

    // Visiting the entries gives what decoding them gives.
    CFxAssignGroupEx visited;
    const int walked = CFxAssignGroupEx::VisitEncoded(
        in, [&](const CFxEntryView& entry) { visited.SetFromView(entry, in); }, keys);
    CRevolver fromTree;
    CRevolver fromVisit;
    if (walked != decoded || tree.ToRevolver(fromTree) != visited.ToRevolver(fromVisit) ||
        !(fromTree == fromVisit)) {
        std::abort();
    }

    CRevolver again;
    if (!tree.ToRevolver(again)) {
        std::abort();
    }
    CFxAssignGroupEx back;
    if (!back.FromRevolver(again) || back.Count() != tree.Count()) {
        std::abort();
    }
    CRevolver third;
    back.ToRevolver(third);
    if (!(third == again)) {
        std::abort();
    }
    return 0;
}
