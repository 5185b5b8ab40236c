#include "editor/tree/value_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/tree/tree_writer.h"

namespace {

TEST(ValueTree, GettersFollowTheStoredKind) {
    CFxAssignGroupEx tree;
    tree.SetString("text", "42abc");
    tree.SetString("word", "abc");
    tree.SetInt("number", -7);
    tree.SetBytes("raw", CRevolver::FromBytes("xy"));

    int32_t value = 0;
    EXPECT_TRUE(tree.GetInt("text", &value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(tree.GetInt("word", &value));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(tree.GetInt("number", 5), -7);
    EXPECT_EQ(tree.GetInt("raw", 5), 5);
    EXPECT_EQ(tree.GetInt("missing", 5), 5);

    std::string text = "stale";
    EXPECT_FALSE(tree.GetString("number", &text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(tree.GetString("text"), "42abc");

    CRevolver bytes = CRevolver::FromBytes("keep");
    EXPECT_FALSE(tree.GetBytes("text", &bytes));
    EXPECT_EQ(bytes.View(), "keep");
    EXPECT_TRUE(tree.GetBytes("raw", &bytes));
    EXPECT_EQ(bytes.View(), "xy");
}

TEST(ValueTree, SettersKeepTheFirstKind) {
    CFxAssignGroupEx tree;
    tree.SetInt("k", 3);
    tree.SetString("k", "9");
    EXPECT_EQ(tree.GetInt("k", 0), 3);
    EXPECT_EQ(tree.GetString("k"), "");
    EXPECT_EQ(tree.Find("k")->GetKind(), CFxAssignEntry::kInteger);

    tree.SetIntAsText("neg", -5);
    EXPECT_EQ(tree.Find("neg")->GetKind(), CFxAssignEntry::kText);
    EXPECT_EQ(tree.GetString("neg"), "-5");
    EXPECT_EQ(tree.GetInt("neg", 0), -5);
}

TEST(ValueTree, RemovalsAndPrefixes) {
    CFxAssignGroupEx tree;
    for (const char* key :
         {"line_top", "line_top0", "line_top12", "line_count", "Line_top1", "line"}) {
        tree.SetString(key, "x");
    }
    tree.RemoveWithPrefix("line_top");
    std::vector<std::string> keys;
    for (const CFxAssignEntry& entry : tree) {
        keys.emplace_back(entry.Key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"line_count", "Line_top1", "line"}));
    tree.Remove("line");
    tree.Remove("never there");
    EXPECT_EQ(tree.Count(), 2u);
    tree.RemoveAll();
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_FALSE(tree.Has("line_count"));
}

TEST(ValueTree, AssignmentIsADeepCopy) {
    CFxAssignGroupEx source;
    source.SetString("a", "1");
    source.SetBytes("b", CRevolver::FromBytes("bytes"));
    CFxAssignGroupEx target;
    target.SetInt("old", 1);
    target = source;
    source.SetString("a", "changed");
    EXPECT_FALSE(target.Has("old"));
    EXPECT_EQ(target.GetString("a"), "1");
    CRevolver bytes;
    ASSERT_TRUE(target.GetBytes("b", &bytes));
    EXPECT_EQ(bytes.View(), "bytes");
    target = CFxAssignGroupEx();
    EXPECT_EQ(target.Count(), 0u);
}

}  // namespace

namespace {

bool PassesAll(std::string_view) {
    return true;
}

// The encoded size a tree keeps up to date must be the one a count over its
// entries gives, through every kind of change.
TEST(ValueTree, KeptEncodedSizeFollowsEveryChange) {
    CFxAssignGroupEx tree;
    CRevolver kept;
    CRevolver counted;
    const auto expectSame = [&](const char* step) {
        ASSERT_TRUE(tree.ToRevolver(kept)) << step;
        ASSERT_TRUE(CFxTreeWriter::Encode(counted, [&](CFxTreeWriter& writer) {
            writer.Record("r", [&](CFxTreeWriter& record) {
                record.Tree("t", tree, {nullptr, PassesAll});
            });
        })) << step;
        CFxAssignGroupEx outer;
        ASSERT_TRUE(outer.FromRevolver(counted));
        EXPECT_EQ(outer.FindBytes("r") != nullptr, true);
        CFxAssignGroupEx inner;
        ASSERT_TRUE(inner.FromRevolver(*outer.FindBytes("r")));
        EXPECT_EQ(*inner.FindBytes("t"), kept) << step;
    };
    tree.SetInt("n", 1);
    tree.SetString("text", std::string(300, 'x'));
    tree.SetBytes("raw", CRevolver::FromBytes(std::string(255, 'b')));
    expectSame("set");
    tree.SetString("text", "short");
    tree.SetBytes("raw", CRevolver::FromBytes(std::string(256, 'c')));
    tree.SetString("n", "a text on an integer");
    tree.SetInt("text", 9);
    tree.SetString(std::string(300, 'k'), "a key past 255 bytes");
    expectSame("changed");
    CRevolver bytes;
    ASSERT_TRUE(tree.ToRevolver(bytes));
    tree.FromRevolver(bytes);
    tree.Remove("raw");
    tree.RemoveWithPrefix("k");
    expectSame("merged and removed");
    tree.SetInt("", 3);
    EXPECT_FALSE(tree.ToRevolver(kept));
    tree.Remove("");
    expectSame("empty key gone");
    const CFxAssignGroupEx copy = tree;
    tree.RemoveAll();
    EXPECT_TRUE(tree.ToRevolver(kept));
    EXPECT_EQ(kept.GetLength(), 0);
    CRevolver copied;
    ASSERT_TRUE(copy.ToRevolver(copied));
    CFxAssignGroupEx back;
    ASSERT_TRUE(back.FromRevolver(copied));
    EXPECT_EQ(back.Count(), copy.Count());
}

}  // namespace
