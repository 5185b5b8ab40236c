#include "editor/document/object_group.h"

#include <algorithm>
#include <climits>
#include <unordered_set>

#include "editor/command/text_layout.h"
#include "editor/document/object_selection.h"

CVylObjectGroup::CVylObjectGroup(const CVylObjectGroup& other)
    : CVylObjectSource(other),
      CVylLinkerStore(other),
      m_objects(other.m_objects),
      m_zOrder(other.m_zOrder),
      m_zPosition(other.m_zPosition) {}

CVylObjectGroup::CVylObjectGroup(CVylObjectGroup&& other) noexcept
    : CVylObjectSource(std::move(other)),
      CVylLinkerStore(std::move(other)),
      m_objects(std::move(other.m_objects)),
      m_zOrder(std::move(other.m_zOrder)),
      m_zPosition(std::move(other.m_zPosition)) {}

CVylObjectGroup& CVylObjectGroup::operator=(CVylObjectGroup&& other) noexcept {
    if (this != &other) {
        CVylLinkerStore::operator=(std::move(other));
        m_objects = std::move(other.m_objects);
        m_zOrder = std::move(other.m_zOrder);
        m_zPosition = std::move(other.m_zPosition);
    }
    return *this;
}

CVylObjectGroup& CVylObjectGroup::operator=(const CVylObjectGroup& other) {
    if (this != &other) {
        CVylLinkerStore::operator=(other);
        m_objects = other.m_objects;
        m_zOrder = other.m_zOrder;
        m_zPosition = other.m_zPosition;
    }
    return *this;
}

const CVylObject* CVylObjectGroup::GetByObjUid(int32_t uid) const {
    const auto it = m_objects.find(uid);
    return it == m_objects.end() ? nullptr : &it->second;
}

CVylObject* CVylObjectGroup::GetByObjUid(int32_t uid) {
    const auto it = m_objects.find(uid);
    return it == m_objects.end() ? nullptr : &it->second;
}

std::vector<int32_t> CVylObjectGroup::GetSortedUids() const {
    std::vector<int32_t> uids;
    uids.reserve(m_objects.size());
    for (const auto& [uid, object] : m_objects) {
        uids.push_back(uid);
    }
    std::sort(uids.begin(), uids.end());
    return uids;
}

void CVylObjectGroup::GetAllUidMap(VyUidSet& out) const {
    out.clear();
    for (const auto& [uid, object] : m_objects) {
        out.insert(uid);
    }
}

std::optional<size_t> CVylObjectGroup::ZPosition(int32_t uid) const {
    const auto it = m_zPosition.find(uid);
    if (it == m_zPosition.end()) {
        return std::nullopt;
    }
    return it->second;
}

void CVylObjectGroup::ReindexFrom(size_t position) {
    for (size_t i = position; i < m_zOrder.size(); ++i) {
        m_zPosition[m_zOrder[i]] = i;
    }
}

void CVylObjectGroup::InsertOnTop(int32_t uid, const CVylObject& object) {
    Delete(uid);
    CVylObject& copy = m_objects.insert_or_assign(uid, object).first->second;
    copy.Common().SetInt(kKeyObjUid, uid);
    m_zPosition[uid] = m_zOrder.size();
    m_zOrder.push_back(uid);
}

void CVylObjectGroup::RemoveAllObjectGroup() {
    m_objects.clear();
    m_zOrder.clear();
    m_zPosition.clear();
    RemoveAllLinkers();
}

int CVylObjectGroup::Delete(int32_t uid) {
    if (m_objects.erase(uid) == 0) {
        return 0;
    }
    if (const std::optional<size_t> position = ZPosition(uid)) {
        m_zOrder.erase(m_zOrder.begin() + static_cast<ptrdiff_t>(*position));
        m_zPosition.erase(uid);
        ReindexFrom(*position);
    }
    return 1;
}

// One pass over the stacking order, however many objects go: deleting them
// one by one would renumber the order once for each.
void CVylObjectGroup::DeleteMulti(const VyUidSet& uids) {
    std::unordered_set<int32_t> removed;
    size_t first = m_zOrder.size();
    for (int32_t uid : uids) {
        if (m_objects.erase(uid) == 0) {
            continue;
        }
        if (const std::optional<size_t> position = ZPosition(uid)) {
            first = std::min(first, *position);
            m_zPosition.erase(uid);
            removed.insert(uid);
        }
    }
    if (removed.empty()) {
        return;
    }
    std::erase_if(m_zOrder, [&](int32_t uid) { return removed.count(uid) != 0; });
    ReindexFrom(first);
}

int32_t CVylObjectGroup::ChiefUid() const {
    return m_selection == nullptr ? -1 : m_selection->GetChiefUid();
}

