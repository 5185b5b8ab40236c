// CVylObjectGroup: the drawing: every object keyed by its uid, the stacking
// order of the uids (bottom first) and the linker store.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "editor/command/object_source.h"
#include "editor/document/handle_code.h"
#include "editor/document/linker_store.h"
#include "editor/document/uid_set.h"
#include "editor/model/device_context.h"
#include "editor/model/drawing_object.h"
#include "editor/model/geometry.h"

class CVylObjectSelection;
class CVylEditActionGroup;

class VYEDIT_EXPORT CVylObjectGroup : public CVylObjectSource, public CVylLinkerStore {
  public:
    CVylObjectGroup() = default;
    // Copies and moves take the objects, never the attached selection.
    CVylObjectGroup(const CVylObjectGroup& other);
    CVylObjectGroup(CVylObjectGroup&& other) noexcept;
    CVylObjectGroup& operator=(const CVylObjectGroup& other);
    CVylObjectGroup& operator=(CVylObjectGroup&& other) noexcept;

    // The selection that the selection-dependent operations consult; a group
    // without one behaves as if nothing were selected.
    void AttachSelection(CVylObjectSelection* selection) { m_selection = selection; }
    CVylObjectSelection* GetSelection() const { return m_selection; }

    // Objects and stacking order.
    const CVylObject* GetByObjUid(int32_t uid) const override;
    CVylObject* GetByObjUid(int32_t uid);
    const std::vector<int32_t>& GetZOrderList() const override { return m_zOrder; }
    // Uids in ascending order (the order of the record form).
    std::vector<int32_t> GetSortedUids() const;
    size_t GetCount() const { return m_objects.size(); }
    void GetAllUidMap(VyUidSet& out) const;
    // Inserts a copy under uid on top of the stacking order, replacing any
    // object of that uid; the copy's "obj_uid" is set to uid.
    void InsertOnTop(int32_t uid, const CVylObject& object);
    void RemoveAllObjectGroup();
    int Delete(int32_t uid);
    void DeleteMulti(const VyUidSet& uids);

    // Regions.
    VyRect GetRegion(int32_t uid) const;
    int ModifyRegion(int32_t uid, const VyRect& rect);
    int MoveRegion(int32_t uid, VyPoint offset);
    void MoveRegions(const VyUidSet& uids, VyPoint offset);
    VyRect GetTotalRect(const VyUidSet& uids) const;
    VyRect GetSelectionTotalRect() const;
    void ResizeMultiOneCorner(const VyUidSet& uids, int32_t corner, VyPoint point);
    void ResizeMultiBothCorners(const VyUidSet& uids, const VyRect& rect);
    VyPoint GetPointByUidAndCorner(int32_t uid, int32_t corner) const;

    // Handles of the selection frame.
    // reach scales the handles' tolerances (see HandleAt).
    int32_t GetCornerState(VyPoint point, bool normalize, double reach = 1.0) const;
    VyCornerCursor GetCornerCursor(VyPoint point, double reach = 1.0) const;
    int IsResizeProhibited() const { return 0; }

    // Picking.
    int SelectObjByCenterSenseMethod(VyPoint point, CVylObjectUniqueAttr* attrsOut,
                                     VyPoint* centerOut);
    void SelectObjsByRect(const VyRect& rect);

    // Stacking order moves.
    int32_t GetNextZOrderUid(int32_t uid, bool wrap) const;
    int32_t GetPrevZOrderUid(int32_t uid, bool wrap) const;
    // Position of the uid above (up) or below the single selected object, or
    // -1; the selected object's position goes to positionOut.
    int32_t GetZOrderNeighborUidPos(bool up, int32_t* positionOut) const;
    int ZOrderGoUp();
    int ZOrderGoDown();
    // One place up or down for any uid; 0 when unknown or already at the end.
    int MoveUidUp(int32_t uid);
    int MoveUidDown(int32_t uid);

    // Copies the source's objects (bottom to top, only those in the filter
    // when given) under new uids from the counter, on top of this group.
    void AppendObjects(bool clearFirst, const CVylObjectGroup& source, int32_t* uidCounter,
                       const VyUidSet* filter, bool shiftToOrigin);

    // Record form.
    int ObjGroupToRevolver(CRevolver& out) const;
    int ObjGroupFromRevolver(const CRevolver& in);
    // The same from a record already decoded.
    int ObjGroupFromTree(const CFxAssignGroupEx& record);

    // Rebuilds the group by replaying the history up to its current action;
    // 0 when an action cannot be applied (what was built before it stays).
    int CreateObjectGroupFromEditActionGroup(const CVylEditActionGroup& history);

    // Laid-out text lines of every text object, present between the two calls.
    void AdoptLoops(const CVylDeviceContext& dc);
    void ReleaseLoops();

    int32_t GetLcdUpdateNeededApproxTime() const {
        return static_cast<int32_t>(30 * m_objects.size());
    }

  private:
    std::optional<size_t> ZPosition(int32_t uid) const;
    void ReindexFrom(size_t position);
    void SwapZ(size_t lower);
    void MapRegions(const VyUidSet& uids, const VyRect& from, const VyRect& to);
    int32_t ChiefUid() const;

    // Hashed: the replay looks objects up for nearly every action.
    std::unordered_map<int32_t, CVylObject> m_objects;
    std::vector<int32_t> m_zOrder;
    std::unordered_map<int32_t, size_t> m_zPosition;
    CVylObjectSelection* m_selection = nullptr;
};
