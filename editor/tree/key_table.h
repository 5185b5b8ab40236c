// CFxKeyTable: an optional two-way table between key names and 16-bit key
// indexes that an encode and a decode may share.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class CFxKeyTable {
  public:
    void Add(std::string_view name, uint16_t index);
    std::optional<uint16_t> IndexOf(std::string_view name) const;
    const std::string* NameOf(uint16_t index) const;

  private:
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::unordered_map<std::string, uint16_t, NameHash, std::equal_to<>> m_byName;
    std::unordered_map<uint16_t, std::string> m_byIndex;
};
