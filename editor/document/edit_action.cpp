#include "editor/document/edit_action.h"

#include "editor/document/action_kinds.h"

const char* ActionKindName(int32_t kind) {
    return ActionKindFacts(kind).name.data();
}

CVylEditAction CVylEditAction::Single(int32_t actionKind, int32_t uid, const VyRect& region) {
    CVylEditAction action;
    action.kind = actionKind;
    // The object kind 1 marks a bare region action; nothing reads it back.
    action.SetCommonAttrs(uid, 1, region);
    return action;
}

CVylEditAction CVylEditAction::Multi(int32_t actionKind, const VyUidSet& uidSet) {
    CVylEditAction action;
    action.kind = actionKind;
    action.uids = uidSet;
    action.groupForm = kFormUids;
    return action;
}

CVylEditAction CVylEditAction::Create(int32_t uid, int32_t objKind, const VyRect& region,
                                      const CVylObjectUniqueAttr& attrs) {
    CVylEditAction action;
    action.kind = kActCreate;
    action.swift = 1;
    action.SetCommonAttrs(uid, objKind, region);
    action.Unique() = attrs;
    return action;
}

CVylEditAction CVylEditAction::Delete(int32_t uid) {
    return Single(kActDelete, uid, kEmptyRect);
}

CVylEditAction CVylEditAction::CreResize(int32_t uid, const VyRect& region) {
    return Single(kActCreResize, uid, region);
}

CVylEditAction CVylEditAction::ModResize(int32_t uid, const VyRect& region, bool normalize) {
    return Single(kActModResize, uid, normalize ? region.Normalized() : region);
}

CVylEditAction CVylEditAction::MoveSingle(int32_t uid, const VyRect& region) {
    return Single(kActMoveSingle, uid, region);
}

CVylEditAction CVylEditAction::Repair(int32_t uid, const CVylObjectRepairAction& repairRecord,
                                      int32_t swiftFlag) {
    CVylEditAction action;
    action.kind = kActRepair;
    action.swift = swiftFlag;
    action.Common().SetInt(kKeyObjUid, uid);
    action.repair = repairRecord;
    return action;
}

CVylEditAction CVylEditAction::GoUp(int32_t uid) {
    CVylEditAction action;
    action.kind = kActGoUp;
    action.Common().SetInt(kKeyObjUid, uid);
    return action;
}

CVylEditAction CVylEditAction::GoDown(int32_t uid) {
    CVylEditAction action = GoUp(uid);
    action.kind = kActGoDown;
    return action;
}

CVylEditAction CVylEditAction::CreateMulti(const CVylObjectGroup& source, int32_t* uidCounter) {
    CVylEditAction action;
    action.kind = kActCreateMulti;
    action.groupForm = kFormGroup;
    action.MutableGroup().AppendObjects(true, source, uidCounter, nullptr, false);
    return action;
}

CVylEditAction CVylEditAction::DeleteMulti(const VyUidSet& uidSet) {
    return Multi(kActDeleteMulti, uidSet);
}

CVylEditAction CVylEditAction::ModResizeMultiOneCorner(const VyUidSet& uidSet, int32_t handle,
                                                       VyPoint point) {
    CVylEditAction action = Multi(kActModResizeMultiOneCorner, uidSet);
    action.handleCode = handle;
    action.handlePoint = point;
    return action;
}

CVylEditAction CVylEditAction::ModResizeMultiBothCorners(const VyUidSet& uidSet,
                                                         const VyRect& target) {
    CVylEditAction action = Multi(kActModResizeMultiBothCorners, uidSet);
    action.rect = target;
    return action;
}

CVylEditAction CVylEditAction::MoveMulti(const VyUidSet& uidSet, VyPoint by) {
    CVylEditAction action = Multi(kActMoveMulti, uidSet);
    action.offset = by;
    return action;
}

CVylEditAction CVylEditAction::RepairMulti(const VyUidSet& uidSet,
                                           const CVylObjectRepairAction& repairRecord,
                                           int32_t swiftFlag) {
    CVylEditAction action = Multi(kActRepairMulti, uidSet);
    action.repair = repairRecord;
    action.swift = swiftFlag;
    return action;
}

