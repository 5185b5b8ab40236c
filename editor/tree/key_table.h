// CFxKeyTable: an optional two-way table between key names and 16-bit key
// indexes that an encode and a decode may share.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Hashes keys as strings or views alike, so that a lookup by view makes no
// string.
struct CFxKeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
};

class CFxKeyTable {
  public:
    void Add(std::string_view name, uint16_t index);
    std::optional<uint16_t> IndexOf(std::string_view name) const;
    const std::string* NameOf(uint16_t index) const;

  private:
    std::unordered_map<std::string, uint16_t, CFxKeyHash, std::equal_to<>> m_byName;
    std::unordered_map<uint16_t, std::string> m_byIndex;
};
