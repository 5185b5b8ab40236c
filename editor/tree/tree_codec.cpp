// The compact binary form of a value tree: entries back to back, each a flag
// byte, a key (name or 16-bit index) and a value; the buffer's end ends the tree.
#include <cstring>
#include <optional>

#include "key_table.h"
#include "value_tree.h"

namespace {

constexpr uint8_t kFlagLongLength = 0x04;
constexpr uint8_t kFlagText = 0x08;
constexpr uint8_t kFlagInteger = 0x20;
constexpr uint8_t kFlagIndexKey = 0x40;
constexpr uint8_t kFlagExtension = 0x80;
constexpr int32_t kMaxKeyLength = 255;
constexpr int kMaxExtensionBytes = 255;

bool Passes(const CFxAssignEntry& entry, const CFxKeyFilter* filter) {
    return filter == nullptr || filter->count(entry.Key()) != 0;
}

std::optional<uint16_t> KeyIndex(const CFxAssignEntry& entry, const CFxKeyTable* table) {
    return table == nullptr ? std::nullopt : table->IndexOf(entry.Key());
}

int64_t PayloadSize(const CFxAssignEntry& entry) {
    switch (entry.GetKind()) {
        case CFxAssignEntry::kInteger:
            return 4;
        case CFxAssignEntry::kText:
            return static_cast<int64_t>(entry.Text().size());
        default:
            return entry.Bytes().GetLength();
    }
}

int64_t EncodedSize(const CFxAssignEntry& entry, const CFxKeyTable* table) {
    const int64_t keySize =
        KeyIndex(entry, table)
            ? 2
            : std::min<int64_t>(static_cast<int64_t>(entry.Key().size()), kMaxKeyLength) + 1;
    const int64_t payload = PayloadSize(entry);
    if (entry.GetKind() == CFxAssignEntry::kInteger) {
        return 1 + keySize + 4;
    }
    return 1 + keySize + payload + (payload < 256 ? 1 : 4);
}

void AppendLittleEndian(CRevolver& out, uint32_t value, int width) {
    uint8_t bytes[4];
    for (int i = 0; i < width; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
    out.Append(bytes, width);
}

void AppendEntry(CRevolver& out, const CFxAssignEntry& entry, const CFxKeyTable* table) {
    const std::optional<uint16_t> index = KeyIndex(entry, table);
    const int64_t payload = PayloadSize(entry);
    uint8_t flag = 0;
    if (entry.GetKind() == CFxAssignEntry::kInteger) {
        flag = kFlagInteger | 0x03;
    } else {
        flag = entry.GetKind() == CFxAssignEntry::kText ? kFlagText : 0;
        if (payload >= 256) {
            flag |= kFlagLongLength;
        }
    }
    if (index) {
        flag |= kFlagIndexKey;
    }
    out.Append(&flag, 1);
    if (index) {
        AppendLittleEndian(out, *index, 2);
    } else {
        const auto length = static_cast<uint8_t>(
            std::min<size_t>(entry.Key().size(), static_cast<size_t>(kMaxKeyLength)));
        out.Append(&length, 1);
        out.Append(entry.Key().data(), length);
    }
    switch (entry.GetKind()) {
        case CFxAssignEntry::kInteger:
            AppendLittleEndian(out, static_cast<uint32_t>(entry.Integer()), 4);
            break;
        case CFxAssignEntry::kText:
            AppendLittleEndian(out, static_cast<uint32_t>(payload), payload >= 256 ? 4 : 1);
            out.Append(entry.Text().data(), static_cast<int32_t>(payload));
            break;
        default:
            AppendLittleEndian(out, static_cast<uint32_t>(payload), payload >= 256 ? 4 : 1);
            out.AppendFrom(entry.Bytes(), 0, -1);
            break;
    }
}

// The text up to its first zero byte.
std::string_view UpToZero(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

// Reads one entry at the cursor. Returns 1 to go on, or the final result of the
// whole read (0 or 1) with stop set.
class EntryReader {
  public:
    EntryReader(const CRevolver& in, const CFxKeyTable* table, CFxAssignGroupEx& tree)
        : m_in(in), m_bytes(in.View()), m_table(table), m_tree(tree) {}

    int Run() {
        for (;;) {
            uint8_t flag = 0;
            if (!m_in.Read(&m_cursor, &flag, 1)) {
                return 1;
            }
            std::string key;
            const std::optional<int> keyStop = ReadKey(flag, &key);
            if (keyStop) {
                return *keyStop;
            }
            if ((flag & kFlagExtension) && !SkipExtension()) {
                return 0;
            }
            const std::optional<int> valueStop =
                (flag & kFlagInteger) ? ReadInteger(flag, key) : ReadSized(flag, key);
            if (valueStop) {
                return *valueStop;
            }
        }
    }

  private:
    std::optional<int> ReadKey(uint8_t flag, std::string* key) {
        if (flag & kFlagIndexKey) {
            if (m_table == nullptr) {
                return 0;
            }
            uint8_t raw[2];
            if (!m_in.Read(&m_cursor, raw, 2)) {
                return 1;
            }
            const std::string* name = m_table->NameOf(static_cast<uint16_t>(raw[0] | raw[1] << 8));
            if (name == nullptr) {
                return 0;
            }
            *key = std::string(UpToZero(*name));
        } else {
            uint8_t length = 0;
            if (!m_in.Read(&m_cursor, &length, 1) || Remaining() < length) {
                return 1;
            }
            *key = std::string(UpToZero(m_bytes.substr(static_cast<size_t>(m_cursor), length)));
            m_cursor += length;
        }
        if (key->empty()) {
            return 0;
        }
        return std::nullopt;
    }

    bool SkipExtension() {
        for (int count = 1;; ++count) {
            uint8_t byte = 0;
            if (count > kMaxExtensionBytes || !m_in.Read(&m_cursor, &byte, 1)) {
                return false;
            }
            if (!(byte & 0x80)) {
                return true;
            }
        }
    }

    std::optional<int> ReadInteger(uint8_t flag, const std::string& key) {
        switch (flag & 0x03) {
            case 2:
                return 0;
            case 3: {
                uint8_t raw[4];
                if (!m_in.Read(&m_cursor, raw, 4)) {
                    return 0;
                }
                const uint32_t value =
                    raw[0] | raw[1] << 8 | raw[2] << 16 | static_cast<uint32_t>(raw[3]) << 24;
                m_tree.SetInt(key, static_cast<int32_t>(value));
                return std::nullopt;
            }
            default:
                return std::nullopt;
        }
    }

    std::optional<int> ReadSized(uint8_t flag, const std::string& key) {
        int64_t length = 0;
        if (flag & kFlagLongLength) {
            uint8_t raw[4];
            if (!m_in.Read(&m_cursor, raw, 4)) {
                return 1;
            }
            length = raw[0] | raw[1] << 8 | raw[2] << 16 | static_cast<int64_t>(raw[3]) << 24;
        } else {
            uint8_t raw = 0;
            if (!m_in.Read(&m_cursor, &raw, 1)) {
                return 1;
            }
            length = raw;
        }
        // The remaining length is checked before anything is allocated.
        if (length > Remaining()) {
            return (flag & kFlagText) ? 1 : 0;
        }
        const auto size = static_cast<int32_t>(length);
        if (flag & kFlagText) {
            m_tree.SetString(key, UpToZero(m_bytes.substr(static_cast<size_t>(m_cursor),
                                                          static_cast<size_t>(size))));
        } else {
            CRevolver value;
            if (size > 0) {
                value.Reserve(size, 0);
            }
            if (!value.AppendFrom(m_in, m_cursor, size)) {
                return 0;
            }
            m_tree.SetBytes(key, std::move(value));
        }
        m_cursor += size;
        return std::nullopt;
    }

    int64_t Remaining() const { return m_in.GetLength() - static_cast<int64_t>(m_cursor); }

    const CRevolver& m_in;
    std::string_view m_bytes;
    const CFxKeyTable* m_table;
    CFxAssignGroupEx& m_tree;
    int32_t m_cursor = 0;
};

}  // namespace

int CFxAssignGroupEx::ToRevolver(CRevolver& out, const CFxKeyTable* table,
                                 const CFxKeyFilter* filter) const {
    int64_t size = 0;
    for (const CFxAssignEntry& entry : m_entries) {
        if (!Passes(entry, filter)) {
            continue;
        }
        if (entry.Key().empty()) {
            return 0;
        }
        size += EncodedSize(entry, table);
    }
    if (size > INT32_MAX) {
        return 0;
    }
    out.Clear();
    if (size > 0) {
        out.Reserve(static_cast<int32_t>(size), 0);
    }
    for (const CFxAssignEntry& entry : m_entries) {
        if (Passes(entry, filter)) {
            AppendEntry(out, entry, table);
        }
    }
    return 1;
}

int CFxAssignGroupEx::FromRevolver(const CRevolver& in, const CFxKeyTable* table) {
    if (!in.IsValid()) {
        return 0;
    }
    return EntryReader(in, table, *this).Run();
}

int CFxAssignGroupEx::SaveTreeToFile(const std::string& path) const {
    CRevolver buffer;
    return ToRevolver(buffer) && buffer.SaveToFile(path) ? 1 : 0;
}

int CFxAssignGroupEx::LoadTreeFromFile(const std::string& path) {
    CRevolver buffer;
    return buffer.LoadFromFile(path) && FromRevolver(buffer) ? 1 : 0;
}
