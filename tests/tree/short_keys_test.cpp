#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/tree/short_keys.h"

namespace {

// Every byte of a short key counts, and so does its length.
TEST(ShortKeys, HashesTellShortKeysApart) {
    const uint64_t seed = vy_keys::Seed();
    std::set<uint32_t> hashes;
    size_t keys = 0;
    for (size_t length = 1; length <= 20; ++length) {
        for (size_t place = 0; place < length; ++place) {
            std::string key(length, 'k');
            key[place] = 'x';
            hashes.insert(vy_keys::HashKey(key, seed));
            ++keys;
        }
        hashes.insert(vy_keys::HashKey(std::string(length, 'k'), seed));
        hashes.insert(vy_keys::HashKey(std::string(length, '\0'), seed));
        keys += 2;
    }
    EXPECT_EQ(hashes.size(), keys);
}

TEST(ShortKeys, SameKeyComparesEveryByte) {
    for (size_t length = 0; length <= 20; ++length) {
        const std::string key(length, 'k');
        EXPECT_TRUE(vy_keys::SameKey(key, std::string(length, 'k')));
        EXPECT_FALSE(vy_keys::SameKey(key, std::string(length + 1, 'k')));
        for (size_t place = 0; place < length; ++place) {
            std::string other = key;
            other[place] = 'x';
            EXPECT_FALSE(vy_keys::SameKey(key, other)) << length << " bytes, change at " << place;
        }
    }
}

}  // namespace
