// Buffers and trees that share bytes must never let a write through one be
// seen through another, nor lose bytes when the original goes away.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "editor/tree/revolver.h"
#include "editor/tree/value_tree.h"

namespace {

TEST(SharedBytes, CopiesAndSlicesStayAsTheyWere) {
    auto original = std::make_unique<CRevolver>(CRevolver::FromBytes("0123456789"));
    const CRevolver copy = *original;
    const CRevolver slice = original->Slice(2, 3);
    ASSERT_TRUE(original->Append("abc"));
    EXPECT_EQ(original->View(), "0123456789abc");
    EXPECT_EQ(copy.View(), "0123456789");
    EXPECT_EQ(slice.View(), "234");
    original.reset();
    EXPECT_EQ(slice.View(), "234");

    CRevolver grown = slice;
    ASSERT_TRUE(grown.Append("x"));
    EXPECT_EQ(grown.View(), "234x");
    EXPECT_EQ(slice.View(), "234");
    EXPECT_TRUE(CRevolver::FromBytes("ab").Slice(1, 2).View().empty());
}

TEST(SharedBytes, OverwriteReusesOnlyStorageOfItsOwn) {
    CRevolver buffer = CRevolver::FromBytes("abcdef");
    const CRevolver kept = buffer;
    uint8_t* room = buffer.Overwrite(3);
    ASSERT_NE(room, nullptr);
    room[0] = 'x';
    room[1] = 'y';
    room[2] = 'z';
    EXPECT_EQ(buffer.View(), "xyz");
    EXPECT_EQ(kept.View(), "abcdef");
    EXPECT_EQ(buffer.Overwrite(0), nullptr);
}

TEST(SharedBytes, DecodedTreeOutlivesAndIgnoresItsInput) {
    CFxAssignGroupEx source;
    source.SetString("name", "first value");
    source.SetInt("n", 7);
    source.SetBytes("raw", CRevolver::FromBytes("payload"));
    auto encoded = std::make_unique<CRevolver>();
    ASSERT_TRUE(source.ToRevolver(*encoded));

    CFxAssignGroupEx tree;
    ASSERT_TRUE(tree.FromRevolver(*encoded));
    // The input is rewritten in place, then dropped.
    CFxAssignGroupEx other;
    other.SetString("zz", "something else entirely, and longer");
    ASSERT_TRUE(other.ToRevolver(*encoded));
    encoded.reset();

    EXPECT_EQ(tree.GetString("name"), "first value");
    EXPECT_EQ(tree.GetInt("n", 0), 7);
    CRevolver raw;
    ASSERT_TRUE(tree.GetBytes("raw", &raw));
    EXPECT_EQ(raw.View(), "payload");
    tree.SetString("name", "short");
    tree.SetString("name", "a good deal longer than before");
    EXPECT_EQ(tree.GetString("name"), "a good deal longer than before");
}

TEST(SharedBytes, DecodingFromItsOwnEntryAndTwiceIntoOneTree) {
    CFxAssignGroupEx inner;
    inner.SetString("a", "alpha");
    CRevolver innerBytes;
    ASSERT_TRUE(inner.ToRevolver(innerBytes));
    CFxAssignGroupEx outer;
    outer.SetBytes("inner", innerBytes);
    CRevolver outerBytes;
    ASSERT_TRUE(outer.ToRevolver(outerBytes));

    CFxAssignGroupEx tree;
    ASSERT_TRUE(tree.FromRevolver(outerBytes));
    // The tree decodes one of its own entries into itself.
    ASSERT_TRUE(tree.FromRevolver(tree.Find("inner")->Bytes()));
    EXPECT_EQ(tree.GetString("a"), "alpha");
    CRevolver back;
    ASSERT_TRUE(tree.GetBytes("inner", &back));
    EXPECT_EQ(back, innerBytes);

    const CFxAssignGroupEx copy = tree;
    tree.RemoveAll();
    EXPECT_EQ(copy.GetString("a"), "alpha");
    ASSERT_TRUE(copy.GetBytes("inner", &back));
    EXPECT_EQ(back, innerBytes);
}

TEST(SharedBytes, ManyKeysRewrittenAndRemovedStayFindable) {
    CFxAssignGroupEx tree;
    for (int i = 0; i < 2000; ++i) {
        tree.SetString("key" + std::to_string(i), std::string(static_cast<size_t>(i % 50), 'v'));
    }
    for (int round = 0; round < 30; ++round) {
        for (int i = 0; i < 2000; i += 7) {
            tree.SetString("key" + std::to_string(i), std::string(100 + round, 'w'));
        }
    }
    for (int i = 0; i < 2000; i += 2) {
        tree.Remove("key" + std::to_string(i));
    }
    EXPECT_EQ(tree.Count(), 1000u);
    for (int i = 1; i < 2000; i += 2) {
        const std::string expected =
            i % 7 == 0 ? std::string(129, 'w') : std::string(static_cast<size_t>(i % 50), 'v');
        ASSERT_EQ(tree.GetString("key" + std::to_string(i)), expected) << i;
    }
    EXPECT_FALSE(tree.Has("key0"));
}

}  // namespace

