// CFxAssignGroupEx: the named-value tree that carries every record.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "revolver.h"

class CFxKeyTable;

// One key's value. The kind is fixed by the setter that created the entry.
class CFxAssignEntry {
  public:
    enum Kind : int32_t { kText = 1, kBytes = 2, kInteger = 3 };

    CFxAssignEntry(std::string key, Kind kind) : m_key(std::move(key)), m_kind(kind) {}

    const std::string& Key() const { return m_key; }
    Kind GetKind() const { return m_kind; }
    const std::string& Text() const { return m_text; }
    const CRevolver& Bytes() const { return m_bytes; }
    int32_t Integer() const { return m_integer; }

  private:
    friend class CFxAssignGroupEx;
    std::string m_key;
    Kind m_kind;
    std::string m_text;
    CRevolver m_bytes;
    int32_t m_integer = 0;
};

// Key names that an encode writes; an absent filter writes every key.
using CFxKeyFilter = std::unordered_set<std::string>;

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
    bool Has(std::string_view key) const { return Find(key) != nullptr; }
    size_t Count() const { return m_entries.size(); }

    // Entries in the order in which their keys were first set. Setting a new
    // key may move the entries: do not hold one across a setter.
    auto begin() const { return m_entries.cbegin(); }
    auto end() const { return m_entries.cend(); }

    // Encoding (one allocation) and decoding of the compact binary form.
    int ToRevolver(CRevolver& out, const CFxKeyTable* table = nullptr,
                   const CFxKeyFilter* filter = nullptr) const;
    int FromRevolver(const CRevolver& in, const CFxKeyTable* table = nullptr);
    int SaveTreeToFile(const std::string& path) const;
    int LoadTreeFromFile(const std::string& path);

  private:
    using Index = std::unordered_map<std::string, uint32_t>;

    CFxAssignEntry& Obtain(std::string_view key, CFxAssignEntry::Kind kind);
    const CFxAssignEntry* FindEntry(std::string_view key) const;
    CFxAssignEntry* FindMutable(std::string_view key);
    void Reindex();

    // Most records hold a handful of keys, searched fastest in one contiguous
    // block; a hash index is kept only once a tree grows beyond that.
    std::vector<CFxAssignEntry> m_entries;
    std::unique_ptr<Index> m_index;
};
