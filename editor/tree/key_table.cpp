#include "editor/tree/key_table.h"

void CFxKeyTable::Add(std::string_view name, uint16_t index) {
    m_byName[std::string(name)] = index;
    m_byIndex[index] = std::string(name);
}

std::optional<uint16_t> CFxKeyTable::IndexOf(std::string_view name) const {
    const auto it = m_byName.find(name);
    if (it == m_byName.end()) {
        return std::nullopt;
    }
    return it->second;
}

const std::string* CFxKeyTable::NameOf(uint16_t index) const {
    const auto it = m_byIndex.find(index);
    return it == m_byIndex.end() ? nullptr : &it->second;
}
