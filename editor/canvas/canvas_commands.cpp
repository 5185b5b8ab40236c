// Editing commands of the canvas: keyboard moves and stretches, layout and
// centring, delete, the internal clipboard, undo and redo, attribute changes.
#include <algorithm>
#include <limits>

#include "editor/canvas/canvas_core.h"
#include "editor/canvas/grid_snap.h"
#include "editor/document/linker_actions.h"
#include "editor/document/paste.h"
#include "editor/image/bmp_codec.h"

namespace {

int32_t Add32(int32_t a, int64_t b) {
    const int64_t sum = a + b;
    if (sum > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (sum < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(sum);
}

int32_t Mid(int32_t a, int32_t b) {
    return static_cast<int32_t>((static_cast<int64_t>(a) + b) / 2);
}

// Moves the far edges (right and bottom, or left and top where the
// rectangle is reversed) by dx and dy.
VyRect StretchFarEdges(VyRect r, int64_t dx, int64_t dy) {
    (r.left > r.right ? r.left : r.right) = Add32(r.left > r.right ? r.left : r.right, dx);
    (r.top > r.bottom ? r.top : r.bottom) = Add32(r.top > r.bottom ? r.top : r.bottom, dy);
    return r;
}

// The span from low to high, keeping its length (and direction), centred
// between screenLow and screenHigh.
void CentreSpan(int32_t& low, int32_t& high, int32_t screenLow, int32_t screenHigh) {
    const int32_t centre = Mid(screenLow, screenHigh);
    const int64_t half = (static_cast<int64_t>(high) - low) / 2;
    low = Add32(centre, -half);
    high = Add32(centre, half);
}

VyRect Centred(VyRect r, const VyRect& screen, bool horizontal, bool vertical) {
    if (horizontal) {
        CentreSpan(r.left, r.right, screen.left, screen.right);
    }
    if (vertical) {
        CentreSpan(r.top, r.bottom, screen.top, screen.bottom);
    }
    return r;
}

// Every edge moves outwards by d (inwards for a negative d).
VyRect Grow(const VyRect& r, int64_t d) {
    const int64_t sx = r.left > r.right ? -1 : 1;
    const int64_t sy = r.top > r.bottom ? -1 : 1;
    return {Add32(r.left, -sx * d), Add32(r.top, -sy * d), Add32(r.right, sx * d),
            Add32(r.bottom, sy * d)};
}

}  // namespace

// Several objects move by an offset, as a mouse drag moves them: a
// both-corner resize could not move a selection less than two dots wide.
void CVylCanvasCore::OffsetMove(int32_t dx, int32_t dy) {
    CommitPendingEdits();
    const VyUidSet uids = SelectedUids();
    if (uids.size() > 1) {
        RecordKeyMove(CVylEditAction::MoveMulti(uids, {dx, dy}), true, true);
        return;
    }
    const VyRect r = m_group.GetSelectionTotalRect();
    MoveBothCorners({Add32(r.left, dx), Add32(r.top, dy), Add32(r.right, dx), Add32(r.bottom, dy)},
                    true);
}

void CVylCanvasCore::Stretch(int32_t dx, int32_t dy) {
    CommitPendingEdits();
    MoveBothCorners(StretchFarEdges(m_group.GetSelectionTotalRect(), dx, dy), true);
}

void CVylCanvasCore::MoveBothCorners(const VyRect& rect, bool merge) {
    CommitPendingEdits();
    const VyUidSet uids = SelectedUids();
    if (uids.empty()) {
        return;
    }
    const bool multiple = uids.size() > 1;
    RecordKeyMove(multiple ? CVylEditAction::ModResizeMultiBothCorners(uids, rect)
                           : CVylEditAction::MoveSingle(m_selection.GetChiefUid(), rect),
                  multiple, merge);
}

// With merge, a move less than a second after the previous one of the same
// sort joins its burst: one undo takes back the burst after its first move.
// The callers have recorded what was pending, so nothing comes between two
// moves of a burst.
void CVylCanvasCore::RecordKeyMove(CVylEditAction action, bool multiple, bool merge) {
    const bool recent = m_pacing.TakeRepeatedMove(multiple);
    const bool joinBurst = merge && recent;
    if (joinBurst) {
        action.swift = 1;
        m_keyBurstOpen = false;  // the burst goes on: its last action stays bound
    }
    Record(std::move(action));
    // A refused move leaves the burst's last action bound: still open.
    m_keyBurstOpen = joinBurst;
    m_mouseState = kMouseSelected;
    OnAgain(1, 1, 1, 0, 1, 1);
}

void CVylCanvasCore::FullLayout() {
    MoveBothCorners(ScreenRect(), false);
}

void CVylCanvasCore::HCenter() {
    CommitPendingEdits();
    MoveBothCorners(Centred(m_group.GetSelectionTotalRect(), ScreenRect(), true, false), false);
}

void CVylCanvasCore::VCenter() {
    CommitPendingEdits();
    MoveBothCorners(Centred(m_group.GetSelectionTotalRect(), ScreenRect(), false, true), false);
}

void CVylCanvasCore::HVCenter() {
    CommitPendingEdits();
    MoveBothCorners(Centred(m_group.GetSelectionTotalRect(), ScreenRect(), true, true), false);
}

void CVylCanvasCore::Inflate() {
    CommitPendingEdits();
    MoveBothCorners(Grow(m_group.GetSelectionTotalRect(), 10000), false);
}

void CVylCanvasCore::Deflate() {
    CommitPendingEdits();
    MoveBothCorners(Grow(m_group.GetSelectionTotalRect(), -10000), false);
}

void CVylCanvasCore::SelectAll() {
    VyUidSet all;
    m_group.GetAllUidMap(all);
    m_selection.SetMultiSelection(all, false);
    m_mouseState = StateForSelection();
    OnAgain(1, 0, 1, 1, 0, 0);
}

void CVylCanvasCore::AddActionsForDetachSelectedObjectsPointsFromLinker(bool closeBlock) {
    PrepareToRecord();
    if (::AddActionsForDetachSelectedObjectsPointsFromLinker(m_history, m_group, m_selection,
                                                             closeBlock) > 0) {
        Rebuild();
    }
}

void CVylCanvasCore::OnDeleteObject() {
    const VyUidSet uids = SelectedUids();
    if (uids.empty()) {
        return;
    }
    AddActionsForDetachSelectedObjectsPointsFromLinker(false);
    if (uids.size() > 1) {
        Record(CVylEditAction::DeleteMulti(uids));
    } else {
        Record(CVylEditAction::Delete(*uids.begin()));
    }
    m_selection.RemoveAll();
    m_mouseState = kMouseIdle;
    OnAgain(1, 1, 1, 1, 1, 1);
}

void CVylCanvasCore::OnCopy() {
    CommitPendingEdits();
    const VyUidSet uids = SelectedUids();
    if (uids.empty()) {
        return;
    }
    int32_t counter = 0;
    m_clipboard.AppendObjects(true, m_group, &counter, &uids, true);
    m_host->ObjectsCopied(m_clipboard);
}

void CVylCanvasCore::OnCut() {
    OnCopy();
    OnDeleteObject();
}

void CVylCanvasCore::OnPaste() {
    PasteFromObjectGroup(m_clipboard);
}

void CVylCanvasCore::PasteFromObjectGroup(const CVylObjectGroup& source) {
    if (source.GetCount() == 0) {
        return;
    }
    PrepareToRecord();
    const VyUidSet pasted = ::PasteFromObjectGroup(m_history, source);
    if (pasted.size() == 1) {
        m_selection.SetSingleSelection(*pasted.begin(), false);
    } else {
        m_selection.SetMultiSelection(pasted, false);
    }
    m_mouseState = kMouseSelected;
    OnAgain(1, 1, 1, 1, 1, 1);
}

void CVylCanvasCore::UndoEditActionAndDrawAll() {
    PrepareToRecord();
    if (!m_history.IsUndoable()) {
        return;
    }
    m_history.UndoEditAction();
    Rebuild();
    m_selection.RemoveAll();
    m_mouseState = kMouseIdle;
    UpdateUniqueAttrFromSelectedObject();
    OnAgain(1, 0, 1, 1, 1, 1);
}

void CVylCanvasCore::RedoEditActionAndDrawAll() {
    PrepareToRecord();
    if (!m_history.IsRedoable()) {
        return;
    }
    m_history.RedoEditAction();
    Rebuild();
    // The panels show what the selected object holds after the redo.
    UpdateUniqueAttrFromSelectedObject();
    m_mouseState = m_selection.GetChiefSelectedObj() != nullptr ? kMouseSelected : kMouseIdle;
    OnAgain(1, 0, 1, 1, 1, 1);
}

void CVylCanvasCore::RemoveEveryData() {
    m_keyBurstOpen = false;
    m_previews.clear();
    m_history.ResetAllEditActionGroup();
    m_selection.RemoveAll();
    m_group.RemoveAllObjectGroup();
    m_mouseState = kMouseIdle;
}

void CVylCanvasCore::UpdateUniqueAttrFromSelectedObject() {
    const CVylObject* chief = m_selection.GetChiefSelectedObj();
    if (chief != nullptr && SelectionCount() == 1) {
        m_toolAttrs = chief->Unique();
    }
}

void CVylCanvasCore::TypicalRepair(const CVylObjectRepairAction& repair, int32_t swift) {
    const VyUidSet uids = SelectedUids();
    if (m_mouseState == kMouseIdle || uids.empty()) {
        return;
    }
    if (swift != 0) {
        // A live preview: shown and sent, recorded by the final call, or
        // before anything else happens when that call never comes.
        for (int32_t uid : uids) {
            if (CVylObject* object = m_group.GetByObjUid(uid)) {
                repair.ApplyTo(*object);
            }
        }
        m_previews[repair.attrName] = {uids, repair};
        OnAgain(1, 0, 0, 0, 1, 1);
        return;
    }
    m_previews.erase(repair.attrName);
    RecordRepair(uids, repair);
    OnAgain(1, 1, 0, 0, 1, 1);
}

bool CVylCanvasCore::ProcessKeys(VyKey key, VyModifiers modifiers, bool focusOnCanvas) {
    // While the mouse drags, the drawing belongs to the drag: a key that
    // deleted or undid the object being made would leave half a gesture.
    if (m_mouseState >= kMouseCreating) {
        return false;
    }
    const int64_t now = m_clock();
    switch (key) {
        case VyKey::kLeft:
        case VyKey::kRight:
        case VyKey::kUp:
        case VyKey::kDown: {
            if (!focusOnCanvas) {
                return false;
            }
            // Held down, a key moves one step at a time for about 30 repeats,
            // then speeds up to 7 steps a repeat.
            m_arrowRepeat = m_lastArrowMs && now - *m_lastArrowMs < 500 ? m_arrowRepeat + 1 : 0;
            m_lastArrowMs = now;
            const int64_t factor = std::clamp((m_arrowRepeat - 30) / 3, 1, 7);
            const int64_t step = KeyStep(m_grid) * factor;
            const int64_t dx = key == VyKey::kLeft ? -step : key == VyKey::kRight ? step : 0;
            const int64_t dy = key == VyKey::kUp ? -step : key == VyKey::kDown ? step : 0;
            if (modifiers.shift) {
                Stretch(static_cast<int32_t>(std::clamp<int64_t>(dx, INT32_MIN, INT32_MAX)),
                        static_cast<int32_t>(std::clamp<int64_t>(dy, INT32_MIN, INT32_MAX)));
            } else {
                OffsetMove(static_cast<int32_t>(std::clamp<int64_t>(dx, INT32_MIN, INT32_MAX)),
                           static_cast<int32_t>(std::clamp<int64_t>(dy, INT32_MIN, INT32_MAX)));
            }
            return true;
        }
        case VyKey::kDelete:
            if (!focusOnCanvas) {
                return false;
            }
            OnDeleteObject();
            return true;
        case VyKey::kTab:
            return OnTab() != 0;
        default:
            break;
    }
    if (!modifiers.ctrl) {
        return false;
    }
    // In an edit box, select-all and the clipboard keys work on its text.
    const bool textKey =
        key == VyKey::kA || key == VyKey::kC || key == VyKey::kX || key == VyKey::kV;
    if (textKey && !focusOnCanvas) {
        return false;
    }
    switch (key) {
        case VyKey::kZ:
            if (modifiers.shift) {
                RedoEditActionAndDrawAll();
            } else if (!m_lastShiftReleaseMs || now - *m_lastShiftReleaseMs >= 500) {
                // Right after a Ctrl+Shift+Z chord, the Shift may come up a
                // moment before the Z: that is no undo.
                UndoEditActionAndDrawAll();
            }
            return true;
        case VyKey::kY:
            RedoEditActionAndDrawAll();
            return true;
        case VyKey::kA:
            SelectAll();
            return true;
        case VyKey::kC:
            OnCopy();
            return true;
        case VyKey::kX:
            OnCut();
            return true;
        case VyKey::kV:
            OnPaste();
            return true;
        default:
            return false;
    }
}

void CVylCanvasCore::OnShiftReleased() {
    m_lastShiftReleaseMs = m_clock();
}

namespace {

// One axis of a region in dots: the corner that holds each edge moves, so a
// region drawn backwards keeps its direction.
struct VyAxis {
    int32_t& first;
    int32_t& second;
    int64_t Low() const { return std::min(first, second) / 10000; }
    int64_t High() const { return std::max(first, second) / 10000; }
    void SetLow(int64_t dots) { (first <= second ? first : second) = Add32(0, dots * 10000); }
    void SetHigh(int64_t dots) { (first <= second ? second : first) = Add32(0, dots * 10000); }
};

}  // namespace

int CVylCanvasCore::ChangeRegionBox(std::string_view name, int32_t value) {
    CommitPendingEdits();
    const int32_t uid = m_selection.GetChiefUid();
    if (m_selection.GetSelState() != 2 || m_group.GetByObjUid(uid) == nullptr) {
        return 0;
    }
    VyRect r = m_group.GetRegion(uid);
    const bool horizontal = name == "left" || name == "right" || name == "width";
    VyAxis axis = horizontal ? VyAxis{r.left, r.right} : VyAxis{r.top, r.bottom};
    const int64_t limit =
        int64_t{m_dc.GetInt(horizontal ? kKeyResolutionX : kKeyResolutionY, -1)} - 1;
    const int64_t v = value;
    if (name == "left" || name == "top") {
        axis.SetLow(std::min({std::max<int64_t>(v, 0), limit, axis.High()}));
    } else if (name == "right" || name == "bottom") {
        axis.SetHigh(std::min(std::max({v, int64_t{0}, axis.Low()}), limit));
    } else if (name == "width" || name == "height") {
        axis.SetHigh(axis.Low() + v - 1);
    } else {
        return 0;
    }
    if (!Record(CVylEditAction::CreResize(uid, r))) {
        // The boxes show the region again.
        OnAgain(0, 0, 1, 0, 0, 0);
        return 0;
    }
    OnAgain(1, 1, 1, 0, 1, 1);
    return 1;
}

void CVylCanvasCore::TypeText(std::string_view text) {
    const int32_t uid = m_selection.GetChiefUid();
    if (m_mouseState == kMouseIdle || m_group.GetByObjUid(uid) == nullptr) {
        return;
    }
    PrepareToRecord();
    AddTextContentChange(m_history, m_pacing, uid, text);
    OnAgain(1, 1, 0, 0, 1, 1);
}

void CVylCanvasCore::RepairChief(const CVylObjectRepairAction& repair) {
    const int32_t uid = m_selection.GetChiefUid();
    if (m_group.GetByObjUid(uid) == nullptr) {
        return;
    }
    Record(CVylEditAction::Repair(uid, repair, 0));
    OnAgain(1, 1, 0, 1, 1, 1);
}

int CVylCanvasCore::ResizeChiefToPicture() {
    CommitPendingEdits();
    const CVylObject* chief = m_selection.GetChiefSelectedObj();
    CRevolver picture;
    int32_t width = 0;
    int32_t height = 0;
    if (chief == nullptr || !chief->Unique().GetBytes(kKeyBmpBin, &picture) ||
        picture.GetLength() == 0 || !ReadBmpSize(picture.View(), &width, &height)) {
        return 0;
    }
    const VyRect r = chief->GetRegion();
    const VyRect sized{r.left, r.top, Add32(r.left, (int64_t{width} - 1) * 10000),
                       Add32(r.top, (int64_t{height} - 1) * 10000)};
    Record(CVylEditAction::ModResize(chief->GetUid(), sized, true));
    OnAgain(1, 1, 1, 0, 1, 1);
    return 1;
}
