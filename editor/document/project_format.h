// The layout of a project record that its readers share: the header keys
// and the actions "a0", "a1"... after them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/tree/value_tree.h"

inline constexpr std::string_view kKeyFileType = "internal_file_type";
// How many actions were applied when the file was written, present only when
// some were undone: a file opens as it was left, and older files (and older
// readers) have every action applied.
inline constexpr std::string_view kKeyAppliedCount = "applied_count";

// The key of the action at index.
std::string ActionKey(size_t index);

enum class VyHeaderVerdict { kNotAProject, kTooNew, kBadCounters, kNoActions, kActions };

struct VyProjectHeader {
    int32_t count = 0;
    // Applied actions, 0 to count.
    int32_t applied = 0;
    int32_t objectCounter = 0;
    int32_t linkerCounter = 0;
};

// Reads the header keys of a project record; required is set for a project
// that needs a newer editor.
VyHeaderVerdict ReadProjectHeader(const CFxAssignGroupEx& tree, VyProjectHeader& header,
                                  int32_t& required);