int32_t CVylObjectGroup::GetNextZOrderUid(int32_t uid, bool wrap) const {
    const std::optional<size_t> position = uid < 0 ? std::nullopt : ZPosition(uid);
    if (!position) {
        return -1;
    }
    if (*position + 1 < m_zOrder.size()) {
        return m_zOrder[*position + 1];
    }
    return wrap ? m_zOrder.front() : -1;
}

int32_t CVylObjectGroup::GetPrevZOrderUid(int32_t uid, bool wrap) const {
    const std::optional<size_t> position = uid < 0 ? std::nullopt : ZPosition(uid);
    if (!position) {
        return -1;
    }
    if (*position > 0) {
        return m_zOrder[*position - 1];
    }
    return wrap ? m_zOrder.back() : -1;
}

int32_t CVylObjectGroup::GetZOrderNeighborUidPos(bool up, int32_t* positionOut) const {
    if (m_selection == nullptr || m_selection->GetSelState() != 2 || m_objects.size() <= 1) {
        return -1;
    }
    const std::optional<size_t> position = ZPosition(ChiefUid());
    if (!position) {
        return -1;
    }
    if (positionOut != nullptr) {
        *positionOut = static_cast<int32_t>(*position);
    }
    if (up) {
        return *position + 1 < m_zOrder.size() ? static_cast<int32_t>(*position + 1) : -1;
    }
    return *position > 0 ? static_cast<int32_t>(*position - 1) : -1;
}

void CVylObjectGroup::SwapZ(size_t lower) {
    std::swap(m_zOrder[lower], m_zOrder[lower + 1]);
    m_zPosition[m_zOrder[lower]] = lower;
    m_zPosition[m_zOrder[lower + 1]] = lower + 1;
}

int CVylObjectGroup::MoveUidUp(int32_t uid) {
    const std::optional<size_t> position = ZPosition(uid);
    if (!position || *position + 1 >= m_zOrder.size()) {
        return 0;
    }
    SwapZ(*position);
    return 1;
}

int CVylObjectGroup::MoveUidDown(int32_t uid) {
    const std::optional<size_t> position = ZPosition(uid);
    if (!position || *position == 0) {
        return 0;
    }
    SwapZ(*position - 1);
    return 1;
}

int CVylObjectGroup::ZOrderGoUp() {
    return MoveUidUp(ChiefUid());
}

int CVylObjectGroup::ZOrderGoDown() {
    return MoveUidDown(ChiefUid());
}

namespace {

int32_t NextUid(int32_t uid) {
    return uid == INT32_MAX ? 1 : uid + 1;
}

}  // namespace

void CVylObjectGroup::AppendObjects(bool clearFirst, const CVylObjectGroup& source,
                                    int32_t* uidCounter, const VyUidSet* filter,
                                    bool shiftToOrigin) {
    // Appending a group to itself reads from a copy taken before any change.
    const CVylObjectGroup copyOfSource = &source == this ? source : CVylObjectGroup();
    const CVylObjectGroup& from = &source == this ? copyOfSource : source;
    if (clearFirst) {
        RemoveAllObjectGroup();
    }
    int32_t minX = INT32_MAX;
    int32_t minY = INT32_MAX;
    bool seen = false;
    for (int32_t uid : from.m_zOrder) {
        if (filter != nullptr && filter->count(uid) == 0) {
            continue;
        }
        const CVylObject* object = from.GetByObjUid(uid);
        if (object == nullptr) {
            continue;
        }
        const VyRect region = object->GetRegion();
        minX = std::min({minX, region.left, region.right});
        minY = std::min({minY, region.top, region.bottom});
        seen = true;
        if (uidCounter != nullptr && *uidCounter >= 0) {
            InsertOnTop(*uidCounter, *object);
            *uidCounter = NextUid(*uidCounter);
        }
    }
    if (shiftToOrigin && seen) {
        for (auto& [uid, object] : m_objects) {
            // Negated in 64 bits: the smallest coordinate may be the most negative one.
            MoveRegion(
                uid, {static_cast<int32_t>(-int64_t{minX}), static_cast<int32_t>(-int64_t{minY})});
        }
    }
}

void CVylObjectGroup::AdoptLoops(const CVylDeviceContext& dc) {
    for (auto& [uid, object] : m_objects) {
        if (object.GetKind() == kObjText) {
            PrepareTextLines(object, dc);
        }
    }
}

void CVylObjectGroup::ReleaseLoops() {
    for (auto& [uid, object] : m_objects) {
        if (object.GetKind() == kObjText) {
            object.Unique().Remove(kKeyLineCount);
            object.Unique().RemoveWithPrefix(kKeyLineContent);
            object.Unique().RemoveWithPrefix(kKeyLineTop);
        }
    }
}
