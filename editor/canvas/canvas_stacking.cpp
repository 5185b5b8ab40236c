// The stacking order as the object list changes it: a reordering recorded
// as go_up / go_down actions in one undo step, the whole selection to the
// front or the back, and the selection made from the list's rows.
#include "editor/canvas/canvas_core.h"
#include "editor/document/stacking_order.h"

bool CVylCanvasCore::Restack(const std::vector<int32_t>& order, const VyUidSet& movers) {
    PrepareToRecord();
    // The actions apply to the history's drawing, so the moves start from
    // its order (a copy: each action recorded changes it).
    const std::vector<int32_t> current = m_history.GetCurrentDrawing().GetZOrderList();
    std::vector<CVylEditAction> moves = StackingMoves(current, order, movers);
    bool recorded = false;
    for (CVylEditAction& move : moves) {
        move.swift = 1;
        recorded = Record(std::move(move)) || recorded;
    }
    if (!recorded) {
        return false;
    }
    CloseLastSwift();
    OnAgain(1, 1, 0, 0, 1, 1);
    return true;
}

bool CVylCanvasCore::BringToFront() {
    const VyUidSet uids = SelectedUids();
    return !uids.empty() && Restack(OrderWithUidsOnTop(m_group.GetZOrderList(), uids), uids);
}

bool CVylCanvasCore::SendToBack() {
    const VyUidSet uids = SelectedUids();
    return !uids.empty() && Restack(OrderWithUidsAtBottom(m_group.GetZOrderList(), uids), uids);
}

void CVylCanvasCore::SelectUids(const std::vector<int32_t>& uids, int32_t chief) {
    VyUidSet held;
    for (int32_t uid : uids) {
        if (m_group.GetByObjUid(uid) != nullptr) {
            held.insert(uid);
        }
    }
    m_selection.SetMultiSelection(held, false);
    if (held.count(chief) != 0) {
        m_selection.EnsureChiefSel(chief);
    }
    UpdateUniqueAttrFromSelectedObject();
    m_mouseState = StateForSelection();
    m_tabAnchor = m_selection.GetChiefUid();
    OnAgain(1, 0, 1, 1, 0, 0);
}
