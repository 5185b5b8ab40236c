#include "editor/tree/value_tree.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "editor/tree/decimal_text.h"
#include "editor/tree/field_format.h"
#include "editor/tree/short_keys.h"

using vy_keys::HashKey;
using vy_keys::SameKey;

namespace {

constexpr size_t kSmallestIndex = 32;
// Replaced and removed texts are given back once they outweigh the live ones.
constexpr size_t kTolerableWaste = 4096;

}  // namespace

CFxAssignGroupEx::CFxAssignGroupEx(const CFxAssignGroupEx& other)
    : m_entries(other.m_entries),
      m_slots(other.m_slots),
      m_bloom(other.m_bloom),
      m_liveTextBytes(other.m_liveTextBytes),
      m_source(other.m_source),
      m_encodedSize(other.m_encodedSize),
      m_emptyKeys(other.m_emptyKeys) {
    Restore(false);
}

CFxAssignGroupEx::CFxAssignGroupEx(CFxAssignGroupEx&& other) noexcept {
    *this = std::move(other);
}

CFxAssignGroupEx& CFxAssignGroupEx::operator=(const CFxAssignGroupEx& other) {
    if (this != &other) {
        m_entries = other.m_entries;
        m_slots = other.m_slots;
        m_bloom = other.m_bloom;
        m_liveTextBytes = other.m_liveTextBytes;
        m_source = other.m_source;
        m_encodedSize = other.m_encodedSize;
        m_emptyKeys = other.m_emptyKeys;
        Restore(false);
    }
    return *this;
}

CFxAssignGroupEx& CFxAssignGroupEx::operator=(CFxAssignGroupEx&& other) noexcept {
    if (this != &other) {
        m_entries = std::move(other.m_entries);
        m_slots = std::move(other.m_slots);
        m_bloom = other.m_bloom;
        m_texts = std::move(other.m_texts);
        m_liveTextBytes = other.m_liveTextBytes;
        m_source = std::move(other.m_source);
        m_encodedSize = other.m_encodedSize;
        m_emptyKeys = other.m_emptyKeys;
        other.RemoveAll();
    }
    return *this;
}

// Copies the keys and texts of the arena, and with takeBorrowed also those
// read in place, into a fresh arena of this tree's own.
void CFxAssignGroupEx::Restore(bool takeBorrowed) {
    CFxTextArena texts;
    size_t live = m_liveTextBytes;
    if (takeBorrowed) {
        live = 0;
        for (const CFxAssignEntry& entry : m_entries) {
            live += size_t{entry.m_keyLength} + entry.m_textLength;
        }
    }
    texts.Reserve(live);
    for (CFxAssignEntry& entry : m_entries) {
        if (entry.m_keyOwned || takeBorrowed) {
            entry.m_key = texts.Store(entry.Key());
            entry.m_keyOwned = true;
        }
        if (entry.m_textOwned || takeBorrowed) {
            entry.m_text = texts.Store(entry.Text());
            entry.m_textOwned = true;
        }
        if (takeBorrowed && entry.m_bytes.IsBorrowed()) {
            entry.m_bytes = entry.m_bytes.Slice(0, entry.m_bytes.GetLength());
        }
    }
    m_texts = std::move(texts);
    m_liveTextBytes = live;
}

void CFxAssignGroupEx::UseSource(const CRevolver& source) {
    ForgetBorrowedTexts();
    m_source = source;
}

void CFxAssignGroupEx::UseSource(CRevolver&& source) {
    ForgetBorrowedTexts();
    if (source.IsBorrowed()) {
        m_source = source;  // a copy holds a reference of its own
    } else {
        m_source = std::move(source);
    }
}

void CFxAssignGroupEx::CompactIfWasteful() {
    const size_t waste = m_texts.Used() - m_liveTextBytes;
    if (waste > kTolerableWaste && waste > m_liveTextBytes) {
        Restore(false);
    }
}

void CFxAssignGroupEx::Reindex(size_t expected) {
    m_slots.clear();
    m_bloom = 0;
    if (expected <= kIndexThreshold) {
        for (const CFxAssignEntry& entry : m_entries) {
            m_bloom |= BloomBits(entry.m_hash);
        }
        return;
    }
    size_t size = kSmallestIndex;
    while (size < expected * 2) {
        size *= 2;
    }
    m_slots.assign(size, 0);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Place(static_cast<uint32_t>(i));
    }
}

