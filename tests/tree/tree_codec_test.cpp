#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/tree/key_table.h"
#include "editor/tree/value_tree.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Encode(const CFxAssignGroupEx& tree, const CFxKeyTable* table = nullptr,
                   const CFxKeyFilter* filter = nullptr) {
    CRevolver out;
    EXPECT_TRUE(tree.ToRevolver(out, table, filter));
    return out.ToString();
}

struct Decoded {
    int result;
    CFxAssignGroupEx tree;
};

Decoded Decode(const std::string& bytes, const CFxKeyTable* table = nullptr) {
    Decoded decoded;
    decoded.result = decoded.tree.FromRevolver(CRevolver::FromBytes(bytes), table);
    return decoded;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

const std::string kTextA = Bytes({0x08, 1, 'a', 1, 'x'});  // "a" = "x"

TEST(TreeEncoding, WriterForms) {
    CFxAssignGroupEx tree;
    tree.SetInt("ack", 6);
    EXPECT_EQ(Encode(tree), Bytes({0x23, 3, 'a', 'c', 'k', 6, 0, 0, 0}));

    CFxAssignGroupEx texts;
    texts.SetString("s", std::string(255, 't'));
    texts.SetString("l", std::string(256, 't'));
    texts.SetBytes("b", CRevolver::FromBytes("zz"));
    texts.SetBytes("B", CRevolver::FromBytes(std::string(300, 'q')));
    const std::string encoded = Encode(texts);
    EXPECT_EQ(encoded.substr(0, 4), Bytes({0x08, 1, 's', 255}));
    EXPECT_EQ(encoded.substr(259, 7), Bytes({0x0C, 1, 'l', 0, 1, 0, 0}));
    EXPECT_EQ(encoded.substr(522, 5), Bytes({0x00, 1, 'b', 2, 'z'}));
    EXPECT_EQ(encoded.substr(528, 7), Bytes({0x04, 1, 'B', 0x2C, 1, 0, 0}));
    EXPECT_EQ(encoded.size(), 535u + 300u);
}

TEST(TreeEncoding, EmptyTreeAndEmptyKey) {
    EXPECT_EQ(Encode(CFxAssignGroupEx()), "");
    const Decoded empty = Decode("");
    EXPECT_EQ(empty.result, 1);
    EXPECT_EQ(empty.tree.Count(), 0u);

    CFxAssignGroupEx bad;
    bad.SetString("ok", "1");
    bad.SetString("", "2");
    CRevolver out = CRevolver::FromBytes("previous");
    EXPECT_FALSE(bad.ToRevolver(out));
    EXPECT_EQ(out.View(), "previous");
}

TEST(TreeEncoding, LongKeyIsCutTo255Bytes) {
    CFxAssignGroupEx tree;
    tree.SetInt(std::string(300, 'k'), 1);
    const Decoded back = Decode(Encode(tree));
    ASSERT_EQ(back.result, 1);
    EXPECT_EQ(back.tree.GetInt(std::string(255, 'k'), 0), 1);
}

TEST(TreeEncoding, RoundTripWithFilterAndKeyTable) {
    CFxAssignGroupEx tree;
    tree.SetString("name", "value");
    tree.SetInt("n", -2);
    tree.SetBytes("raw", CRevolver::FromBytes(std::string("\0\1\2", 3)));
    CFxKeyTable table;
    table.Add("name", 513);
    const std::string encoded = Encode(tree, &table);
    EXPECT_EQ(encoded.substr(0, 3), Bytes({0x48, 0x01, 0x02}));
    const Decoded back = Decode(encoded, &table);
    ASSERT_EQ(back.result, 1);
    EXPECT_EQ(back.tree.GetString("name"), "value");
    EXPECT_EQ(back.tree.GetInt("n", 0), -2);
    EXPECT_EQ(back.tree.Find("raw")->Bytes().View(), std::string("\0\1\2", 3));

    const CFxKeyFilter filter{"n"};
    const Decoded filtered = Decode(Encode(tree, nullptr, &filter));
    EXPECT_EQ(filtered.tree.Count(), 1u);
    EXPECT_TRUE(filtered.tree.Has("n"));
}

TEST(TreeDecoding, ExistingKeysKeepTheirKind) {
    CFxAssignGroupEx tree;
    tree.SetInt("a", 5);
    EXPECT_EQ(tree.FromRevolver(CRevolver::FromBytes(kTextA)), 1);
    EXPECT_EQ(tree.Find("a")->GetKind(), CFxAssignEntry::kInteger);
    EXPECT_EQ(tree.GetInt("a", 0), 5);
}

TEST(TreeDecoding, TextAndNamesStopAtZeroBytes) {
    const Decoded d = Decode(Bytes({0x08, 3, 'k', 0, 'z', 3, 'a', 0, 'b'}));
    ASSERT_EQ(d.result, 1);
    EXPECT_EQ(d.tree.GetString("k"), "a");
    EXPECT_EQ(Decode(Bytes({0x08, 2, 0, 'k', 1, 'a'})).result, 0);
    EXPECT_EQ(Decode(Bytes({0x08, 0, 1, 'a'})).result, 0);
}

// Short keys and texts are searched for a zero byte with loads that reach
// past them: every length, every place of the zero and none, with an entry
// behind them and at the very end of the input.
TEST(TreeDecoding, ZeroBytesCutKeysAndTextsOfEveryShortLength) {
    const std::string tail = Bytes({0x08, 4, 't', 'a', 'i', 'l', 20}) + std::string(20, 'q');
    for (size_t length = 1; length <= 20; ++length) {
        for (size_t zero = 1; zero <= length; ++zero) {  // zero == length: none
            std::string key;
            std::string text;
            for (size_t i = 0; i < length; ++i) {
                key.push_back(static_cast<char>(i == zero ? 0 : 'a' + i));
                text.push_back(static_cast<char>(i == zero ? 0 : 'A' + i));
            }
            const std::string entry = Bytes({0x08, static_cast<int>(length)}) + key +
                                      Bytes({static_cast<int>(length)}) + text;
            for (const std::string& input : {entry, entry + tail}) {
                const Decoded d = Decode(input);
                SCOPED_TRACE(testing::Message() << length << " bytes, zero at " << zero);
                EXPECT_EQ(d.result, 1);
                EXPECT_EQ(d.tree.Count(), input.size() == entry.size() ? 1U : 2U);
                EXPECT_EQ(d.tree.GetString(key.substr(0, zero)), text.substr(0, zero));
            }
        }
    }
}

TEST(TreeDecoding, CutInputStopsWithOneAndKeepsEarlierEntries) {
    // Inside the key length, the key name, the value length and a text body.
    for (const std::string& tail :
         {Bytes({0x08}), Bytes({0x08, 3, 'a'}), Bytes({0x08, 1, 'b'}), Bytes({0x0C, 1, 'b', 5, 0}),
          Bytes({0x08, 1, 'b', 4, 'x'}), Bytes({0x48, 1})}) {
        CFxKeyTable table;
        const Decoded d = Decode(kTextA + tail, &table);
        EXPECT_EQ(d.result, 1);
        EXPECT_EQ(d.tree.GetString("a"), "x");
        EXPECT_FALSE(d.tree.Has("b"));
    }
}

TEST(TreeDecoding, FailuresStopWithZeroAndKeepEarlierEntries) {
    CFxKeyTable table;
    table.Add("t", 1);
    const struct {
        std::string tail;
        const CFxKeyTable* table;
    } cases[] = {
        {Bytes({0x00, 1, 'b', 4, 'x'}), nullptr},      // bytes body cut short
        {Bytes({0x04, 1, 'b', 0, 0, 0, 1}), nullptr},  // declared 16 MB, none there
        {Bytes({0x48, 1, 0, 1, 'x'}), nullptr},        // index key without table
        {Bytes({0x48, 9, 0, 1, 'x'}), &table},         // unknown index
        {Bytes({0x22, 1, 'b'}), nullptr},              // integer width code 2
        {Bytes({0x23, 1, 'b', 1, 2}), nullptr},        // integer value cut short
        {Bytes({0x88, 1, 'b', 0x80}), nullptr},        // extension byte missing
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(kTextA + c.tail, c.table);
        EXPECT_EQ(d.result, 0);
        EXPECT_EQ(d.tree.GetString("a"), "x");
        EXPECT_FALSE(d.tree.Has("b"));
    }
}

TEST(TreeDecoding, ExtensionBytesAreSkippedUpTo255) {
    const Decoded d = Decode(Bytes({0x88, 1, 'e', 0x80, 0x05, 2, 'h', 'i'}));
    ASSERT_EQ(d.result, 1);
    EXPECT_EQ(d.tree.GetString("e"), "hi");

    std::string most = Bytes({0x88, 1, 'e'}) + std::string(254, '\x80') + Bytes({0x01, 1, 'z'});
    EXPECT_EQ(Decode(most).result, 1);
    std::string tooMany = Bytes({0x88, 1, 'e'}) + std::string(255, '\x80') + Bytes({0x01, 1, 'z'});
    EXPECT_EQ(Decode(tooMany).result, 0);
}

TEST(TreeDecoding, IntegerFamilyWithoutValueStoresNothing) {
    const Decoded d = Decode(Bytes({0x21, 1, 'p', 0x20, 1, 'q', 0x33, 1, 'r', 9, 0, 0, 0}));
    ASSERT_EQ(d.result, 1);
    EXPECT_FALSE(d.tree.Has("p"));
    EXPECT_FALSE(d.tree.Has("q"));
    EXPECT_EQ(d.tree.GetInt("r", 0), 9);
}

// What a decode must leave: a key keeps the kind it had first (in the tree or
// in the input) and the last value of that kind; keys stay in first-seen order.
struct ModelEntry {
    std::string key;
    CFxAssignEntry::Kind kind;
    std::string value;  // the text or bytes, or the integer in decimal
};

void ModelSet(std::vector<ModelEntry>& model, const ModelEntry& next) {
    for (ModelEntry& entry : model) {
        if (entry.key == next.key) {
            if (entry.kind == next.kind) {
                entry.value = next.value;
            }
            return;
        }
    }
    model.push_back(next);
}

std::string ValueOf(const CFxAssignEntry& entry) {
    switch (entry.GetKind()) {
        case CFxAssignEntry::kInteger:
            return std::to_string(entry.Integer());
        case CFxAssignEntry::kText:
            return std::string(entry.Text());
        default:
            return entry.Bytes().ToString();
    }
}

TEST(TreeDecoding, RepeatedKeysInSmallAndLargeTrees) {
    uint32_t state = 12345;
    auto next = [&state](uint32_t bound) {
        state = state * 1103515245U + 12345U;
        return (state >> 8) % bound;
    };
    // Key pools from a handful (summary only) to hundreds (indexed), inputs
    // with and without a tree to decode into.
    for (uint32_t pool : {3U, 20U, 30U, 400U}) {
        for (bool prefilled : {false, true}) {
            CFxAssignGroupEx tree;
            std::vector<ModelEntry> model;
            if (prefilled) {
                for (uint32_t i = 0; i < pool / 2 + 1; ++i) {
                    const std::string key = "key" + std::to_string(next(pool));
                    tree.SetInt(key, static_cast<int32_t>(i));
                    ModelSet(model, {key, CFxAssignEntry::kInteger, std::to_string(i)});
                }
            }
            CFxAssignGroupEx input;  // only to encode one entry at a time
            std::string bytes;
            for (uint32_t i = 0; i < pool * 3; ++i) {
                const std::string key = "key" + std::to_string(next(pool));
                const auto kind = static_cast<CFxAssignEntry::Kind>(1 + next(3));
                const std::string value = std::to_string(next(1000));
                input.RemoveAll();
                if (kind == CFxAssignEntry::kInteger) {
                    input.SetInt(key, std::stoi(value));
                } else if (kind == CFxAssignEntry::kText) {
                    input.SetString(key, value);
                } else {
                    input.SetBytes(key, CRevolver::FromBytes(value));
                }
                bytes += Encode(input);
                ModelSet(model, {key, kind, value});
            }
            ASSERT_EQ(tree.FromRevolver(CRevolver::FromBytes(bytes)), 1);
            ASSERT_EQ(tree.Count(), model.size()) << pool;
            size_t at = 0;
            for (const CFxAssignEntry& entry : tree) {
                EXPECT_EQ(entry.Key(), model[at].key) << pool << " " << at;
                EXPECT_EQ(entry.GetKind(), model[at].kind) << model[at].key;
                EXPECT_EQ(ValueOf(entry), model[at].value) << model[at].key;
                EXPECT_EQ(tree.Find(model[at].key), &entry);
                ++at;
            }
            // The kept encoded size sizes the next encode: a wrong one would
            // cut or pad it.
            const Decoded again = Decode(Encode(tree));
            EXPECT_EQ(Encode(again.tree), Encode(tree));
            EXPECT_EQ(again.tree.Count(), model.size());
        }
    }
}

TEST(TreeFiles, SaveAndLoad) {
    VyTempFolder folder;
    const std::string path = folder.File("tree.cfg");
    CFxAssignGroupEx tree;
    tree.SetString("port", "3");
    ASSERT_TRUE(tree.SaveTreeToFile(path));
    CFxAssignGroupEx back;
    ASSERT_TRUE(back.LoadTreeFromFile(path));
    EXPECT_EQ(back.GetString("port"), "3");
    EXPECT_FALSE(back.LoadTreeFromFile(path + ".missing"));
}

}  // namespace
