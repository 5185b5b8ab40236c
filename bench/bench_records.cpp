#include "bench/bench_records.h"

#include <algorithm>

#include "editor/tree/decimal_text.h"
#include "editor/tree/tree_writer.h"

// An object as a text: its common attributes, then the unique ones.
BenchRecord CommonFields(int32_t uid) {
    return {{"obj_uid", uid},    {"obj_kind", 7},        {"obj_left", 100000 + uid},
            {"obj_top", 200000}, {"obj_right", 1000000}, {"obj_bottom", 500000}};
}

BenchRecord UniqueFields(int32_t uid) {
    return {{"dot_size", std::string("1")},
            {"dotted_spacing", std::string("0")},
            {"color_switch", std::string("1")},
            {"text_content", std::string("\xBE\xC8\xB3\xE7 LCD ") + std::to_string(uid)},
            {"kor_font_index", std::string("3")},
            {"alnum_font_index", std::string("1")},
            {"bold_state", std::string("0")},
            {"inverse", std::string("0")},
            {"underline", std::string("0")},
            {"line_count", std::string("2")},
            {"line_content0", std::string("\xBE\xC8\xB3\xE7")},
            {"line_top0", std::string("0")},
            {"line_content1", std::string("LCD ") + std::to_string(uid)},
            {"line_top1", std::string("16")}};
}

BenchRecord ObjectRecord() {
    BenchRecord record = CommonFields(12);
    for (auto& field : UniqueFields(12)) {
        record.push_back(std::move(field));
    }
    return record;
}

BenchRecord LargeBytesRecord() {
    return {{"obj_uid", 1}, {"bmp_bin", BenchBytes{std::string(100 * 1024, '\x5A')}}};
}

BenchGroup MakeBenchGroup(int count) {
    BenchGroup group;
    for (int32_t uid = 0; uid < count; ++uid) {
        group.common.push_back(CommonFields(uid));
        group.unique.push_back(UniqueFields(uid));
        group.keys.push_back(DecimalText(uid));
        group.order += (uid == 0 ? "" : ",") + DecimalText(uid);
    }
    return group;
}

// ---- ours ----

CFxAssignGroupEx ToTree(const BenchRecord& record) {
    CFxAssignGroupEx tree;
    for (const auto& [key, value] : record) {
        if (const auto* number = std::get_if<int32_t>(&value)) {
            tree.SetInt(key, *number);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            tree.SetString(key, *text);
        } else {
            tree.SetBytes(key, CRevolver::FromBytes(std::get<BenchBytes>(value).data));
        }
    }
    return tree;
}

BenchRecord FromTree(const CFxAssignGroupEx& tree) {
    BenchRecord record;
    for (const CFxAssignEntry& entry : tree) {
        switch (entry.GetKind()) {
            case CFxAssignEntry::kInteger:
                record.emplace_back(entry.Key(), entry.Integer());
                break;
            case CFxAssignEntry::kText:
                record.emplace_back(entry.Key(), std::string(entry.Text()));
                break;
            default:
                record.emplace_back(entry.Key(), BenchBytes{std::string(entry.Bytes().View())});
                break;
        }
    }
    return record;
}

int EncodeTreeGroup(const TreeGroup& group, const std::vector<std::string>& keys, CRevolver& out) {
    // As a group record is written: every object's record in place.
    return CFxTreeWriter::Encode(out, [&](CFxTreeWriter& writer) {
        for (size_t i = 0; i < group.common.size(); ++i) {
            writer.Record(keys[i], [&](CFxTreeWriter& record) {
                record.Tree("ca", group.common[i]);
                record.Tree("ua", group.unique[i]);
            });
        }
        writer.Int("cnt", group.count);
        writer.Text("uid_z", group.order);
    });
}

int DecodeTreeGroup(const CRevolver& in, const std::vector<std::string>& keys, TreeGroup& group) {
    CFxAssignGroupEx top;
    if (!top.FromRevolver(in)) {
        return 0;
    }
    group.count = top.GetInt("cnt", -1);
    group.order = top.GetString("uid_z");
    group.common.resize(static_cast<size_t>(std::max(group.count, 0)));
    group.unique.resize(group.common.size());
    // As an object record is read: its two values found without a tree.
    constexpr std::string_view kParts[] = {"ca", "ua"};
    for (size_t i = 0; i < group.common.size(); ++i) {
        const CRevolver* bytes = top.FindBytes(keys[i]);
        CRevolver parts[2];
        bool found[2] = {};
        if (bytes == nullptr ||
            !CFxAssignGroupEx::FindEncodedBytes(*bytes, kParts, 2, parts, found) || !found[0] ||
            !found[1] || !group.common[i].FromRevolver(std::move(parts[0])) ||
            !group.unique[i].FromRevolver(std::move(parts[1]))) {
            return 0;
        }
    }
    return 1;
}

TreeGroup ToTreeGroup(const BenchGroup& group) {
    TreeGroup trees;
    for (size_t i = 0; i < group.common.size(); ++i) {
        trees.common.push_back(ToTree(group.common[i]));
        trees.unique.push_back(ToTree(group.unique[i]));
    }
    trees.count = static_cast<int32_t>(group.common.size());
    trees.order = group.order;
    return trees;
}

bool SameGroup(const TreeGroup& trees, const BenchGroup& group) {
    if (trees.order != group.order || trees.count != static_cast<int32_t>(group.common.size()) ||
        trees.common.size() != group.common.size()) {
        return false;
    }
    for (size_t i = 0; i < group.common.size(); ++i) {
        if (FromTree(trees.common[i]) != group.common[i] ||
            FromTree(trees.unique[i]) != group.unique[i]) {
            return false;
        }
    }
    return true;
}
