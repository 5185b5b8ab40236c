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
    // The spacing in dots: from every dot to 100, which leaves two lines
    // across the LCD's height. A wider grid helps no placing, and one arrow
    // press would throw an object most of the way off the LCD.
    static constexpr int32_t kLeastSize = 1;
    static constexpr int32_t kLargestSize = 100;
    static constexpr int32_t kDefaultSize = 5;
    static bool IsSizeAllowed(int64_t dots) { return dots >= kLeastSize && dots <= kLargestSize; }

    CVylGridSystem();
    virtual ~CVylGridSystem() = default;

    // The file's values replace the ones in memory, and a key the file lacks
    // (or a spacing outside the allowed one) takes its default. A missing or
    // unreadable file changes nothing and returns 0.
    int Load(const std::string& path);
    // Written atomically; 0 when the file could not be written.
    int Save(const std::string& path) const;

    int32_t GetGridInt(std::string_view key, int32_t fallback) const;
    // A spacing outside the allowed one is refused: false, nothing changes.
    bool SetGridInt(std::string_view key, int32_t value);

  private:
    CFxAssignGroupEx m_grid;
};
