// CVylGridSystem: the canvas's grid settings ("use_grid", "grid_size"),
// kept as a value tree so that the settings file is an ordinary tree file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/tree/value_tree.h"
#include "editor/vyedit_export.h"

class VYEDIT_EXPORT CVylGridSystem {
  public:
    CVylGridSystem();
    virtual ~CVylGridSystem() = default;

    // The file's values replace the ones in memory, and a key the file lacks
    // takes its default. A missing or unreadable file changes nothing and
    // returns 0.
    int Load(const std::string& path);
    // Written atomically; 0 when the file could not be written.
    int Save(const std::string& path) const;

    int32_t GetGridInt(std::string_view key, int32_t fallback) const;
    void SetGridInt(std::string_view key, int32_t value);

  private:
    CFxAssignGroupEx m_grid;
};
