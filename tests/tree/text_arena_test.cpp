#include "editor/tree/text_arena.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Texts of every size, small ones and ones larger than any block before
// them: each stays where it was stored, and the count follows every block.
TEST(TextArena, StoredTextsStayAndAreCounted) {
    CFxTextArena arena;
    std::vector<std::pair<const char*, std::string>> stored;
    size_t used = 0;
    for (size_t i = 0; i < 300; ++i) {
        const std::string text(i % 7 == 0 ? 200 + i * 3 : i % 13 + 1,
                               static_cast<char>('a' + i % 26));
        stored.emplace_back(arena.Store(text), text);
        used += text.size();
        ASSERT_EQ(arena.Used(), used);
    }
    EXPECT_EQ(arena.Store(""), nullptr);
    EXPECT_EQ(arena.Used(), used);
    CFxTextArena moved(std::move(arena));
    EXPECT_EQ(arena.Used(), 0U);
    EXPECT_EQ(moved.Used(), used);
    for (const auto& [at, text] : stored) {
        EXPECT_EQ(std::string(at, text.size()), text);
    }
    moved.Reserve(1000);
    EXPECT_EQ(moved.Used(), used);
    EXPECT_EQ(std::string(moved.Store("after"), 5), "after");
    EXPECT_EQ(moved.Used(), used + 5);
    moved.Clear();
    EXPECT_EQ(moved.Used(), 0U);
    EXPECT_EQ(std::string(moved.Store("again"), 5), "again");
    EXPECT_EQ(moved.Used(), 5U);
}

}  // namespace
