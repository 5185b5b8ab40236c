// The facts about each edit-action kind, in one table: its name in dumps,
// whether it concerns one object or several, what its record carries
// besides the object or the uids, and how its dump line reads. The replay of
// each kind is in the action itself.
#pragma once

#include <cstdint>
#include <string_view>

// What a dump line shows before the uids ("repair[dot_size]", "create[kind:3]").
enum class VyDumpTag { kNone, kAttrName, kObjectKind };
// What a dump line shows of the objects or linker the action changed.
enum class VyDumpBody { kUidAndRegion, kUids, kLinker, kLinkedPoint, kUnlinkedPoint };

struct VyActionKindFacts {
    std::string_view name;
    bool single;   // one object's record ("oea"); otherwise the multi part ("gea")
    bool repair;   // a repair record ("rp")
    bool contact;  // a linker point: linker uid, contact uid and corner
    bool linker;   // a linker uid alone
    bool rect;     // the rectangle of a both-corner resize
    VyDumpTag tag;
    VyDumpBody body;
};

// The facts of a kind; a kind this editor does not know is a multi-object
// action without extras, named "".
const VyActionKindFacts& ActionKindFacts(int32_t kind);
