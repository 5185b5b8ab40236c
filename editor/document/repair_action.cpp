#include "editor/document/repair_action.h"

#include "editor/tree/decimal_text.h"
#include "editor/tree/value_tree.h"

CVylObjectRepairAction CVylObjectRepairAction::Text(std::string_view name, std::string_view text) {
    CVylObjectRepairAction repair;
    repair.type = kSetText;
    repair.attrName = name;
    repair.textValue = text;
    return repair;
}

CVylObjectRepairAction CVylObjectRepairAction::Bit(std::string_view name, int32_t bit, bool set) {
    CVylObjectRepairAction repair;
    repair.type = kSetBit;
    repair.attrName = name;
    repair.bitNumber = bit;
    repair.bitState = set ? 1 : 0;
    return repair;
}

CVylObjectRepairAction CVylObjectRepairAction::Bytes(std::string_view name,
                                                     const CRevolver& bytes) {
    CVylObjectRepairAction repair;
    repair.type = kSetBytes;
    repair.attrName = name;
    repair.bytesValue = bytes;
    return repair;
}

void CVylObjectRepairAction::ApplyTo(CVylObject& object) const {
    CVylObjectUniqueAttr& attrs = object.Unique();
    switch (type) {
        case kSetText:
            attrs.SetString(attrName, textValue);
            break;
        case kSetBit: {
            // Only the low five bits of the bit number count.
            const uint32_t mask = 1u << (static_cast<uint32_t>(bitNumber) & 31u);
            uint32_t value = static_cast<uint32_t>(AtoiValue(attrs.GetString(attrName)));
            value = bitState != 0 ? value | mask : value & ~mask;
            attrs.SetString(attrName, DecimalText(static_cast<int32_t>(value)));
            break;
        }
        case kSetBytes:
            attrs.SetBytes(attrName, bytesValue);
            break;
        default:
            break;
    }
    if (regionFlag != 0) {
        object.SetRegion(region);
    }
}

int CVylObjectRepairAction::ToRevolver(CRevolver& out) const {
    CFxAssignGroupEx tree;
    tree.SetInt("typ", type);
    tree.SetString("rf", attrName);
    switch (type) {
        case kSetText:
            tree.SetString("sv", textValue);
            break;
        case kSetBit:
            tree.SetInt("bn", bitNumber);
            tree.SetInt("bo", bitState);
            break;
        case kSetBytes:
            tree.SetBytes("bv", bytesValue);
            break;
        default:
            return 0;
    }
    if (regionFlag != 0) {
        tree.SetInt("mr", 1);
        tree.SetInt("left", region.left);
        tree.SetInt("top", region.top);
        tree.SetInt("right", region.right);
        tree.SetInt("bottom", region.bottom);
    }
    return tree.ToRevolver(out);
}

int CVylObjectRepairAction::FromRevolver(const CRevolver& in) {
    CFxAssignGroupEx tree;
    if (!tree.FromRevolver(in)) {
        return 0;
    }
    type = tree.GetInt("typ", 0);
    if (type == 0) {
        return 0;
    }
    tree.GetString("rf", &attrName);
    regionFlag = tree.GetInt("mr", -1) == 1 ? 1 : 0;
    if (regionFlag != 0) {
        region = {tree.GetInt("left", -1), tree.GetInt("top", -1), tree.GetInt("right", -1),
                  tree.GetInt("bottom", -1)};
    }
    switch (type) {
        case kSetText:
            return tree.GetString("sv", &textValue);
        case kSetBit:
            bitState = tree.GetInt("bo", 0);
            return tree.GetInt("bn", &bitNumber);
        case kSetBytes:
            return tree.GetBytes("bv", &bytesValue);
        default:
            return 1;
    }
}
