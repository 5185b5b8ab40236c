// The compact binary form of a value tree: entries back to back, each a flag
// byte, a key (name or 16-bit index) and a value; the buffer's end ends the tree.
#include <algorithm>

#include "editor/tree/entry_reader.h"
#include "editor/tree/field_format.h"
#include "editor/tree/key_table.h"
#include "editor/tree/short_keys.h"
#include "editor/tree/value_tree.h"

using namespace vy_field;

namespace {

// The key's 16-bit index in the table, or -1 when it is written by name. (A
// plain number: an optional here costs a store-forwarding stall per entry.)
int32_t KeyIndex(const CFxAssignEntry& entry, const CFxKeyTable* table) {
    if (table == nullptr) {
        return -1;
    }
    const std::optional<uint16_t> index = table->IndexOf(entry.Key());
    return index ? *index : -1;
}

uint8_t* WriteEntry(uint8_t* at, const CFxAssignEntry& entry, int32_t index) {
    const auto payload = static_cast<uint32_t>(PayloadSize(entry));
    at = WriteHead(at, entry.Key(), index, entry.GetKind(), payload);
    switch (entry.GetKind()) {
        case CFxAssignEntry::kInteger:
            return WriteLittleEndian(at, static_cast<uint32_t>(entry.Integer()), 4);
        case CFxAssignEntry::kText:
            return WriteBytes(at, entry.Text());
        default:
            return WriteBytes(at, entry.Bytes().View());
    }
}

// Hands each entry to a visitor as it is read, nothing stored.
class VisitSink {
  public:
    explicit VisitSink(const CFxEntryVisitor& visit) : m_visit(visit) {}

    void Integer(std::string_view key, bool, int32_t value) {
        m_visit({key, CFxAssignEntry::kInteger, value, {}, 0, 0});
    }
    void Text(std::string_view key, bool, std::string_view text) {
        m_visit({key, CFxAssignEntry::kText, 0, text, 0, 0});
    }
    void Bytes(std::string_view key, bool, int32_t offset, int32_t size) {
        m_visit({key, CFxAssignEntry::kBytes, 0, {}, offset, size});
    }

  private:
    const CFxEntryVisitor& m_visit;
};

}  // namespace

// Takes the bytes values of a few keys as a decode would find them: a key's
// first entry fixes its kind, its last bytes value is the one kept.
class CFxAssignGroupEx::BytesFinder {
  public:
    static constexpr size_t kMaxKeys = 8;

    BytesFinder(const CRevolver& in, const std::string_view* keys, size_t count, CRevolver* values,
                bool* found)
        : m_in(in), m_keys(keys), m_count(count), m_values(values), m_found(found) {
        for (size_t i = 0; i < count; ++i) {
            m_values[i] = CRevolver();
            m_found[i] = false;
        }
    }

    void Integer(std::string_view key, bool, int32_t) { Meet(key, false, 0, 0); }
    void Text(std::string_view key, bool, std::string_view) { Meet(key, false, 0, 0); }
    void Bytes(std::string_view key, bool, int32_t offset, int32_t size) {
        Meet(key, true, offset, size);
    }

  private:
    [[gnu::always_inline]] void Meet(std::string_view key, bool isBytes, int32_t offset,
                                     int32_t size) {
        for (size_t i = 0; i < m_count; ++i) {
            if (!vy_keys::SameKey(key, m_keys[i])) {
                continue;
            }
            const uint8_t bit = static_cast<uint8_t>(1U << i);
            if ((m_seen & bit) == 0) {
                m_seen |= bit;
                m_found[i] = isBytes;
            }
            // Borrowed while the read goes on: the values found take their
            // references together at its end.
            if (isBytes && m_found[i]) {
                m_values[i] = m_in.Borrow(offset, size);
            }
        }
    }

    const CRevolver& m_in;
    const std::string_view* m_keys;
    size_t m_count;
    CRevolver* m_values;
    bool* m_found;
    uint8_t m_seen = 0;
};

int64_t CFxAssignGroupEx::EncodedSize(const CFxKeyTable* table, CFxEntryFilter filter) const {
    // The common case, every key written by name: the tree keeps the size.
    if (table == nullptr && filter.IsEmpty()) {
        return m_emptyKeys != 0 ? -1 : m_encodedSize;
    }
    int64_t size = 0;
    for (const CFxAssignEntry& entry : m_entries) {
        if (!filter.Passes(entry.Key())) {
            continue;
        }
        if (entry.Key().empty()) {
            return -1;
        }
        size += Size(entry.Key(), KeyIndex(entry, table), entry.GetKind(), PayloadSize(entry));
    }
    return size;
}

uint8_t* CFxAssignGroupEx::WriteEntries(uint8_t* at, const CFxKeyTable* table,
                                        CFxEntryFilter filter) const {
    if (table == nullptr && filter.IsEmpty()) {
        for (const CFxAssignEntry& entry : m_entries) {
            at = WriteEntry(at, entry, -1);
        }
        return at;
    }
    for (const CFxAssignEntry& entry : m_entries) {
        if (filter.Passes(entry.Key())) {
            at = WriteEntry(at, entry, KeyIndex(entry, table));
        }
    }
    return at;
}

int CFxAssignGroupEx::ToRevolver(CRevolver& out, const CFxKeyTable* table,
                                 const CFxKeyFilter* filter) const {
    const int64_t size = EncodedSize(table, {filter, nullptr});
    if (size < 0 || size > INT32_MAX) {
        return 0;
    }
    if (size == 0) {
        out.Clear();
        return 1;
    }
    uint8_t* at = out.Overwrite(static_cast<int32_t>(size));
    if (at == nullptr) {
        return 0;
    }
    WriteEntries(at, table, {filter, nullptr});
    return 1;
}

int CFxAssignGroupEx::VisitEncoded(const CRevolver& in, const CFxEntryVisitor& visit,
                                   const CFxKeyTable* table) {
    if (!in.IsValid()) {
        return 0;
    }
    VisitSink sink(visit);
    return vy_read::EntryReader<VisitSink>(in, table, sink).Run();
}

void CFxAssignGroupEx::SetFromView(const CFxEntryView& entry, const CRevolver& in) {
    switch (entry.kind) {
        case CFxAssignEntry::kInteger:
            SetInt(entry.key, entry.integer);
            break;
        case CFxAssignEntry::kText:
            SetString(entry.key, entry.text);
            break;
        default:
            SetBytes(entry.key, in.Slice(entry.offset, entry.size));
            break;
    }
}

int CFxAssignGroupEx::FindEncodedBytes(const CRevolver& in, const std::string_view* keys,
                                       size_t count, CRevolver* values, bool* found) {
    count = std::min(count, BytesFinder::kMaxKeys);
    BytesFinder sink(in, keys, count, values, found);
    const int result =
        in.IsValid() ? vy_read::EntryReader<BytesFinder>(in, nullptr, sink).Run() : 0;
    in.HoldBorrowed(values, count);
    return result;
}

int CFxAssignGroupEx::SaveTreeToFile(const std::string& path) const {
    CRevolver buffer;
    return ToRevolver(buffer) && buffer.SaveToFile(path) ? 1 : 0;
}

int CFxAssignGroupEx::LoadTreeFromFile(const std::string& path) {
    CRevolver buffer;
    return buffer.LoadFromFile(path) && FromRevolver(buffer) ? 1 : 0;
}
