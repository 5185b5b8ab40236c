// CVylObjectRepairAction: one attribute change of an object (a text, one bit
// of a number, or bytes), optionally with a new region.
#pragma once

#include <cstdint>
#include <string>

#include "editor/model/drawing_object.h"
#include "editor/model/geometry.h"
#include "editor/tree/revolver.h"

class CVylObjectRepairAction {
  public:
    enum Type : int32_t { kSetText = 1, kSetBit = 2, kSetBytes = 3 };

    int32_t type = 0;
    int32_t bitNumber = 0;
    int32_t bitState = 0;
    int32_t regionFlag = 0;
    VyRect region;
    std::string attrName;
    std::string textValue;
    CRevolver bytesValue;

    static CVylObjectRepairAction Text(std::string_view name, std::string_view text);
    static CVylObjectRepairAction Bit(std::string_view name, int32_t bit, bool set);
    static CVylObjectRepairAction Bytes(std::string_view name, const CRevolver& bytes);

    void ApplyTo(CVylObject& object) const;

    // Record form ("typ", "rf", the value, "mr" and the region); writing a
    // record of an unknown type fails, and so does reading one without type
    // or without the value its type needs.
    int ToRevolver(CRevolver& out) const;
    int FromRevolver(const CRevolver& in);
};