void CFxAssignGroupEx::Place(uint32_t position) {
    const size_t mask = m_slots.size() - 1;
    size_t slot = m_entries[position].m_hash & mask;
    while (m_slots[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    m_slots[slot] = position + 1;
}

// The index is at most half full; it doubles ahead of need.
void CFxAssignGroupEx::AddToIndex(uint32_t position) {
    if (m_slots.empty()) {
        if (m_entries.size() <= kIndexThreshold) {
            m_bloom |= BloomBits(m_entries[position].m_hash);
            return;
        }
        Reindex(m_entries.size());
    } else if (m_slots.size() < m_entries.size() * 2) {
        Reindex(m_entries.size() * 2);
    } else {
        Place(position);
    }
}

void CFxAssignGroupEx::Reserve(size_t entries, size_t textBytes) {
    const size_t expected = m_entries.size() + entries;
    m_entries.reserve(expected);
    m_texts.Reserve(textBytes);
    if (expected > kIndexThreshold && m_slots.size() < expected * 2) {
        Reindex(expected);
    }
}

const CFxAssignEntry* CFxAssignGroupEx::FindHashed(std::string_view key, uint32_t hash) const {
    if (m_slots.empty()) {
        if (!MayHold(hash)) {
            return nullptr;
        }
        for (const CFxAssignEntry& entry : m_entries) {
            if (entry.m_hash == hash && SameKey(entry.Key(), key)) {
                return &entry;
            }
        }
        return nullptr;
    }
    const CFxAssignEntry* found = nullptr;
    WalkIndex(key, hash, &found);
    return found;
}

size_t CFxAssignGroupEx::WalkIndex(std::string_view key, uint32_t hash,
                                   const CFxAssignEntry** found) const {
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    for (; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        const CFxAssignEntry& entry = m_entries[m_slots[slot] - 1];
        if (entry.m_hash == hash && SameKey(entry.Key(), key)) {
            *found = &entry;
            return slot;
        }
    }
    *found = nullptr;
    return slot;
}

const CFxAssignEntry* CFxAssignGroupEx::Find(std::string_view key) const {
    return FindHashed(key, HashKey(key));
}

CFxAssignEntry& CFxAssignGroupEx::Obtain(std::string_view key, CFxAssignEntry::Kind kind) {
    return ObtainHashed(key, HashKey(key), false, kind);
}

// A full tree of eight entries or more grows by a quarter rather than
// doubling: such trees are mostly decoded or copied at their exact size and
// then gain a key or two, and doubling would leave each of them with as much
// spare room as it uses. Smaller ones double, as they are built key by key.
void CFxAssignGroupEx::MakeRoom() {
    const size_t size = m_entries.size();
    if (size == m_entries.capacity()) {
        m_entries.reserve(size + (size < 8 ? std::max<size_t>(1, size) : size / 4));
    }
}

CFxAssignEntry& CFxAssignGroupEx::ObtainHashed(std::string_view key, uint32_t hash,
                                               bool keyInSource, CFxAssignEntry::Kind kind) {
    RequireLength(key);
    if (m_slots.empty() || m_slots.size() < (m_entries.size() + 1) * 2) {
        if (const CFxAssignEntry* entry = FindHashed(key, hash)) {
            return const_cast<CFxAssignEntry&>(*entry);
        }
        MakeRoom();
        Append(key, keyInSource, hash, kind);
        Account(m_entries.back(), 1);
        AddToIndex(static_cast<uint32_t>(m_entries.size() - 1));
        return m_entries.back();
    }
    const CFxAssignEntry* found = nullptr;
    const size_t slot = WalkIndex(key, hash, &found);
    if (found != nullptr) {
        return const_cast<CFxAssignEntry&>(*found);
    }
    MakeRoom();
    Append(key, keyInSource, hash, kind);
    Account(m_entries.back(), 1);
    m_slots[slot] = static_cast<uint32_t>(m_entries.size());
    return m_entries.back();
}

[[gnu::always_inline]] inline void CFxAssignGroupEx::Account(const CFxAssignEntry& entry,
                                                             int sign) {
    m_encodedSize += sign * vy_field::EntrySize(entry);
    if (entry.Key().empty()) {
        m_emptyKeys = sign > 0 ? m_emptyKeys + 1 : m_emptyKeys - 1;
    }
}

// A decoded text is read in place unless the entry already holds one of its
// own that it can be written over.
void CFxAssignGroupEx::SetDecodedText(CFxAssignEntry& entry, std::string_view text) {
    if (entry.m_textOwned) {
        AssignText(entry, text);
        return;
    }
    Account(entry, -1);
    entry.m_text = text.data();
    entry.m_textLength = static_cast<uint32_t>(text.size());
    Account(entry, 1);
}

// A decoded entry that an index or an earlier entry of the same key may take.
void CFxAssignGroupEx::StoreDecodedAnywhere(const Decoded& decoded) {
    CFxAssignEntry& entry = ObtainHashed({decoded.key, decoded.keyLength}, decoded.hash,
                                         decoded.keyInSource, decoded.kind);
    switch (decoded.kind) {
        case CFxAssignEntry::kInteger:
            entry.m_integer = decoded.value;
            break;
        case CFxAssignEntry::kText:
            SetDecodedText(entry, {decoded.text, decoded.textLength});
            break;
        default:
            Account(entry, -1);
            entry.m_bytes = m_source.Borrow(decoded.value, decoded.size);
            Account(entry, 1);
            break;
    }
}

void CFxAssignGroupEx::AssignText(CFxAssignEntry& entry, std::string_view text) {
    RequireLength(text);
    Account(entry, -1);
    if (entry.m_textOwned && text.size() <= entry.m_textLength) {
        if (!text.empty()) {
            // The text may be a piece of the one it replaces.
            std::memmove(const_cast<char*>(entry.m_text), text.data(), text.size());
        }
        m_liveTextBytes -= entry.m_textLength;
    } else {
        if (entry.m_textOwned) {
            m_liveTextBytes -= entry.m_textLength;
        }
        entry.m_text = m_texts.Store(text);
        entry.m_textOwned = true;
    }
    m_liveTextBytes += text.size();
    entry.m_textLength = static_cast<uint32_t>(text.size());
    Account(entry, 1);
    CompactIfWasteful();
}

int CFxAssignGroupEx::GetString(std::string_view key, std::string* out) const {
    const CFxAssignEntry* entry = Find(key);
    if (entry == nullptr || entry->GetKind() != CFxAssignEntry::kText) {
        out->clear();
        return 0;
    }
    out->assign(entry->Text());
    return 1;
}

std::string CFxAssignGroupEx::GetString(std::string_view key) const {
    const CFxAssignEntry* entry = Find(key);
    return entry != nullptr && entry->GetKind() == CFxAssignEntry::kText
               ? std::string(entry->Text())
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

const CRevolver* CFxAssignGroupEx::FindBytes(std::string_view key) const {
    const CFxAssignEntry* entry = Find(key);
    return entry != nullptr && entry->GetKind() == CFxAssignEntry::kBytes ? &entry->Bytes()
                                                                          : nullptr;
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
    AssignText(Obtain(key, CFxAssignEntry::kText), text);
}

void CFxAssignGroupEx::SetInt(std::string_view key, int32_t value) {
    Obtain(key, CFxAssignEntry::kInteger).m_integer = value;
}

void CFxAssignGroupEx::SetIntAsText(std::string_view key, int32_t value) {
    SetString(key, DecimalText(value));
}

void CFxAssignGroupEx::SetBytes(std::string_view key, const CRevolver& bytes) {
    SetBytes(key, CRevolver(bytes));
}

void CFxAssignGroupEx::SetBytes(std::string_view key, CRevolver&& bytes) {
    CFxAssignEntry& entry = Obtain(key, CFxAssignEntry::kBytes);
    Account(entry, -1);
    entry.m_bytes = std::move(bytes);
    Account(entry, 1);
}

void CFxAssignGroupEx::Remove(std::string_view key) {
    const CFxAssignEntry* entry = Find(key);
    if (entry != nullptr) {
        m_liveTextBytes -= entry->OwnedBytes();
        Account(*entry, -1);
        m_entries.erase(m_entries.begin() + (entry - m_entries.data()));
        Reindex(m_entries.size());
        CompactIfWasteful();
    }
}

void CFxAssignGroupEx::RemoveWithPrefix(std::string_view prefix) {
    const size_t removed = std::erase_if(m_entries, [&](const CFxAssignEntry& entry) {
        if (!entry.Key().starts_with(prefix)) {
            return false;
        }
        m_liveTextBytes -= entry.OwnedBytes();
        Account(entry, -1);
        return true;
    });
    if (removed != 0) {
        Reindex(m_entries.size());
        CompactIfWasteful();
    }
}

void CFxAssignGroupEx::RemoveAll() {
    m_entries.clear();
    m_slots.clear();
    m_bloom = 0;
    m_texts.Clear();
    m_liveTextBytes = 0;
    m_source.Clear();
    m_encodedSize = 0;
    m_emptyKeys = 0;
}