CVylEditAction CVylEditAction::AddLinker(int32_t linker) {
    CVylEditAction action;
    action.kind = kActAddLinker;
    action.swift = 1;
    action.linkerUid = linker;
    return action;
}

CVylEditAction CVylEditAction::AddPointToLinker(int32_t linker, int32_t uid, int32_t corner) {
    CVylEditAction action;
    action.kind = kActAddPointToLinker;
    action.Common().SetInt(kKeyObjUid, uid);
    action.linkerUid = linker;
    action.contactUid = uid;
    action.contactCorner = corner;
    return action;
}

CVylEditAction CVylEditAction::DetachPointFromLinker(int32_t linker, int32_t uid, int32_t corner) {
    CVylEditAction action = AddPointToLinker(linker, uid, corner);
    action.kind = kActDetachPointFromLinker;
    action.swift = 1;
    return action;
}

const CVylObjectGroup& CVylEditAction::Group() const {
    static const CVylObjectGroup kEmpty;
    return m_group ? *m_group : kEmpty;
}

CVylObjectGroup& CVylEditAction::MutableGroup() {
    if (!m_group) {
        m_group = std::make_shared<CVylObjectGroup>();
    } else if (m_group.use_count() > 1) {
        m_group = std::make_shared<CVylObjectGroup>(*m_group);
    }
    return *m_group;
}

bool CVylEditAction::IsSingle() const {
    return ActionKindFacts(kind).single;
}

std::string CVylEditAction::PointKey() const {
    return LinkerPointKey(contactUid, contactCorner);
}

int CVylEditAction::ApplyTo(CVylObjectGroup& target) const {
    return IsSingle() ? ApplySingle(target) : ApplyMulti(target);
}

int CVylEditAction::ApplySingle(CVylObjectGroup& target) const {
    if (kind == kActAddPointToLinker) {
        target.AddPointToLinker(linkerUid, {contactUid, contactCorner});
        return 1;
    }
    if (kind == kActDetachPointFromLinker) {
        target.DetachPointFromLinker(linkerUid, {contactUid, contactCorner});
        return 1;
    }
    int32_t uid = 0;
    if (!Common().GetInt(kKeyObjUid, &uid)) {
        return 0;
    }
    CVylObject* object = target.GetByObjUid(uid);
    if (kind == kActCreate) {
        if (object != nullptr) {
            return 0;
        }
        target.InsertOnTop(uid, *this);
        return 1;
    }
    if (object == nullptr) {
        return 0;
    }
    switch (kind) {
        case kActDelete:
            target.Delete(uid);
            break;
        case kActRepair:
            repair.ApplyTo(*object);
            break;
        case kActGoUp:
            target.MoveUidUp(uid);
            break;
        case kActGoDown:
            target.MoveUidDown(uid);
            break;
        default:
            object->SetRegion(GetRegion());
            break;
    }
    return 1;
}

int CVylEditAction::ApplyMulti(CVylObjectGroup& target) const {
    switch (kind) {
        case kActCreateMulti:
            // As a single create: an existing uid stops the replay instead
            // of replacing the object that has it.
            for (int32_t uid : Group().GetZOrderList()) {
                if (target.GetByObjUid(uid) != nullptr) {
                    return 0;
                }
            }
            for (int32_t uid : Group().GetZOrderList()) {
                if (const CVylObject* object = Group().GetByObjUid(uid)) {
                    target.InsertOnTop(uid, *object);
                }
            }
            break;
        case kActDeleteMulti:
            target.DeleteMulti(uids);
            break;
        case kActModResizeMultiOneCorner:
            target.ResizeMultiOneCorner(uids, handleCode, handlePoint);
            break;
        case kActModResizeMultiBothCorners:
            target.ResizeMultiBothCorners(uids, rect);
            break;
        case kActMoveMulti:
            target.MoveRegions(uids, offset);
            break;
        case kActRepairMulti:
            for (int32_t uid : uids) {
                if (CVylObject* object = target.GetByObjUid(uid)) {
                    repair.ApplyTo(*object);
                }
            }
            break;
        case kActAddLinker:
            target.AddLinker(linkerUid);
            break;
        default:
            break;
    }
    return 1;
}
