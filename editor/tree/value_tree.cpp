#include "value_tree.h"

#include "decimal_text.h"

namespace {

// Trees up to this size are searched without an index.
constexpr size_t kIndexThreshold = 12;

}  // namespace

CFxAssignGroupEx::CFxAssignGroupEx(const CFxAssignGroupEx& other)
    : m_entries(other.m_entries),
      m_index(other.m_index ? std::make_unique<Index>(*other.m_index) : nullptr) {}

CFxAssignGroupEx::CFxAssignGroupEx(CFxAssignGroupEx&& other) noexcept
    : m_entries(std::move(other.m_entries)), m_index(std::move(other.m_index)) {
    other.m_entries.clear();
}

CFxAssignGroupEx& CFxAssignGroupEx::operator=(const CFxAssignGroupEx& other) {
    if (this != &other) {
        m_entries = other.m_entries;
        m_index = other.m_index ? std::make_unique<Index>(*other.m_index) : nullptr;
    }
    return *this;
}

CFxAssignGroupEx& CFxAssignGroupEx::operator=(CFxAssignGroupEx&& other) noexcept {
    if (this != &other) {
        m_entries = std::move(other.m_entries);
        m_index = std::move(other.m_index);
        other.m_entries.clear();
    }
    return *this;
}

void CFxAssignGroupEx::Reindex() {
    if (m_entries.size() <= kIndexThreshold) {
        m_index.reset();
        return;
    }
    m_index = std::make_unique<Index>();
    m_index->reserve(m_entries.size() * 2);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        m_index->emplace(m_entries[i].Key(), static_cast<uint32_t>(i));
    }
}

const CFxAssignEntry* CFxAssignGroupEx::FindEntry(std::string_view key) const {
    if (m_index) {
        const auto it = m_index->find(std::string(key));
        return it == m_index->end() ? nullptr : &m_entries[it->second];
    }
    for (const CFxAssignEntry& entry : m_entries) {
        if (entry.Key() == key) {
            return &entry;
        }
    }
    return nullptr;
}

const CFxAssignEntry* CFxAssignGroupEx::Find(std::string_view key) const {
    return FindEntry(key);
}

CFxAssignEntry* CFxAssignGroupEx::FindMutable(std::string_view key) {
    return const_cast<CFxAssignEntry*>(FindEntry(key));
}

CFxAssignEntry& CFxAssignGroupEx::Obtain(std::string_view key, CFxAssignEntry::Kind kind) {
    if (CFxAssignEntry* entry = FindMutable(key)) {
        return *entry;
    }
    m_entries.emplace_back(std::string(key), kind);
    if (m_index) {
        m_index->emplace(m_entries.back().Key(), static_cast<uint32_t>(m_entries.size() - 1));
    } else if (m_entries.size() > kIndexThreshold) {
        Reindex();
    }
    return m_entries.back();
}

int CFxAssignGroupEx::GetString(std::string_view key, std::string* out) const {
    const CFxAssignEntry* entry = Find(key);
    if (entry == nullptr || entry->GetKind() != CFxAssignEntry::kText) {
        out->clear();
        return 0;
    }
    *out = entry->Text();
    return 1;
}

std::string CFxAssignGroupEx::GetString(std::string_view key) const {
    const CFxAssignEntry* entry = Find(key);
    return entry != nullptr && entry->GetKind() == CFxAssignEntry::kText ? entry->Text()
                                                                         : std::string();
}

int CFxAssignGroupEx::GetInt(std::string_view key, int32_t* out) const {
    const CFxAssignEntry* entry = Find(key);
    if (entry == nullptr) {
        return 0;
    }
    switch (entry->GetKind()) {
        case CFxAssignEntry::kInteger:
            *out = entry->Integer();
            return 1;
        case CFxAssignEntry::kText:
            *out = AtoiValue(entry->Text());
            return 1;
        default:
            return 0;
    }
}

int32_t CFxAssignGroupEx::GetInt(std::string_view key, int32_t fallback) const {
    int32_t value = 0;
    return GetInt(key, &value) ? value : fallback;
}

int CFxAssignGroupEx::GetBytes(std::string_view key, CRevolver* out) const {
    const CFxAssignEntry* entry = Find(key);
    if (entry == nullptr || entry->GetKind() != CFxAssignEntry::kBytes) {
        return 0;
    }
    *out = entry->Bytes();
    return 1;
}

void CFxAssignGroupEx::SetString(std::string_view key, std::string_view text) {
    Obtain(key, CFxAssignEntry::kText).m_text.assign(text);
}

void CFxAssignGroupEx::SetInt(std::string_view key, int32_t value) {
    Obtain(key, CFxAssignEntry::kInteger).m_integer = value;
}

void CFxAssignGroupEx::SetIntAsText(std::string_view key, int32_t value) {
    SetString(key, DecimalText(value));
}

void CFxAssignGroupEx::SetBytes(std::string_view key, const CRevolver& bytes) {
    Obtain(key, CFxAssignEntry::kBytes).m_bytes = bytes;
}

void CFxAssignGroupEx::SetBytes(std::string_view key, CRevolver&& bytes) {
    Obtain(key, CFxAssignEntry::kBytes).m_bytes = std::move(bytes);
}

void CFxAssignGroupEx::Remove(std::string_view key) {
    const CFxAssignEntry* entry = FindEntry(key);
    if (entry != nullptr) {
        m_entries.erase(m_entries.begin() + (entry - m_entries.data()));
        Reindex();
    }
}

void CFxAssignGroupEx::RemoveWithPrefix(std::string_view prefix) {
    const size_t removed = std::erase_if(
        m_entries, [&](const CFxAssignEntry& entry) { return entry.Key().starts_with(prefix); });
    if (removed != 0) {
        Reindex();
    }
}

void CFxAssignGroupEx::RemoveAll() {
    m_entries.clear();
    m_index.reset();
}
