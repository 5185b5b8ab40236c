#include "value_tree.h"

#include "decimal_text.h"

CFxAssignGroupEx::CFxAssignGroupEx(CFxAssignGroupEx&& other) noexcept
    : m_entries(std::move(other.m_entries)), m_index(std::move(other.m_index)) {
    other.m_entries.clear();
    other.m_index.clear();
}

CFxAssignGroupEx& CFxAssignGroupEx::operator=(const CFxAssignGroupEx& other) {
    if (this != &other) {
        RemoveAll();
        CopyFrom(other);
    }
    return *this;
}

CFxAssignGroupEx& CFxAssignGroupEx::operator=(CFxAssignGroupEx&& other) noexcept {
    if (this != &other) {
        m_entries = std::move(other.m_entries);
        m_index = std::move(other.m_index);
        other.m_entries.clear();
        other.m_index.clear();
    }
    return *this;
}

void CFxAssignGroupEx::CopyFrom(const CFxAssignGroupEx& other) {
    for (const CFxAssignEntry& entry : other.m_entries) {
        CFxAssignEntry& copy = Obtain(entry.Key(), entry.GetKind());
        switch (entry.GetKind()) {
            case CFxAssignEntry::kText:
                copy.m_text = entry.m_text;
                break;
            case CFxAssignEntry::kBytes:
                copy.m_bytes = entry.m_bytes;
                break;
            case CFxAssignEntry::kInteger:
                copy.m_integer = entry.m_integer;
                break;
        }
    }
}

const CFxAssignEntry* CFxAssignGroupEx::Find(std::string_view key) const {
    const auto it = m_index.find(key);
    return it == m_index.end() ? nullptr : &*it->second;
}

CFxAssignEntry* CFxAssignGroupEx::FindMutable(std::string_view key) {
    const auto it = m_index.find(key);
    return it == m_index.end() ? nullptr : &*it->second;
}

CFxAssignEntry& CFxAssignGroupEx::Obtain(std::string_view key, CFxAssignEntry::Kind kind) {
    if (CFxAssignEntry* entry = FindMutable(key)) {
        return *entry;
    }
    m_entries.emplace_back(std::string(key), kind);
    const auto it = std::prev(m_entries.end());
    m_index.emplace(it->Key(), it);
    return *it;
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

void CFxAssignGroupEx::Erase(std::list<CFxAssignEntry>::iterator it) {
    m_index.erase(it->Key());
    m_entries.erase(it);
}

void CFxAssignGroupEx::Remove(std::string_view key) {
    const auto it = m_index.find(key);
    if (it != m_index.end()) {
        Erase(it->second);
    }
}

void CFxAssignGroupEx::RemoveWithPrefix(std::string_view prefix) {
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const auto next = std::next(it);
        if (it->Key().starts_with(prefix)) {
            Erase(it);
        }
        it = next;
    }
}

void CFxAssignGroupEx::RemoveAll() {
    m_index.clear();
    m_entries.clear();
}
