// What the extraction reads from a drawing: its objects in stacking order.
// The object group implements it; the command layer never sees the group.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/model/drawing_object.h"

class CVylObjectSource {
  public:
    virtual ~CVylObjectSource() = default;
    // Uids bottom first.
    virtual const std::vector<int32_t>& GetZOrderList() const = 0;
    // The object, or none.
    virtual const CVylObject* GetByObjUid(int32_t uid) const = 0;
};
