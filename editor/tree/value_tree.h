// CFxAssignGroupEx: the named-value tree that carries every record.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "editor/tree/key_table.h"
#include "editor/tree/revolver.h"
#include "editor/tree/text_arena.h"

// One key's value. The kind is fixed by the setter that created the entry.
// Keys and texts are stored by the tree that holds the entry.
class CFxAssignEntry {
  public:
    enum Kind : int32_t { kText = 1, kBytes = 2, kInteger = 3 };

    // Only a tree makes entries.
    class Maker {
        friend class CFxAssignGroupEx;
        Maker() {}
    };
    CFxAssignEntry(Maker, const char* key, size_t keyLength, bool keyOwned, uint32_t hash,
                   Kind kind)
        : m_key(key),
          m_keyLength(static_cast<uint32_t>(keyLength)),
          m_hash(hash),
          m_kind(kind),
          m_keyOwned(keyOwned) {}

    std::string_view Key() const { return {m_key, m_keyLength}; }
    Kind GetKind() const { return m_kind; }
    std::string_view Text() const { return {m_text, m_textLength}; }
    const CRevolver& Bytes() const { return m_bytes; }
    int32_t Integer() const { return m_integer; }

  private:
    friend class CFxAssignGroupEx;

    size_t OwnedBytes() const {
        return size_t{m_keyOwned ? m_keyLength : 0} + (m_textOwned ? m_textLength : 0);
    }

    // Lengths are 32-bit so that an entry fills one cache line; the tree
    // refuses longer keys and texts.
    const char* m_key;
    const char* m_text = nullptr;
    uint32_t m_keyLength;
    uint32_t m_textLength = 0;
    uint32_t m_hash;
    Kind m_kind;
    // Whether the key and the text are in the tree's arena; otherwise they
    // are read in place from the bytes the tree was decoded from.
    bool m_keyOwned = true;
    bool m_textOwned = false;
    int32_t m_integer = 0;
    CRevolver m_bytes;
};

// Key names that an encode writes; an absent filter writes every key.
using CFxKeyFilter = std::unordered_set<std::string, CFxKeyHash, std::equal_to<>>;

// Whether a key is written: a test that the caller supplies.
using CFxKeyTest = bool (*)(std::string_view key);

// The keys an encode writes: those in the set, if given, that pass the test,
// if given.
struct CFxEntryFilter {
    const CFxKeyFilter* set = nullptr;
    CFxKeyTest test = nullptr;

    bool IsEmpty() const { return set == nullptr && test == nullptr; }
    bool Passes(std::string_view key) const {
        return (set == nullptr || set->find(key) != set->end()) && (test == nullptr || test(key));
    }
};

// One entry as a read meets it: a text is a view into the input, a bytes
// value the range offset, size of it.
struct CFxEntryView {
    std::string_view key;
    CFxAssignEntry::Kind kind;
    int32_t integer;
    std::string_view text;
    int32_t offset;
    int32_t size;
};
using CFxEntryVisitor = std::function<void(const CFxEntryView&)>;

class VYEDIT_EXPORT CFxAssignGroupEx {
  public:
    CFxAssignGroupEx() = default;
    CFxAssignGroupEx(const CFxAssignGroupEx& other);
    CFxAssignGroupEx(CFxAssignGroupEx&& other) noexcept;
    CFxAssignGroupEx& operator=(const CFxAssignGroupEx& other);
    CFxAssignGroupEx& operator=(CFxAssignGroupEx&& other) noexcept;
    virtual ~CFxAssignGroupEx() = default;

    int GetString(std::string_view key, std::string* out) const;
    std::string GetString(std::string_view key) const;
    int GetInt(std::string_view key, int32_t* out) const;
    int32_t GetInt(std::string_view key, int32_t fallback) const;
    int GetBytes(std::string_view key, CRevolver* out) const;

    void SetString(std::string_view key, std::string_view text);
    void SetInt(std::string_view key, int32_t value);
    void SetIntAsText(std::string_view key, int32_t value);
    void SetBytes(std::string_view key, const CRevolver& bytes);
    void SetBytes(std::string_view key, CRevolver&& bytes);

    void Remove(std::string_view key);
    void RemoveWithPrefix(std::string_view prefix);
    void RemoveAll();

    const CFxAssignEntry* Find(std::string_view key) const;
    // The bytes value of key, read in place; nullptr when key holds none.
    const CRevolver* FindBytes(std::string_view key) const;
    bool Has(std::string_view key) const { return Find(key) != nullptr; }
    size_t Count() const { return m_entries.size(); }

    // Room for `entries` more entries holding `textBytes` bytes of keys and
    // texts, so that filling the tree takes no further allocation.
    void Reserve(size_t entries, size_t textBytes);

    // Entries in the order in which their keys were first set. Setting a new
    // key may move the entries: do not hold one across a setter.
    auto begin() const { return m_entries.cbegin(); }
    auto end() const { return m_entries.cend(); }

