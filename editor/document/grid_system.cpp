#include "editor/document/grid_system.h"

namespace {

// Grid shown and snapping on, 5 dots apart.
void SetMissingDefaults(CFxAssignGroupEx& grid) {
    if (!grid.Has("use_grid")) {
        grid.SetInt("use_grid", 1);
    }
    if (!CVylGridSystem::IsSizeAllowed(grid.GetInt("grid_size", 0))) {
        grid.Remove("grid_size");
        grid.SetInt("grid_size", CVylGridSystem::kDefaultSize);
    }
}

}  // namespace

CVylGridSystem::CVylGridSystem() {
    SetMissingDefaults(m_grid);
}

int CVylGridSystem::Load(const std::string& path) {
    // Decoded aside so that a broken file cannot leave half its keys behind.
    CFxAssignGroupEx loaded;
    if (!loaded.LoadTreeFromFile(path)) {
        return 0;
    }
    SetMissingDefaults(loaded);
    m_grid = std::move(loaded);
    return 1;
}

int CVylGridSystem::Save(const std::string& path) const {
    return m_grid.SaveTreeToFile(path);
}

int32_t CVylGridSystem::GetGridInt(std::string_view key, int32_t fallback) const {
    return m_grid.GetInt(key, fallback);
}

bool CVylGridSystem::SetGridInt(std::string_view key, int32_t value) {
    if (key == "grid_size" && !IsSizeAllowed(value)) {
        return false;
    }
    // An entry keeps the kind it was created with; a file may hold the key as text.
    const CFxAssignEntry* entry = m_grid.Find(key);
    if (entry != nullptr && entry->GetKind() != CFxAssignEntry::kInteger) {
        m_grid.Remove(key);
    }
    m_grid.SetInt(key, value);
    return true;
}
