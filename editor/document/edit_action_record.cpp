// The record form of an action. Single-object actions write their object
// record in "oea", multi-object ones their uids or group in "gea". Besides the
// long-standing keys, the multi part also keeps the rectangle of a both-corner
// resize ("rect_*"), the repair record of a multi repair ("rp") and the
// linker uid of an add-linker ("lnk"), which a reload would otherwise lose.
#include <string_view>

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

constexpr std::string_view kRectKeys[] = {"rect_left", "rect_top", "rect_right", "rect_bottom"};

}  // namespace

int CVylEditAction::ToRevolver(CRevolver& out) const {
    CFxAssignGroupEx tree;
    tree.SetInt("ack", kind);
    tree.SetInt("sw", swift);
    tree.SetInt("iss", IsSingle() ? 1 : 0);
    CFxAssignGroupEx part;
    CRevolver bytes;
    if (IsSingle()) {
        if (!ToRecord(bytes)) {
            return 0;
        }
        part.SetBytes("oa", bytes);
        if (kind == kActRepair) {
            if (!repair.ToRevolver(bytes)) {
                return 0;
            }
            part.SetBytes("rp", bytes);
        }
        if (kind == kActAddPointToLinker || kind == kActDetachPointFromLinker) {
            part.SetInt("lnk", linkerUid);
            part.SetInt("cid", contactUid);
            part.SetInt("ccr", contactCorner);
        }
    } else {
        part.SetInt("gak", groupForm);
        if (groupForm == kFormUids) {
            part.SetInt("grc", handleCode);
            part.SetInt("gnsf_x", handlePoint.x);
            part.SetInt("gnsf_y", handlePoint.y);
            part.SetInt("gos_x", offset.x);
            part.SetInt("gos_y", offset.y);
            part.SetString("uids", JoinUids(uids));
        } else if (groupForm == kFormGroup) {
            if (!Group().ObjGroupToRevolver(bytes)) {
                return 0;
            }
            part.SetBytes("obg", bytes);
        }
        if (kind == kActModResizeMultiBothCorners) {
            const int32_t sides[] = {rect.left, rect.top, rect.right, rect.bottom};
            for (int i = 0; i < 4; ++i) {
                part.SetInt(kRectKeys[i], sides[i]);
            }
        } else if (kind == kActRepairMulti) {
            if (!repair.ToRevolver(bytes)) {
                return 0;
            }
            part.SetBytes("rp", bytes);
        } else if (kind == kActAddLinker) {
            part.SetInt("lnk", linkerUid);
        }
    }
    if (!part.ToRevolver(bytes)) {
        return 0;
    }
    tree.SetBytes(IsSingle() ? "oea" : "gea", bytes);
    if (!IsSingle()) {
        tree.SetInt("gak", groupForm);
    }
    return tree.ToRevolver(out);
}

int CVylEditAction::FromRevolver(const CRevolver& in) {
    CFxAssignGroupEx tree;
    if (!tree.FromRevolver(in)) {
        return 0;
    }
    swift = tree.GetInt("sw", 0);
    kind = tree.GetInt("ack", 0);
    CRevolver bytes;
    CFxAssignGroupEx part;
    if (IsSingle()) {
        if (!tree.GetBytes("oea", &bytes) || !part.FromRevolver(bytes) ||
            !part.GetBytes("oa", &bytes) || !FromRecord(bytes)) {
            return 0;
        }
        if (kind == kActRepair && (!part.GetBytes("rp", &bytes) || !repair.FromRevolver(bytes))) {
            return 0;
        }
        if (kind == kActAddPointToLinker || kind == kActDetachPointFromLinker) {
            linkerUid = part.GetInt("lnk", -1);
            contactUid = part.GetInt("cid", -1);
            contactCorner = part.GetInt("ccr", -1);
        }
        return 1;
    }
    if (tree.GetBytes("gea", &bytes) && !part.FromRevolver(bytes)) {
        return 0;
    }
    const int32_t partForm = part.GetInt("gak", kFormNone);
    if (partForm == kFormUids) {
        handleCode = part.GetInt("grc", 11);
        handlePoint = {part.GetInt("gnsf_x", -1), part.GetInt("gnsf_y", -1)};
        offset = {part.GetInt("gos_x", 0), part.GetInt("gos_y", 0)};
        uids = SplitUids(part.GetString("uids"));
    } else if (partForm == kFormGroup) {
        if (!part.GetBytes("obg", &bytes) || !MutableGroup().ObjGroupFromRevolver(bytes)) {
            return 0;
        }
    }
    groupForm = tree.GetInt("gak", kFormNone);
    if (part.Has(kRectKeys[0])) {
        rect = {part.GetInt(kRectKeys[0], -1), part.GetInt(kRectKeys[1], -1),
                part.GetInt(kRectKeys[2], -1), part.GetInt(kRectKeys[3], -1)};
    }
    if (part.GetBytes("rp", &bytes) && !repair.FromRevolver(bytes)) {
        return 0;
    }
    linkerUid = part.GetInt("lnk", linkerUid);
    return 1;
}
