// Records the codec benchmarks measure, in a neutral form that any codec can
// carry: one drawing object's 20-key record, a record holding 100 KB of
// bytes, and a group of objects; and our value trees built from them and
// read back, at every level of the group.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "editor/tree/value_tree.h"

struct BenchBytes {
    std::string data;
    bool operator==(const BenchBytes&) const = default;
};
using BenchValue = std::variant<int32_t, std::string, BenchBytes>;
using BenchRecord = std::vector<std::pair<std::string, BenchValue>>;

BenchRecord CommonFields(int32_t uid);
BenchRecord UniqueFields(int32_t uid);
// A text object's common and unique attributes in one record.
BenchRecord ObjectRecord();
BenchRecord LargeBytesRecord();

struct BenchGroup {
    std::vector<BenchRecord> common;
    std::vector<BenchRecord> unique;
    std::vector<std::string> keys;  // "0", "1", ... as the records are keyed
    std::string order;
};
BenchGroup MakeBenchGroup(int count);

CFxAssignGroupEx ToTree(const BenchRecord& record);
BenchRecord FromTree(const CFxAssignGroupEx& tree);

// A group as our trees hold it: every object's common and unique trees.
struct TreeGroup {
    std::vector<CFxAssignGroupEx> common;
    std::vector<CFxAssignGroupEx> unique;
    int32_t count = 0;
    std::string order;
};
TreeGroup ToTreeGroup(const BenchGroup& group);
// Every level encoded: each object's trees, its record, then the group.
int EncodeTreeGroup(const TreeGroup& group, const std::vector<std::string>& keys, CRevolver& out);
// Every level decoded back into trees.
int DecodeTreeGroup(const CRevolver& in, const std::vector<std::string>& keys, TreeGroup& group);
// Whether the trees hold exactly the group's data.
bool SameGroup(const TreeGroup& trees, const BenchGroup& group);
