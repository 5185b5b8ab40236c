#include "editor/document/action_kinds.h"

#include <array>

namespace {

using Tag = VyDumpTag;
using Body = VyDumpBody;

// Indexed by kind; 0 stands for every unknown kind.
constexpr std::array<VyActionKindFacts, 18> kFacts = {{
    {"", false, false, false, false, false, Tag::kNone, Body::kUids},
    {"create", true, false, false, false, false, Tag::kObjectKind, Body::kUidAndRegion},
    {"delete", true, false, false, false, false, Tag::kNone, Body::kUidAndRegion},
    {"cre_resize", true, false, false, false, false, Tag::kNone, Body::kUidAndRegion},
    {"mod_resize", true, false, false, false, false, Tag::kNone, Body::kUidAndRegion},
    {"move_single", true, false, false, false, false, Tag::kNone, Body::kUidAndRegion},
    {"repair", true, true, false, false, false, Tag::kAttrName, Body::kUidAndRegion},
    {"go_up", true, false, false, false, false, Tag::kNone, Body::kUidAndRegion},
    {"go_down", true, false, false, false, false, Tag::kNone, Body::kUidAndRegion},
    {"create_multi", false, false, false, false, false, Tag::kNone, Body::kUids},
    {"delete_multi", false, false, false, false, false, Tag::kNone, Body::kUids},
    {"mod_resize_multi_one_corner", false, false, false, false, false, Tag::kNone, Body::kUids},
    {"mod_resize_multi_both_corners", false, false, false, false, true, Tag::kNone, Body::kUids},
    {"move_multi", false, false, false, false, false, Tag::kNone, Body::kUids},
    {"repair_multi", false, true, false, false, false, Tag::kNone, Body::kUids},
    {"add_linker", false, false, false, true, false, Tag::kNone, Body::kLinker},
    {"add_point_to_linker", true, false, true, false, false, Tag::kNone, Body::kLinkedPoint},
    {"detach_point_from_linker", true, false, true, false, false, Tag::kNone, Body::kUnlinkedPoint},
}};

}  // namespace

const VyActionKindFacts& ActionKindFacts(int32_t kind) {
    return kind > 0 && kind < static_cast<int32_t>(kFacts.size()) ? kFacts[kind] : kFacts[0];
}
