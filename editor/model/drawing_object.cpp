#include "editor/model/drawing_object.h"

#include <algorithm>

void CVylObject::SetCommonAttrs(int32_t uid, int32_t kind, const VyRect& region) {
    m_common.SetInt(kKeyObjKind, kind);
    m_common.SetInt(kKeyObjUid, uid);
    SetRegion(region);
}

void CVylObject::SetRegion(const VyRect& region) {
    m_common.SetInt(kKeyObjLeft, region.left);
    m_common.SetInt(kKeyObjTop, region.top);
    m_common.SetInt(kKeyObjRight, region.right);
    m_common.SetInt(kKeyObjBottom, region.bottom);
}

VyRect CVylObject::GetRegion() const {
    return {m_common.GetInt(kKeyObjLeft, 0), m_common.GetInt(kKeyObjTop, 0),
            m_common.GetInt(kKeyObjRight, 0), m_common.GetInt(kKeyObjBottom, 0)};
}

bool IsLaidOutLineKey(std::string_view key) {
    return key == kKeyLineCount || key.starts_with(kKeyLineContent) || key.starts_with(kKeyLineTop);
}

namespace {

// Laid-out lines are derived from the text and never stored.
bool IsStoredUniqueKey(std::string_view key) {
    return !IsLaidOutLineKey(key);
}

}  // namespace

void CVylObject::WriteRecord(CFxTreeWriter& writer) const {
    writer.Tree(kKeyRecordCommon, m_common);
    // A unique tree that cannot be written fails the record: written
    // without it, the object would silently lose every attribute.
    writer.Tree(kKeyRecordUnique, m_unique, {nullptr, IsStoredUniqueKey});
}

int CVylObject::ToRecord(CRevolver& out) const {
    return CFxTreeWriter::Encode(out, [this](CFxTreeWriter& writer) { WriteRecord(writer); });
}

int CVylObject::FromRecord(const CRevolver& in) {
    // The record's two values are read without building its tree.
    constexpr std::string_view kKeys[] = {kKeyRecordCommon, kKeyRecordUnique};
    CRevolver values[2];
    bool found[2] = {};
    if (!CFxAssignGroupEx::FindEncodedBytes(in, kKeys, 2, values, found) || !found[0] ||
        !found[1]) {
        return 0;
    }
    return m_common.FromRevolver(std::move(values[0])) &&
                   m_unique.FromRevolver(std::move(values[1]))
               ? 1
               : 0;
}
