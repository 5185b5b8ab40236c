// Keys are a few bytes long: compared and hashed with a few word loads rather
// than library calls. Shared by the tree and its decoder.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vy_keys {

inline uint64_t Load64(const char* at) {
    uint64_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

inline uint32_t Load32(const char* at) {
    uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

[[gnu::always_inline]] inline bool SameKey(std::string_view a, std::string_view b) {
    const size_t size = a.size();
    if (size != b.size()) {
        return false;
    }
    if (size >= 8 && size <= 16) {
        return Load64(a.data()) == Load64(b.data()) &&
               Load64(a.data() + size - 8) == Load64(b.data() + size - 8);
    }
    if (size >= 4 && size < 8) {
        return Load32(a.data()) == Load32(b.data()) &&
               Load32(a.data() + size - 4) == Load32(b.data() + size - 4);
    }
    if (size < 4) {
        // First, middle and last byte cover every byte of a key this short.
        return size == 0 ||
               (a[0] == b[0] && a[size / 2] == b[size / 2] && a[size - 1] == b[size - 1]);
    }
    return a == b;
}

__extension__ using Wide = unsigned __int128;

// Both halves of the 128-bit product, folded: one multiplication mixes every
// bit of both words.
inline uint64_t Fold(uint64_t a, uint64_t b) {
    const Wide product = static_cast<Wide>(a) * b;
    return static_cast<uint64_t>(product) ^ static_cast<uint64_t>(product >> 64);
}

inline constexpr uint64_t kOdd1 = 0xa0761d6478bd642fULL;
inline constexpr uint64_t kOdd2 = 0xe7037ed1a0b428dbULL;

// Chosen once per process, so that the keys of a file cannot be chosen to
// collide in an index. (A local static: a tree may be hashed during static
// initialisation.)
[[gnu::always_inline]] inline uint64_t Seed() {
    static const uint64_t seed = Fold(
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^ kOdd1,
        reinterpret_cast<uintptr_t>(&seed) ^ kOdd2);
    return seed;
}

// seed is Seed(), which a caller hashing many keys may read once.
[[gnu::always_inline]] inline uint32_t HashKey(std::string_view key, uint64_t seed) {
    const char* bytes = key.data();
    const size_t size = key.size();
    seed ^= size;
    uint64_t first = 0;
    uint64_t last = 0;
    if (size > 16) {
        size_t at = 0;
        for (; at + 16 < size; at += 16) {
            seed = Fold(Load64(bytes + at) ^ kOdd1, Load64(bytes + at + 8) ^ seed);
        }
        first = Load64(bytes + size - 16);
        last = Load64(bytes + size - 8);
    } else if (size >= 8) {
        first = Load64(bytes);
        last = Load64(bytes + size - 8);
    } else if (size >= 4) {
        first = Load32(bytes);
        last = Load32(bytes + size - 4);
    } else if (size > 0) {
        first = static_cast<uint64_t>(static_cast<uint8_t>(bytes[0])) << 16 |
                static_cast<uint64_t>(static_cast<uint8_t>(bytes[size / 2])) << 8 |
                static_cast<uint8_t>(bytes[size - 1]);
    }
    return static_cast<uint32_t>(Fold(first ^ kOdd1, last ^ seed ^ kOdd2));
}

[[gnu::always_inline]] inline uint32_t HashKey(std::string_view key) {
    return HashKey(key, Seed());
}

}  // namespace vy_keys
