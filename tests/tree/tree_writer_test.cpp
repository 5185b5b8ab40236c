#include "editor/tree/tree_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CFxAssignGroupEx Sample(int n) {
    CFxAssignGroupEx tree;
    tree.SetInt("uid", n);
    tree.SetString("text", std::string(static_cast<size_t>(n * 40), 't'));
    tree.SetString("line_top0", "0");
    return tree;
}

bool KeepsNoLines(std::string_view key) {
    return !key.starts_with("line_");
}

// The same record, each level encoded apart and stored as bytes.
CRevolver LevelByLevel(int count) {
    CFxAssignGroupEx top;
    for (int i = 0; i < count; ++i) {
        CFxAssignGroupEx record;
        CRevolver common;
        CRevolver unique;
        Sample(i).ToRevolver(common);
        const CFxKeyFilter kept{"uid", "text"};
        Sample(i + 1).ToRevolver(unique, nullptr, &kept);
        record.SetBytes("ca", common);
        record.SetBytes("ua", unique);
        CRevolver bytes;
        record.ToRevolver(bytes);
        top.SetBytes(std::to_string(i), bytes);
    }
    top.SetInt("count", count);
    top.SetString("order", "1,0");
    CRevolver out;
    top.ToRevolver(out);
    return out;
}

TEST(TreeWriter, WritesTheBytesOfEncodingEveryLevelApart) {
    // Ten objects: nested lengths on both sides of the one-byte limit.
    const int count = 10;
    CRevolver written;
    ASSERT_TRUE(CFxTreeWriter::Encode(written, [&](CFxTreeWriter& writer) {
        for (int i = 0; i < count; ++i) {
            writer.Record(std::to_string(i), [&](CFxTreeWriter& record) {
                record.Tree("ca", Sample(i));
                record.Tree("ua", Sample(i + 1), {nullptr, KeepsNoLines});
            });
        }
        writer.Int("count", count);
        writer.Text("order", "1,0");
    }));
    EXPECT_EQ(written, LevelByLevel(count));
}

TEST(TreeWriter, FailsOnAnEntryThatCannotBeWritten) {
    CFxAssignGroupEx bad;
    bad.SetInt("", 1);
    CRevolver out = CRevolver::FromBytes("kept");
    EXPECT_FALSE(CFxTreeWriter::Encode(out, [&](CFxTreeWriter& writer) {
        writer.Record("r", [&](CFxTreeWriter& r) { r.Tree("t", bad); });
    }));
    EXPECT_FALSE(CFxTreeWriter::Encode(out, [](CFxTreeWriter& writer) { writer.Int("", 1); }));
    EXPECT_EQ(out.View(), "kept");
    ASSERT_TRUE(CFxTreeWriter::Encode(out, [](CFxTreeWriter&) {}));
    EXPECT_EQ(out.GetLength(), 0);
}

}  // namespace
