// The object popup menu's commands: alignment, centring, line contacts,
// delete, stacking order, enlarging and shrinking, with the rules that
// enable each.
#include "editor/canvas/canvas_core.h"
#include "editor/document/linker_store.h"
#include "editor/document/stacking_order.h"

namespace {

const char* AlignMode(VyCanvasCommand command) {
    switch (command) {
        case VyCanvasCommand::kAlignTop:
            return "top";
        case VyCanvasCommand::kAlignBottom:
            return "bottom";
        case VyCanvasCommand::kAlignLeft:
            return "left";
        case VyCanvasCommand::kAlignRight:
            return "right";
        case VyCanvasCommand::kSameWidth:
            return "width";
        case VyCanvasCommand::kSameHeight:
            return "height";
        case VyCanvasCommand::kSameSize:
            return "size";
        case VyCanvasCommand::kSameVertGap:
            return "vert_gap";
        case VyCanvasCommand::kSameHorizGap:
            return "horiz_gap";
        default:
            return nullptr;
    }
}

}  // namespace

// Whether an object other than the chief holds a joined point.
bool CVylCanvasCore::AnySlaveJoined() const {
    for (int32_t uid : m_selection.GetSlaves()) {
        if (LinkerOf(uid)) {
            return true;
        }
    }
    return false;
}

bool CVylCanvasCore::IsCommandEnabled(VyCanvasCommand command) const {
    const int32_t state = m_selection.GetSelState();
    const bool some = state != 1;
    const bool several = state == 3;
    int32_t position = -1;
    switch (command) {
        case VyCanvasCommand::kAlignTop:
        case VyCanvasCommand::kAlignBottom:
        case VyCanvasCommand::kAlignLeft:
        case VyCanvasCommand::kAlignRight:
            return several;
        case VyCanvasCommand::kSameWidth:
        case VyCanvasCommand::kSameHeight:
        case VyCanvasCommand::kSameSize:
        case VyCanvasCommand::kSameVertGap:
        case VyCanvasCommand::kSameHorizGap:
            return several && !AnySlaveJoined();
        case VyCanvasCommand::kContact:
            return several && m_selection.GetSlaves().size() == 1;
        case VyCanvasCommand::kGoUp:
            return m_group.GetZOrderNeighborUidPos(true, &position) >= 0;
        case VyCanvasCommand::kGoDown:
            return m_group.GetZOrderNeighborUidPos(false, &position) >= 0;
        case VyCanvasCommand::kToFront:
        case VyCanvasCommand::kToBack: {
            const std::vector<int32_t>& order = m_group.GetZOrderList();
            const VyUidSet uids = SelectedUids();
            return some && (command == VyCanvasCommand::kToFront
                                ? OrderWithUidsOnTop(order, uids)
                                : OrderWithUidsAtBottom(order, uids)) != order;
        }
        default:
            return some;
    }
}

void CVylCanvasCore::RunCommand(VyCanvasCommand command) {
    if (const char* mode = AlignMode(command)) {
        Align(mode);
        OnAgain(1, 1, 0, 0, 1, 1);
        return;
    }
    switch (command) {
        case VyCanvasCommand::kHCenter:
            HCenter();
            break;
        case VyCanvasCommand::kVCenter:
            VCenter();
            break;
        case VyCanvasCommand::kHVCenter:
            HVCenter();
            break;
        case VyCanvasCommand::kFullLayout:
            FullLayout();
            break;
        case VyCanvasCommand::kContact:
            OnContact();
            break;
        case VyCanvasCommand::kRemoveContacts:
            AddActionsForDetachSelectedObjectsPointsFromLinker(true);
            OnAgain(1, 0, 0, 0, 0, 0);
            break;
        case VyCanvasCommand::kDelete:
            OnDeleteObject();
            break;
        case VyCanvasCommand::kGoUp:
        case VyCanvasCommand::kGoDown:
            ZOrderStep(command == VyCanvasCommand::kGoUp);
            break;
        case VyCanvasCommand::kToFront:
            BringToFront();
            break;
        case VyCanvasCommand::kToBack:
            SendToBack();
            break;
        case VyCanvasCommand::kInflate:
            Inflate();
            break;
        case VyCanvasCommand::kDeflate:
            Deflate();
            break;
        default:
            break;
    }
}

VyJoinResult CVylCanvasCore::OnContact() {
    if (m_selection.GetSelState() != 3 || m_selection.GetSlaves().size() != 1) {
        return VyJoinResult::kBadSelection;
    }
    PrepareToRecord();
    const VyJoinResult result = JoinNearestEndPoints(m_history, m_group, m_selection);
    if (result == VyJoinResult::kBadSelection) {
        m_host->ShowNotice(kNoticeBadSelection);
    } else if (result == VyJoinResult::kNotLines) {
        m_host->ShowNotice(kNoticeNotLines);
    }
    // Joined lines may have moved: the module follows too.
    OnAgain(1, 1, 1, 0, 1, 1);
    return result;
}

void CVylCanvasCore::ZOrderStep(bool up) {
    int32_t position = -1;
    const CVylObject* chief = m_selection.GetChiefSelectedObj();
    if (chief == nullptr || m_group.GetZOrderNeighborUidPos(up, &position) < 0) {
        return;
    }
    const int32_t uid = chief->GetUid();
    Record(up ? CVylEditAction::GoUp(uid) : CVylEditAction::GoDown(uid));
    OnAgain(1, 1, 0, 0, 1, 1);
}
