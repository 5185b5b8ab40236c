// The compact binary form of a value tree: entries back to back, each a flag
// byte, a key (name or 16-bit index) and a value; the buffer's end ends the tree.
#include <algorithm>
#include <bit>
#include <cstring>

#include "editor/tree/field_format.h"
#include "editor/tree/key_table.h"
#include "editor/tree/short_keys.h"
#include "editor/tree/value_tree.h"

using namespace vy_field;

namespace {

constexpr int kMaxExtensionBytes = 255;

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

// The text up to its first zero byte. Keys and most texts are a few bytes
// long, found sooner by a plain loop than by a library call.
uint64_t ZeroBytes(const char* at) {
    uint64_t word = 0;
    std::memcpy(&word, at, 8);
    return (word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL;
}

[[gnu::always_inline]] inline std::string_view UpToZero(std::string_view bytes) {
    static_assert(std::endian::native == std::endian::little);
    const size_t size = bytes.size();
    if (size > 64) {
        return bytes.substr(0, bytes.find('\0'));
    }
    if (size < 4) {
        size_t length = 0;
        while (length < size && bytes[length] != '\0') {
            ++length;
        }
        return bytes.substr(0, length);
    }
    if (size < 8) {
        // Two overlapping words of four.
        for (size_t at = 0;; at = size - 4) {
            uint32_t word = 0;
            std::memcpy(&word, bytes.data() + at, 4);
            const uint32_t zeros = (word - 0x01010101U) & ~word & 0x80808080U;
            if (zeros != 0) {
                return bytes.substr(0, at + static_cast<size_t>(std::countr_zero(zeros) / 8));
            }
            if (at == size - 4) {
                return bytes;
            }
        }
    }
    // Eight bytes at a time, the last word overlapping the one before: the
    // lowest flagged byte of a word is its first zero.
    for (size_t at = 0;; at += 8) {
        const size_t word = std::min(at, size - 8);
        const uint64_t zeros = ZeroBytes(bytes.data() + word);
        if (zeros != 0) {
            return bytes.substr(0, word + static_cast<size_t>(std::countr_zero(zeros) / 8));
        }
        if (word == size - 8) {
            return bytes;
        }
    }
}

}  // namespace

// Hands what a read finds to the tree in small batches, so that the tree can
// be sized from the first batch before anything is stored. Keys and texts
// stay in the input, which the tree keeps.
class CFxTreeDecoder {
  public:
    CFxTreeDecoder(const CRevolver& in, CFxAssignGroupEx& tree) : m_in(in), m_tree(tree) {}

    void Integer(std::string_view key, bool keyInSource, int32_t value) {
        Add({key.data(), key.size(), nullptr, 0, keyInSource, CFxAssignEntry::kInteger, value, 0});
    }
    void Text(std::string_view key, bool keyInSource, std::string_view text) {
        Add({key.data(), key.size(), text.data(), text.size(), keyInSource, CFxAssignEntry::kText,
             0, 0});
    }
    void Bytes(std::string_view key, bool keyInSource, int32_t offset, int32_t size) {
        Add({key.data(), key.size(), nullptr, 0, keyInSource, CFxAssignEntry::kBytes, offset,
             size});
    }

    bool IsFull() const { return m_count == kBatch; }
    // Stores the waiting entries; consumed is how far the read has come.
    void Flush(size_t consumed) {
        if (m_first) {
            m_first = false;
            SizeTree(consumed);
        }
        m_tree.StoreDecoded(m_pending, m_count);
        m_count = 0;
    }

  private:
    static constexpr size_t kBatch = 64;

    void Add(const CFxAssignGroupEx::Decoded& entry) {
        m_pending[m_count++] = entry;
        m_keyBytes += entry.keyInSource ? 0 : entry.keyLength;
    }

    // Scales the first batch up to the whole input.
    void SizeTree(size_t consumed) {
        const size_t total = static_cast<size_t>(m_in.GetLength());
        if (consumed >= total || consumed == 0) {
            m_tree.Reserve(m_count, m_keyBytes);
        } else {
            m_tree.Reserve(m_count * total / consumed + 1, m_keyBytes * total / consumed + 1);
        }
    }

    const CRevolver& m_in;
    CFxAssignGroupEx& m_tree;
    CFxAssignGroupEx::Decoded m_pending[kBatch];  // trivial: costs nothing to set up
    size_t m_count = 0;
    size_t m_keyBytes = 0;
    bool m_first = true;
};

namespace {

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
    bool IsFull() const { return false; }
    void Flush(size_t) {}

  private:
    const CFxEntryVisitor& m_visit;
};

// Takes the bytes values of a few keys as a decode would find them: a key's
// first entry fixes its kind, its last bytes value is the one kept.
class FindSink {
  public:
    static constexpr size_t kMaxKeys = 8;

