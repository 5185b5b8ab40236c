// The byte layout of one entry of an encoded tree: a flag byte, the key (a
// name of at most 255 bytes, or a 16-bit index), then the value. Shared by the
// tree's encoder and the nested-record writer, so that both write the same
// bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "editor/tree/value_tree.h"

namespace vy_field {

inline constexpr uint8_t kFlagLongLength = 0x04;
inline constexpr uint8_t kFlagText = 0x08;
inline constexpr uint8_t kFlagInteger = 0x20;
inline constexpr uint8_t kFlagIndexKey = 0x40;
inline constexpr uint8_t kFlagExtension = 0x80;
inline constexpr size_t kMaxKeyLength = 255;

// index is the key's number in a key table, or -1 for a key written by name.
inline int64_t Size(std::string_view key, int32_t index, CFxAssignEntry::Kind kind,
                    int64_t payload) {
    const int64_t keySize =
        index >= 0 ? 2 : static_cast<int64_t>(std::min(key.size(), kMaxKeyLength)) + 1;
    if (kind == CFxAssignEntry::kInteger) {
        return 1 + keySize + 4;
    }
    return 1 + keySize + payload + (payload < 256 ? 1 : 4);
}

inline int64_t PayloadSize(const CFxAssignEntry& entry) {
    switch (entry.GetKind()) {
        case CFxAssignEntry::kInteger:
            return 4;
        case CFxAssignEntry::kText:
            return static_cast<int64_t>(entry.Text().size());
        default:
            return entry.Bytes().GetLength();
    }
}

// An entry's encoded size, its key written by name.
inline int64_t EntrySize(const CFxAssignEntry& entry) {
    return Size(entry.Key(), -1, entry.GetKind(), PayloadSize(entry));
}

inline uint8_t* WriteLittleEndian(uint8_t* at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        *at++ = static_cast<uint8_t>(value >> (8 * i));
    }
    return at;
}

// Kept out of line: inlined, memcpy of a bounded size becomes a string
// instruction that is slow for the few bytes a key has.
[[gnu::noinline]] inline void CopyLong(uint8_t* at, const char* from, size_t size) {
    std::memcpy(at, from, size);
}

// Keys and most texts are a few bytes long: copied with two overlapping
// moves instead of a library call.
inline uint8_t* WriteBytes(uint8_t* at, std::string_view bytes) {
    const size_t size = bytes.size();
    const char* from = bytes.data();
    if (size >= 8 && size <= 16) {
        std::memcpy(at, from, 8);
        std::memcpy(at + size - 8, from + size - 8, 8);
    } else if (size >= 4 && size < 8) {
        std::memcpy(at, from, 4);
        std::memcpy(at + size - 4, from + size - 4, 4);
    } else if (size > 16) {
        CopyLong(at, from, size);
    } else {
        for (size_t i = 0; i < size; ++i) {
            at[i] = static_cast<uint8_t>(from[i]);
        }
    }
    return at + size;
}

// The flag, the key and, for texts and bytes, the length; the caller writes
// the value (four bytes for an integer, payload bytes otherwise).
inline uint8_t* WriteHead(uint8_t* at, std::string_view key, int32_t index,
                          CFxAssignEntry::Kind kind, uint32_t payload) {
    uint8_t flag = 0;
    if (kind == CFxAssignEntry::kInteger) {
        flag = kFlagInteger | 0x03;
    } else {
        flag = kind == CFxAssignEntry::kText ? kFlagText : 0;
        if (payload >= 256) {
            flag |= kFlagLongLength;
        }
    }
    if (index >= 0) {
        flag |= kFlagIndexKey;
    }
    *at++ = flag;
    if (index >= 0) {
        at = WriteLittleEndian(at, static_cast<uint32_t>(index), 2);
    } else {
        const std::string_view name = key.substr(0, kMaxKeyLength);
        *at++ = static_cast<uint8_t>(name.size());
        at = WriteBytes(at, name);
    }
    if (kind != CFxAssignEntry::kInteger) {
        at = WriteLittleEndian(at, payload, payload >= 256 ? 4 : 1);
    }
    return at;
}

}  // namespace vy_field
