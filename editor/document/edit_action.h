// CVylEditAction: one recorded change of the drawing. The drawing is never
// edited in place; it is the replay of these actions (see the object group).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/document/object_group.h"
#include "editor/document/repair_action.h"
#include "editor/document/uid_set.h"
#include "editor/model/drawing_object.h"

enum VyActionKind : int32_t {
    kActCreate = 1,
    kActDelete = 2,
    kActCreResize = 3,
    kActModResize = 4,
    kActMoveSingle = 5,
    kActRepair = 6,
    kActGoUp = 7,
    kActGoDown = 8,
    kActCreateMulti = 9,
    kActDeleteMulti = 10,
    kActModResizeMultiOneCorner = 11,
    kActModResizeMultiBothCorners = 12,
    kActMoveMulti = 13,
    kActRepairMulti = 14,
    kActAddLinker = 15,
    kActAddPointToLinker = 16,
    kActDetachPointFromLinker = 17,
};

// How the multi part of an action is written.
enum VyGroupForm : int32_t { kFormGroup = 1, kFormUids = 2, kFormNone = 4 };

// The name of an action kind in dumps ("create", "move_multi"...); "" when unknown.
const char* ActionKindName(int32_t kind);

class CVylEditAction : public CVylObject {
  public:
    // Single-object actions keep their object's uid as "obj_uid".
    static CVylEditAction Create(int32_t uid, int32_t objKind, const VyRect& region,
                                 const CVylObjectUniqueAttr& attrs);
    static CVylEditAction Delete(int32_t uid);
    static CVylEditAction CreResize(int32_t uid, const VyRect& region);
    static CVylEditAction ModResize(int32_t uid, const VyRect& region, bool normalize);
    static CVylEditAction MoveSingle(int32_t uid, const VyRect& region);
    static CVylEditAction Repair(int32_t uid, const CVylObjectRepairAction& repair, int32_t swift);
    static CVylEditAction GoUp(int32_t uid);
    static CVylEditAction GoDown(int32_t uid);
    // Every object of source gets a new uid from the counter.
    static CVylEditAction CreateMulti(const CVylObjectGroup& source, int32_t* uidCounter);
    static CVylEditAction DeleteMulti(const VyUidSet& uids);
    static CVylEditAction ModResizeMultiOneCorner(const VyUidSet& uids, int32_t handle,
                                                  VyPoint point);
    static CVylEditAction ModResizeMultiBothCorners(const VyUidSet& uids, const VyRect& rect);
    static CVylEditAction MoveMulti(const VyUidSet& uids, VyPoint offset);
    static CVylEditAction RepairMulti(const VyUidSet& uids, const CVylObjectRepairAction& repair,
                                      int32_t swift);
    static CVylEditAction AddLinker(int32_t linkerUid);
    static CVylEditAction AddPointToLinker(int32_t linkerUid, int32_t uid, int32_t corner);
    static CVylEditAction DetachPointFromLinker(int32_t linkerUid, int32_t uid, int32_t corner);

    bool IsSingle() const;
    std::string PointKey() const;

    // Applies the action to a group during a replay; 0 where the replay must
    // stop (a missing object, or a create of an existing uid).
    int ApplyTo(CVylObjectGroup& group) const;

    // Record form ("ack", "sw", "iss", "oea" or "gea" and "gak").
    int ToRevolver(CRevolver& out) const;
    int FromRevolver(const CRevolver& in);

    int32_t kind = 0;
    int32_t swift = 0;
    CVylObjectRepairAction repair;
    // The objects of a "create_multi"; an empty group for other kinds.
    const CVylObjectGroup& Group() const;
    CVylObjectGroup& MutableGroup();

    // Multi part.
    VyUidSet uids;
    int32_t groupForm = kFormNone;
    VyPoint offset;
    VyPoint handlePoint{-1, -1};
    int32_t handleCode = 11;
    VyRect rect = kEmptyRect;
    // Contact part.
    int32_t contactUid = -1;
    int32_t contactCorner = -1;
    int32_t linkerUid = -1;

  private:
    // Shared between copies until one of them changes it: most actions have
    // no group, and a history walks its actions on every replay.
    std::shared_ptr<CVylObjectGroup> m_group;

    static CVylEditAction Single(int32_t kind, int32_t uid, const VyRect& region);
    static CVylEditAction Multi(int32_t kind, const VyUidSet& uids);
    int ApplySingle(CVylObjectGroup& target) const;
    int ApplyMulti(CVylObjectGroup& target) const;
};
