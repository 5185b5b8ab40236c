#include "editor/tree/value_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
