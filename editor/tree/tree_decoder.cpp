// Decoding: the reader's entries go straight into the tree. Keys and texts
// stay in the input, which the tree keeps.
#include "editor/tree/entry_reader.h"
#include "editor/tree/field_format.h"
#include "editor/tree/short_keys.h"
#include "editor/tree/value_tree.h"

// A key the tree does not hold yet: appended in place, its size counted once
// its value is in.
[[gnu::always_inline]] inline void CFxAssignGroupEx::AppendDecoded(const Decoded& decoded) {
    const std::string_view key(decoded.key, decoded.keyLength);
    Append(key, decoded.keyInSource, decoded.hash, decoded.kind);
    CFxAssignEntry& entry = m_entries.back();
    switch (decoded.kind) {
        case CFxAssignEntry::kInteger:
            entry.m_integer = decoded.value;
            break;
        case CFxAssignEntry::kText:
            entry.m_text = decoded.text;
            entry.m_textLength = static_cast<uint32_t>(decoded.textLength);
            break;
        default:
            entry.m_bytes = m_source.Borrow(decoded.value, decoded.size);
            break;
    }
    // A decoded key is never empty, and the value's size is at hand.
    const int64_t payload = decoded.kind == CFxAssignEntry::kText
                                ? static_cast<int64_t>(decoded.textLength)
                                : decoded.size;
    m_encodedSize += vy_field::Size(key, -1, decoded.kind, payload);
}

// An indexed tree with room for one more key: a new key is appended where
// the walk of the index ends.
void CFxAssignGroupEx::StoreDecodedIndexed(const Decoded& decoded) {
    if (m_slots.size() < (m_entries.size() + 1) * 2) {
        StoreDecodedAnywhere(decoded);  // the index grows first
        return;
    }
    const CFxAssignEntry* found = nullptr;
    const size_t slot = WalkIndex({decoded.key, decoded.keyLength}, decoded.hash, &found);
    if (found != nullptr) {
        StoreDecodedAnywhere(decoded);
        return;
    }
    AppendDecoded(decoded);
    m_slots[slot] = static_cast<uint32_t>(m_entries.size());
}

[[gnu::always_inline]] inline void CFxAssignGroupEx::StoreDecoded(const Decoded& decoded) {
    // A small tree knows most new keys from its summary alone.
    if (!m_slots.empty()) {
        StoreDecodedIndexed(decoded);
    } else if (m_entries.size() >= kIndexThreshold ||
               (MayHold(decoded.hash) &&
                FindHashed({decoded.key, decoded.keyLength}, decoded.hash) != nullptr)) {
        StoreDecodedAnywhere(decoded);
    } else {
        AppendDecoded(decoded);
        m_bloom |= BloomBits(decoded.hash);
    }
}

class CFxTreeDecoder {
  public:
    explicit CFxTreeDecoder(CFxAssignGroupEx& tree) : m_tree(tree), m_seed(vy_keys::Seed()) {}

    void Integer(std::string_view key, bool keyInSource, int32_t value) {
        Store(key, keyInSource, CFxAssignEntry::kInteger, {}, value, 0);
    }
    void Text(std::string_view key, bool keyInSource, std::string_view text) {
        Store(key, keyInSource, CFxAssignEntry::kText, text, 0, 0);
    }
    void Bytes(std::string_view key, bool keyInSource, int32_t offset, int32_t size) {
        Store(key, keyInSource, CFxAssignEntry::kBytes, {}, offset, size);
    }

  private:
    [[gnu::always_inline]] void Store(std::string_view key, bool keyInSource,
                                      CFxAssignEntry::Kind kind, std::string_view text,
                                      int32_t value, int32_t size) {
        m_tree.StoreDecoded({key.data(), key.size(), text.data(), text.size(), keyInSource, kind,
                             value, size, vy_keys::HashKey(key, m_seed)});
    }

    CFxAssignGroupEx& m_tree;
    const uint64_t m_seed;
};

namespace {

// Entries of the records met in practice take some 16 bytes each: a small
// tree starts with room for that many. A larger one is counted first, so
// that it and its index are made once.
constexpr size_t kTypicalEntryBytes = 16;

class CountSink {
  public:
    static constexpr bool kSkipsTexts = true;

    void Integer(std::string_view, bool, int32_t) { ++m_count; }
    void Text(std::string_view, bool, std::string_view) { ++m_count; }
    void Bytes(std::string_view, bool, int32_t, int32_t) { ++m_count; }
    size_t Count() const { return m_count; }

  private:
    size_t m_count = 0;
};

}  // namespace

int CFxAssignGroupEx::FromRevolver(const CRevolver& in, const CFxKeyTable* table) {
    if (!in.IsValid()) {
        return 0;
    }
    // The tree keeps the input, whatever it does to an entry that may hold it.
    UseSource(in);
    return DecodeSource(table);
}

int CFxAssignGroupEx::FromRevolver(CRevolver&& in, const CFxKeyTable* table) {
    if (!in.IsValid()) {
        return 0;
    }
    UseSource(std::move(in));
    return DecodeSource(table);
}

int CFxAssignGroupEx::DecodeSource(const CFxKeyTable* table) {
    const size_t guess = static_cast<size_t>(m_source.GetLength()) / kTypicalEntryBytes + 1;
    if (guess <= kIndexThreshold) {
        Reserve(guess, 0);
    } else {
        CountSink counter;
        vy_read::EntryReader<CountSink>(m_source, table, counter).Run();
        Reserve(counter.Count(), 0);
    }
    CFxTreeDecoder sink(*this);
    const int result = vy_read::EntryReader<CFxTreeDecoder>(m_source, table, sink).Run();
    // A small tree whose entries proved much larger than guessed gives the
    // spare room back.
    if (m_entries.capacity() > 2 * m_entries.size() + 4) {
        m_entries.shrink_to_fit();
    }
    return result;
}