    // Encoding (one allocation) and decoding of the compact binary form.
    int ToRevolver(CRevolver& out, const CFxKeyTable* table = nullptr,
                   const CFxKeyFilter* filter = nullptr) const;
    int FromRevolver(const CRevolver& in, const CFxKeyTable* table = nullptr);
    // The same, keeping the given buffer rather than a reference to it.
    int FromRevolver(CRevolver&& in, const CFxKeyTable* table = nullptr);
    // Reads in as FromRevolver does, with the same result, but hands every
    // entry to visit in the order the bytes hold them, repeated keys
    // included, and stores nothing: for records too large to hold twice.
    static int VisitEncoded(const CRevolver& in, const CFxEntryVisitor& visit,
                            const CFxKeyTable* table = nullptr);
    // Sets an entry that VisitEncoded met in in, as decoding would.
    void SetFromView(const CFxEntryView& entry, const CRevolver& in);
    // The bytes values of count keys of an encoded record, as FromRevolver
    // and FindBytes would give them, without building the tree: found[i]
    // tells whether keys[i] has one. The result is FromRevolver's.
    static int FindEncodedBytes(const CRevolver& in, const std::string_view* keys, size_t count,
                                CRevolver* values, bool* found);
    int SaveTreeToFile(const std::string& path) const;
    int LoadTreeFromFile(const std::string& path);

  private:
    // Trees up to this size are searched without an index.
    static constexpr size_t kIndexThreshold = 24;

    // A small tree's summary of its keys: two of 64 bits per key, from hash
    // bits the index does not use first.
    static uint64_t BloomBits(uint32_t hash) {
        return uint64_t{1} << (hash >> 26) | uint64_t{1} << ((hash >> 20) & 63);
    }
    bool MayHold(uint32_t hash) const {
        const uint64_t bits = BloomBits(hash);
        return (m_bloom & bits) == bits;
    }
    // Keys and texts of 4 GB and more cannot be encoded anyway; like a string
    // beyond its largest size, they are refused.
    static void RequireLength(std::string_view text) {
        if (text.size() > UINT32_MAX) {
            throw std::length_error("value tree: key or text of 4 GB or more");
        }
    }

    CFxAssignEntry& Obtain(std::string_view key, CFxAssignEntry::Kind kind);
    const CFxAssignEntry* FindHashed(std::string_view key, uint32_t hash) const;
    // One walk of the index: the slot that holds key, with *found set to its
    // entry, or the free slot where it goes, with *found null.
    size_t WalkIndex(std::string_view key, uint32_t hash, const CFxAssignEntry** found) const;
    void AssignText(CFxAssignEntry& entry, std::string_view text);
    friend class CFxTreeDecoder;
    friend class CFxTreeWriter;
    class BytesFinder;  // the sink of FindEncodedBytes

    // The encoded size of the entries that pass, or -1 when one of them
    // cannot be written (an empty key).
    int64_t EncodedSize(const CFxKeyTable* table, CFxEntryFilter filter) const;
    uint8_t* WriteEntries(uint8_t* at, const CFxKeyTable* table, CFxEntryFilter filter) const;

    // An entry as the decoder finds it: key and text point into the source
    // (a key may also come from a key table), a bytes value is a range of it.
    struct Decoded {
        const char* key;
        size_t keyLength;
        const char* text;
        size_t textLength;
        bool keyInSource;
        CFxAssignEntry::Kind kind;
        int32_t value;  // the integer, or the offset of the bytes
        int32_t size;
        uint32_t hash;  // of the key
    };
    void StoreDecoded(const Decoded& decoded);
    void AppendDecoded(const Decoded& decoded);
    void StoreDecodedIndexed(const Decoded& decoded);
    void StoreDecodedAnywhere(const Decoded& decoded);
    CFxAssignEntry& ObtainHashed(std::string_view key, uint32_t hash, bool keyInSource,
                                 CFxAssignEntry::Kind kind);
    void MakeRoom();
    void SetDecodedText(CFxAssignEntry& entry, std::string_view text);
    void UseSource(const CRevolver& source);
    void UseSource(CRevolver&& source);
    // Entries may read in place from one decoded buffer only; the texts of
    // an earlier one are copied first.
    void ForgetBorrowedTexts() {
        if (m_source.GetLength() != 0 && !m_entries.empty()) {
            Restore(true);
        }
    }
    int DecodeSource(const CFxKeyTable* table);
    [[gnu::always_inline]] void Append(std::string_view key, bool keyInSource, uint32_t hash,
                                       CFxAssignEntry::Kind kind) {
        if (keyInSource) {
            m_entries.emplace_back(CFxAssignEntry::Maker(), key.data(), key.size(), false, hash,
                                   kind);
        } else {
            m_entries.emplace_back(CFxAssignEntry::Maker(), m_texts.Store(key), key.size(), true,
                                   hash, kind);
            m_liveTextBytes += key.size();
        }
    }
    // Adds (sign 1) or takes back (-1) an entry's share of the encoded size;
    // taken back before its value changes, added again after.
    void Account(const CFxAssignEntry& entry, int sign);
    void AddToIndex(uint32_t position);
    void Place(uint32_t position);
    void Reindex(size_t expected);
    void Restore(bool takeBorrowed);
    void CompactIfWasteful();

    // Most records hold a handful of keys, searched fastest in one contiguous
    // block; an open-addressing index of entry positions + 1 is kept only
    // once a tree grows beyond that.
    std::vector<CFxAssignEntry> m_entries;
    std::vector<uint32_t> m_slots;
    uint64_t m_bloom = 0;  // while there is no index: bits for each key's hash
    CFxTextArena m_texts;
    size_t m_liveTextBytes = 0;  // of the keys and texts in m_texts
    CRevolver m_source;          // the decoded bytes that entries read in place
    int64_t m_encodedSize = 0;   // of all entries, keys written by name
    size_t m_emptyKeys = 0;      // entries that cannot be written
};