namespace {

// One entry's encoding; records with repeated keys are these put together.
std::string EntryBytes(const char* key, int kind, const char* value) {
    CFxAssignGroupEx tree;
    if (kind == 0) {
        tree.SetInt(key, 7);
    } else if (kind == 1) {
        tree.SetString(key, value);
    } else {
        tree.SetBytes(key, CRevolver::FromBytes(value));
    }
    CRevolver bytes;
    tree.ToRevolver(bytes);
    return bytes.ToString();
}

TEST(SharedBytes, FindingEncodedBytesAgreesWithDecoding) {
    const std::string records[] = {
        EntryBytes("ca", 2, "x") + EntryBytes("ua", 2, "u") + EntryBytes("ca", 2, "y"),
        EntryBytes("ca", 0, "") + EntryBytes("ca", 2, "x") + EntryBytes("ua", 2, ""),
        EntryBytes("ca", 2, "x") + EntryBytes("ca", 1, "t") + EntryBytes("zz", 2, "z"),
        EntryBytes("ua", 2, "u") + std::string("\x02\x02"
                                               "ca\xFF",
                                               5),
        std::string(),
    };
    constexpr std::string_view kKeys[] = {"ca", "ua"};
    for (const std::string& record : records) {
        const CRevolver in = CRevolver::FromBytes(record);
        CFxAssignGroupEx tree;
        const int decoded = tree.FromRevolver(in);
        CRevolver values[2];
        bool found[2] = {};
        EXPECT_EQ(CFxAssignGroupEx::FindEncodedBytes(in, kKeys, 2, values, found), decoded);
        for (int i = 0; i < 2; ++i) {
            const CRevolver* expected = tree.FindBytes(kKeys[i]);
            ASSERT_EQ(found[i], expected != nullptr) << i;
            if (expected != nullptr) {
                EXPECT_EQ(values[i], *expected);
            }
        }
    }
}

// The values found share the record's bytes: each must hold them, so that
// neither a write into the record nor its end reaches them.
TEST(SharedBytes, FoundBytesHoldTheRecordOfTheirOwn) {
    constexpr std::string_view kKeys[] = {"ca", "ua"};
    auto in = std::make_unique<CRevolver>(CRevolver::FromBytes(EntryBytes("ca", 2, "first") +
                                                               EntryBytes("ua", 2, "unique") +
                                                               EntryBytes("ca", 2, "last")));
    CRevolver values[2];
    bool found[2] = {};
    ASSERT_EQ(CFxAssignGroupEx::FindEncodedBytes(*in, kKeys, 2, values, found), 1);
    const int32_t length = in->GetLength();
    uint8_t* room = in->Overwrite(length);
    ASSERT_NE(room, nullptr);
    std::fill(room, room + length, uint8_t{0});
    EXPECT_EQ(values[0].View(), "last");
    EXPECT_EQ(values[1].View(), "unique");
    in.reset();
    EXPECT_EQ(values[0].View(), "last");
    values[0] = CRevolver();
    EXPECT_EQ(values[1].View(), "unique");
}

}  // namespace
