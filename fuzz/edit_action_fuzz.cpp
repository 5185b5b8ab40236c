// Action records of any content are read without a fault and apply to a
// drawing without one; what reads also writes and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/document/edit_action.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CRevolver in =
        CRevolver::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    CVylEditAction action;
    if (!action.FromRevolver(in)) {
        return 0;
    }
    CVylObjectGroup group;
    for (int32_t uid = 0; uid < 4; ++uid) {
        CVylObject object;
        object.SetCommonAttrs(uid, 2 + uid, {uid * 10000, 0, 50000, 60000});
        group.InsertOnTop(uid, object);
    }
    group.AddLinker(0);
    group.AddPointToLinker(0, {1, 4});
    action.ApplyTo(group);

    CRevolver out;
    if (!action.ToRevolver(out)) {
        return 0;
    }
    CVylEditAction back;
    CRevolver again;
    if (!back.FromRevolver(out) || !back.ToRevolver(again) || !(again == out)) {
        std::abort();
    }
    return 0;
}