    FindSink(const CRevolver& in, const std::string_view* keys, size_t count, CRevolver* values,
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
    bool IsFull() const { return false; }
    void Flush(size_t) {}

  private:
    void Meet(std::string_view key, bool isBytes, int32_t offset, int32_t size) {
        for (size_t i = 0; i < m_count; ++i) {
            if (!vy_keys::SameKey(key, m_keys[i])) {
                continue;
            }
            const uint8_t bit = static_cast<uint8_t>(1U << i);
            if ((m_seen & bit) == 0) {
                m_seen |= bit;
                m_found[i] = isBytes;
            }
            if (isBytes && m_found[i]) {
                m_values[i] = m_in.Slice(offset, size);
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

// Reads the entries one by one into a sink, texts cut at their first zero
// byte. The result is 1 when the input ends cleanly or is cut short inside a
// key or a text, 0 when it is malformed; what was read before a fault stays
// read.
template <typename Sink>
class EntryReader {
  public:
    EntryReader(std::string_view bytes, const CFxKeyTable* table, Sink& sink)
        : m_data(reinterpret_cast<const uint8_t*>(bytes.data())),
          m_size(bytes.size()),
          m_table(table),
          m_sink(sink) {}

    int Run() {
        while (m_cursor != m_size) {
            const uint8_t flag = m_data[m_cursor++];
            std::string_view key;
            int stop = ReadKey(flag, &key);
            if (stop != kGoOn) {
                return stop;
            }
            if ((flag & kFlagExtension) && !SkipExtension()) {
                return 0;
            }
            stop = (flag & kFlagInteger) ? ReadInteger(flag, key) : ReadSized(flag, key);
            if (stop != kGoOn) {
                return stop;
            }
            if (m_sink.IsFull()) {
                m_sink.Flush(m_cursor);
            }
        }
        return 1;
    }

  private:
    // What a step returns when the read goes on; otherwise its result.
    static constexpr int kGoOn = -1;

    std::string_view Chars(size_t length) const {
        return {reinterpret_cast<const char*>(m_data + m_cursor), length};
    }

    uint32_t Word(size_t at) const {
        return m_data[at] | m_data[at + 1] << 8 | m_data[at + 2] << 16 |
               static_cast<uint32_t>(m_data[at + 3]) << 24;
    }

    int ReadKey(uint8_t flag, std::string_view* key) {
        if (flag & kFlagIndexKey) {
            if (m_table == nullptr) {
                return 0;
            }
            if (Remaining() < 2) {
                return 1;
            }
            const auto index = static_cast<uint16_t>(m_data[m_cursor] | m_data[m_cursor + 1] << 8);
            m_cursor += 2;
            const std::string* name = m_table->NameOf(index);
            if (name == nullptr) {
                return 0;
            }
            *key = UpToZero(*name);
            m_keyInSource = false;
        } else {
            if (Remaining() < 1) {
                return 1;
            }
            const size_t length = m_data[m_cursor++];
            if (Remaining() < length) {
                return 1;
            }
            *key = UpToZero(Chars(length));
            m_keyInSource = true;
            m_cursor += length;
        }
        return key->empty() ? 0 : kGoOn;
    }

    bool SkipExtension() {
        for (int count = 1;; ++count) {
            if (count > kMaxExtensionBytes || Remaining() < 1) {
                return false;
            }
            if (!(m_data[m_cursor++] & 0x80)) {
                return true;
            }
        }
    }

    int ReadInteger(uint8_t flag, std::string_view key) {
        switch (flag & 0x03) {
            case 2:
                return 0;
            case 3: {
                if (Remaining() < 4) {
                    return 0;
                }
                const uint32_t value = Word(m_cursor);
                m_cursor += 4;
                m_sink.Integer(key, m_keyInSource, static_cast<int32_t>(value));
                return kGoOn;
            }
            default:
                return kGoOn;
        }
    }

    int ReadSized(uint8_t flag, std::string_view key) {
        size_t length = 0;
        if (flag & kFlagLongLength) {
            if (Remaining() < 4) {
                return 1;
            }
            length = Word(m_cursor);
            m_cursor += 4;
        } else {
            if (Remaining() < 1) {
                return 1;
            }
            length = m_data[m_cursor++];
        }
        // The remaining length is checked before anything is stored.
        if (length > Remaining()) {
            return (flag & kFlagText) ? 1 : 0;
        }
        if (flag & kFlagText) {
            m_sink.Text(key, m_keyInSource, UpToZero(Chars(length)));
        } else {
            m_sink.Bytes(key, m_keyInSource, static_cast<int32_t>(m_cursor),
                         static_cast<int32_t>(length));
        }
        m_cursor += length;
        return kGoOn;
    }

    size_t Remaining() const { return m_size - m_cursor; }

    const uint8_t* m_data;
    size_t m_size;
    const CFxKeyTable* m_table;
    Sink& m_sink;
    size_t m_cursor = 0;
    bool m_keyInSource = true;  // false for a key named by the key table
};

}  // namespace

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
    CFxTreeDecoder sink(m_source, *this);
    const int result = EntryReader<CFxTreeDecoder>(m_source.View(), table, sink).Run();
    sink.Flush(static_cast<size_t>(m_source.GetLength()));
    return result;
}

int CFxAssignGroupEx::VisitEncoded(const CRevolver& in, const CFxEntryVisitor& visit,
                                   const CFxKeyTable* table) {
    if (!in.IsValid()) {
        return 0;
    }
    VisitSink sink(visit);
    return EntryReader<VisitSink>(in.View(), table, sink).Run();
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
    FindSink sink(in, keys, std::min(count, FindSink::kMaxKeys), values, found);
    return in.IsValid() ? EntryReader<FindSink>(in.View(), nullptr, sink).Run() : 0;
}

int CFxAssignGroupEx::SaveTreeToFile(const std::string& path) const {
    CRevolver buffer;
    return ToRevolver(buffer) && buffer.SaveToFile(path) ? 1 : 0;
}

int CFxAssignGroupEx::LoadTreeFromFile(const std::string& path) {
    CRevolver buffer;
    return buffer.LoadFromFile(path) && FromRevolver(buffer) ? 1 : 0;
}
