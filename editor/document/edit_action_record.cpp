// The record form of an action. Single-object actions write their object
// record in "oea", multi-object ones their uids or group in "gea". Besides the
// long-standing keys, the multi part also keeps the rectangle of a both-corner
// resize ("rect_*"), the repair record of a multi repair ("rp") and the
// linker uid of an add-linker ("lnk"), which a reload would otherwise lose.
#include <string_view>

#include "editor/document/action_kinds.h"
#include "editor/document/action_record_keys.h"
#include "editor/document/edit_action.h"
#include "editor/model/column_table.h"
#include "editor/tree/decimal_text.h"

namespace {

std::string JoinUids(const VyUidSet& uids) {
    std::string text;
    for (int32_t uid : uids) {
        if (!text.empty()) {
            text += '|';
        }
        text += DecimalText(uid);
    }
    return text;
}

VyUidSet SplitUids(std::string_view text) {
    VyUidSet uids;
    if (text.empty()) {
        return uids;
    }
    for (std::string_view piece : SplitKeepingEmpty(text, '|')) {
        uids.insert(AtoiValue(piece));
    }
    return uids;
}

}  // namespace

int CVylEditAction::ToRevolver(CRevolver& out) const {
    const VyActionKindFacts& facts = ActionKindFacts(kind);
    CFxAssignGroupEx tree;
    tree.SetInt(kKeyActionKind, kind);
    tree.SetInt(kKeyActionSwift, swift);
    tree.SetInt(kKeyActionIsSingle, facts.single ? 1 : 0);
    CFxAssignGroupEx part;
    CRevolver bytes;
    if (facts.single) {
        if (!ToRecord(bytes)) {
            return 0;
        }
        part.SetBytes(kKeyObjectRecord, bytes);
    } else {
        part.SetInt(kKeyGroupForm, groupForm);
        if (groupForm == kFormUids) {
            part.SetInt(kKeyHandleCode, handleCode);
            part.SetInt(kKeyHandleX, handlePoint.x);
            part.SetInt(kKeyHandleY, handlePoint.y);
            part.SetInt(kKeyOffsetX, offset.x);
            part.SetInt(kKeyOffsetY, offset.y);
            part.SetString(kKeyUids, JoinUids(uids));
        } else if (groupForm == kFormGroup) {
            if (!Group().ObjGroupToRevolver(bytes)) {
                return 0;
            }
            part.SetBytes(kKeyGroupRecord, bytes);
        }
    }
    if (facts.rect) {
        const int32_t sides[] = {rect.left, rect.top, rect.right, rect.bottom};
        for (int i = 0; i < 4; ++i) {
            part.SetInt(kRectKeys[i], sides[i]);
        }
    }
    if (facts.repair) {
        if (!repair.ToRevolver(bytes)) {
            return 0;
        }
        part.SetBytes(kKeyRepairRecord, bytes);
    }
    if (facts.contact || facts.linker) {
        part.SetInt(kKeyLinkerUid, linkerUid);
    }
    if (facts.contact) {
        part.SetInt(kKeyContactUid, contactUid);
        part.SetInt(kKeyContactCorner, contactCorner);
    }
    if (!part.ToRevolver(bytes)) {
        return 0;
    }
    tree.SetBytes(facts.single ? kKeySinglePart : kKeyMultiPart, bytes);
    if (!facts.single) {
        tree.SetInt(kKeyGroupForm, groupForm);
    }
    return tree.ToRevolver(out);
}

int CVylEditAction::FromRevolver(const CRevolver& in) {
    CFxAssignGroupEx tree;
    if (!tree.FromRevolver(in)) {
        return 0;
    }
    swift = tree.GetInt(kKeyActionSwift, 0);
    kind = tree.GetInt(kKeyActionKind, 0);
    const VyActionKindFacts& facts = ActionKindFacts(kind);
    CFxAssignGroupEx part;
    if (facts.single) {
        const CRevolver* single = tree.FindBytes(kKeySinglePart);
        const CRevolver* object = nullptr;
        if (single == nullptr || !part.FromRevolver(*single) ||
            (object = part.FindBytes(kKeyObjectRecord)) == nullptr || !FromRecord(*object)) {
            return 0;
        }
        if (facts.repair) {
            const CRevolver* record = part.FindBytes(kKeyRepairRecord);
            if (record == nullptr || !repair.FromRevolver(*record)) {
                return 0;
            }
        }
        if (facts.contact) {
            linkerUid = part.GetInt(kKeyLinkerUid, -1);
            contactUid = part.GetInt(kKeyContactUid, -1);
            contactCorner = part.GetInt(kKeyContactCorner, -1);
        }
        return 1;
    }
    // Any multi part is read whole, whatever its kind.
    const CRevolver* multi = tree.FindBytes(kKeyMultiPart);
    if (multi != nullptr && !part.FromRevolver(*multi)) {
        return 0;
    }
    const int32_t partForm = part.GetInt(kKeyGroupForm, kFormNone);
    if (partForm == kFormUids) {
        handleCode = part.GetInt(kKeyHandleCode, 11);
        handlePoint = {part.GetInt(kKeyHandleX, -1), part.GetInt(kKeyHandleY, -1)};
        offset = {part.GetInt(kKeyOffsetX, 0), part.GetInt(kKeyOffsetY, 0)};
        uids = SplitUids(part.GetString(kKeyUids));
    } else if (partForm == kFormGroup) {
        const CRevolver* group = part.FindBytes(kKeyGroupRecord);
        if (group == nullptr || !MutableGroup().ObjGroupFromRevolver(*group)) {
            return 0;
        }
    }
    groupForm = tree.GetInt(kKeyGroupForm, kFormNone);
    if (part.Has(kRectKeys[0])) {
        rect = {part.GetInt(kRectKeys[0], -1), part.GetInt(kRectKeys[1], -1),
                part.GetInt(kRectKeys[2], -1), part.GetInt(kRectKeys[3], -1)};
    }
    const CRevolver* record = part.FindBytes(kKeyRepairRecord);
    if (record != nullptr && !repair.FromRevolver(*record)) {
        return 0;
    }
    linkerUid = part.GetInt(kKeyLinkerUid, linkerUid);
    return 1;
}
