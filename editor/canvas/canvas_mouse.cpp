// Mouse gestures of the canvas: drags create, select, resize and move; the
// group follows the mouse directly and the release records one edit action.
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "editor/canvas/canvas_core.h"
#include "editor/canvas/canvas_texts.h"
#include "editor/canvas/grid_snap.h"
#include "editor/document/handle_code.h"
#include "editor/document/linker_actions.h"
#include "editor/document/profile_file.h"
#include "editor/tree/decimal_text.h"

namespace {

// The text a click makes: room for about ten letters of the default font.
constexpr int32_t kClickTextWidth = 100 * 10000;
constexpr int32_t kClickTextHeight = 16 * 10000;

// A drag starts once the mouse is 5 dots away from the press point.
constexpr int64_t kDragThreshold = 50000;
// Tab browsing reaches objects whose centres are closer than 50 dots.
constexpr double kNeighbourDistance = 500000.0;
constexpr int64_t kTabTipClickMs = 1400;

VyPoint Centre(const VyRect& region) {
    const VyRect r = region.Normalized();
    return {static_cast<int32_t>((static_cast<int64_t>(r.left) + r.right) / 2),
            static_cast<int32_t>((static_cast<int64_t>(r.top) + r.bottom) / 2)};
}

double Distance(VyPoint a, VyPoint b) {
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, value)));
}

// Ctrl: lines snap to 0, 45 or 90 degrees, every other shape is square.
VyRect ConstrainedRegion(VyPoint p, VyPoint q, int32_t kind) {
    const int64_t w = std::llabs(static_cast<int64_t>(q.x) - p.x);
    const int64_t h = std::llabs(static_cast<int64_t>(q.y) - p.y);
    const int64_t m = std::max(w, h);
    const int64_t sx = q.x >= p.x ? 1 : -1;
    const int64_t sy = q.y >= p.y ? 1 : -1;
    int64_t ex = p.x + sx * m;
    int64_t ey = p.y + sy * m;
    if (kind == kObjLine) {
        const double angle =
            w == 0 ? 90.0 : std::atan(static_cast<double>(h) / w) * 180.0 / std::numbers::pi;
        if (angle >= 67.5) {
            ex = p.x;
            ey = p.y + sy * h;
        } else if (angle < 22.5) {
            ex = p.x + sx * w;
            ey = p.y;
        }
    }
    return {p.x, p.y, Clamp32(ex), Clamp32(ey)};
}

}  // namespace

// Fitted, the handles keep their tolerances in dots; zoomed, they keep the
// size on screen they have at two pixels a dot.
double CVylCanvasCore::HandleReach() const {
    return m_zoom.IsFit() ? 1.0 : 2.0 / m_zoom.GetScale();
}

// As far on screen at every zoom as at two pixels a dot.
int64_t CVylCanvasCore::DragThreshold() const {
    return static_cast<int64_t>(kDragThreshold * HandleReach());
}

VyCanvasCursor CVylCanvasCore::CursorAt(VyPoint screen) const {
    if (m_mouseState == kMouseIdle) {
        return VyCanvasCursor::kArrow;
    }
    if (m_mouseState >= kMouseCreating) {
        return VyCanvasCursor::kCross;
    }
    return static_cast<VyCanvasCursor>(
        m_group.GetCornerCursor(m_fit.ScreenToVirtualEnlarged(screen), HandleReach()));
}

void CVylCanvasCore::OnLButtonDown(VyPoint screen, VyModifiers modifiers) {
    CommitPendingEdits();
    if (m_viewOnly) {
        return;
    }
    const VyPoint point = m_fit.ScreenToVirtualEnlarged(screen);
    m_cursorScreen = screen;
    m_lastMouse = point;
    if (m_mouseState == kMouseOverResize) {
        m_handle = m_group.GetCornerState(point, false, HandleReach());
        m_mouseState = kMouseResizing;
    } else if (m_mouseState == kMouseOverMove) {
        m_mouseState = kMouseMoving;
    } else if (m_mouseState <= kMouseSelected &&
               (m_tool == kToolSelect || KindOfTool(m_tool) != 0)) {
        m_press = point;
        m_shiftAtPress = modifiers.shift;
        m_selectionAtPress = SelectedUids();
        const bool wasSelected = m_mouseState == kMouseSelected;
        if (!modifiers.shift) {
            m_selection.RemoveAll();
        }
        if (wasSelected) {
            OnAgain(1, 1, 0, 0, 0, 0);
        }
        m_mouseState = kMousePressed;
    }
    m_framePress = point;
}

void CVylCanvasCore::OnMouseMove(VyPoint screen, VyModifiers modifiers) {
    const VyPoint point = m_fit.ScreenToVirtualEnlarged(screen);
    const VyPoint delta{Clamp32(static_cast<int64_t>(point.x) - m_lastMouse.x),
                        Clamp32(static_cast<int64_t>(point.y) - m_lastMouse.y)};
    m_cursorScreen = screen;
    m_lastMouse = point;
    switch (m_mouseState) {
        case kMousePressed:
            if (std::llabs(static_cast<int64_t>(point.x) - m_press.x) >= DragThreshold() ||
                std::llabs(static_cast<int64_t>(point.y) - m_press.y) >= DragThreshold()) {
                StartCreation(point);
            }
            break;
        case kMouseFraming:
            OnAgain(1, 0, 0, 0, 0, 0);
            break;
        case kMouseCreating:
        case kMouseResizing:
        case kMouseMoving:
            DragTo(point, delta, modifiers);
            break;
        case kMouseSelected:
        case kMouseOverResize:
        case kMouseOverMove:
            HoverAt(point);
            break;
        default:
            break;
    }
    m_host->SetCursorShape(CursorAt(screen));
    m_host->MouseMoved();
}

// The drag threshold is passed: a drawing tool creates, the select tool
// starts a selection frame.
void CVylCanvasCore::StartCreation(VyPoint point) {
    const int32_t kind = KindOfTool(m_tool);
    if (kind == 0) {
        m_mouseState = kMouseFraming;
        OnAgain(1, 0, 0, 0, 0, 0);
        return;
    }
    m_creatingUid = m_history.TakeObjectUid();
    m_selection.SetSingleSelection(m_creatingUid, false);
    if (kind == kObjText) {
        m_toolAttrs.SetString(kKeyTextContent, "");
    } else if (kind == kObjBitmap) {
        m_toolAttrs.SetBytes(kKeyBmpBin, CRevolver());
        // Nor the picture another bitmap kept as its source.
        m_toolAttrs.Remove(kKeyBmpSource);
    }
    const VyRect region{m_press.x, m_press.y, point.x, point.y};
    Record(CVylEditAction::Create(m_creatingUid, kind, region, m_toolAttrs));
    m_mouseState = kMouseCreating;
    OnAgain(1, 1, 0, 0, 0, 0);
}

VyRect CVylCanvasCore::CreationRegion(VyPoint q, VyModifiers modifiers) const {
    const VyPoint p = m_press;
    const int32_t kind = KindOfTool(m_tool);
    if (modifiers.shift) {
        const int64_t dx = (static_cast<int64_t>(q.x) - p.x) / 2;
        const int64_t dy = (static_cast<int64_t>(q.y) - p.y) / 2;
        return {Clamp32(p.x - 2 * dx), Clamp32(p.y - 2 * dy), q.x, q.y};
    }
    if (modifiers.ctrl || kind == kObjArc) {
        return ConstrainedRegion(p, q, kind);
    }
    return {p.x, p.y, q.x, q.y};
}

void CVylCanvasCore::DragTo(VyPoint point, VyPoint delta, VyModifiers modifiers) {
    const VyUidSet uids = SelectedUids();
    const int32_t chief = m_selection.GetChiefUid();
    if (m_mouseState == kMouseCreating) {
        m_group.ModifyRegion(m_creatingUid, CreationRegion(point, modifiers));
        OnAgain(1, 0, 1, 0, 0, 0);
    } else if (m_mouseState == kMouseResizing && uids.size() > 1) {
        m_group.ResizeMultiOneCorner(uids, m_handle, point);
        OnAgain(1, 0, 0, 0, 0, 0);
    } else if (m_mouseState == kMouseResizing) {
        m_group.ModifyRegion(chief,
                             RectForDraggedHandle(m_group.GetRegion(chief), m_handle, point));
        ApplyLivePass(m_group, m_selection);
        OnAgain(1, 0, 1, 0, 0, 0);
    } else {
        if (uids.size() > 1) {
            m_group.MoveRegions(uids, delta);
        } else {
            m_group.MoveRegion(chief, delta);
        }
        ApplyLivePass(m_group, m_selection);
        OnAgain(1, 0, 1, 0, 0, 0);
    }
}

void CVylCanvasCore::HoverAt(VyPoint point) {
    if (m_selection.GetChiefSelectedObj() == nullptr) {
        return;
    }
    const int32_t handle = m_group.GetCornerState(point, false, HandleReach());
    m_mouseState = handle == kHandleMove   ? kMouseOverMove
                   : handle == kHandleNone ? kMouseSelected
                                           : kMouseOverResize;
}

void CVylCanvasCore::OnLButtonUp(VyPoint screen, VyModifiers modifiers) {
    if (m_viewOnly) {
        return;
    }
    const VyPoint point = m_fit.ScreenToVirtualEnlarged(screen);
    m_cursorScreen = screen;
    switch (m_mouseState) {
        case kMouseFraming:
            FinishFrame(point);
            break;
        case kMousePressed:
            FinishClick(point);
            break;
        case kMouseCreating:
            FinishCreation(point, modifiers);
            break;
        case kMouseResizing:
            FinishResize(point);
            break;
        case kMouseMoving:
            FinishMove(point);
            break;
        default:
            break;
    }
}

void CVylCanvasCore::FinishFrame(VyPoint point) {
    m_group.SelectObjsByRect(VyRect{m_framePress.x, m_framePress.y, point.x, point.y}.Normalized());
    // With Shift at the press the frame adds to what was selected.
    if (m_shiftAtPress) {
        for (int32_t uid : m_selectionAtPress) {
            if (!m_selection.IsUidSelected(uid)) {
                m_selection.AddSelObj(uid);
            }
        }
    }
    m_mouseState = StateForSelection();
    OnAgain(1, 0, 1, 1, 0, 0);
}

void CVylCanvasCore::FinishClick(VyPoint point) {
    // A click with the text tool makes a line of text, ready for typing, as
    // a drag to the default size would.
    if (KindOfTool(m_tool) == kObjText) {
        const VyPoint corner{Clamp32(int64_t{m_press.x} + kClickTextWidth),
                             Clamp32(int64_t{m_press.y} + kClickTextHeight)};
        StartCreation(corner);
        FinishCreation(corner, VyModifiers{});
        return;
    }
    VyPoint centre;
    const bool picked = m_group.SelectObjByCenterSenseMethod(point, &m_toolAttrs, &centre) != 0;
    m_mouseState = StateForSelection();
    OnAgain(1, 1, 1, 1, 0, 0);
    if (picked) {
        const int32_t uid = m_selection.GetChiefUid();
        ShowTabTip(uid);
        m_tabAnchor = uid;
    }
}

void CVylCanvasCore::FinishCreation(VyPoint point, VyModifiers modifiers) {
    const VyRect region = SnapRegion(m_grid, CreationRegion(point, modifiers));
    Record(CVylEditAction::CreResize(m_creatingUid, region));
    m_mouseState = kMouseSelected;
    m_host->ObjectCreated(m_selection.GetChiefSelectedObjKind());
    ShowCreationTip();
    OnAgain(1, 1, 1, 1, 1, 1);
}

void CVylCanvasCore::FinishResize(VyPoint point) {
    const VyUidSet uids = SelectedUids();
    const VyPoint snapped = SnapPoint(m_grid, point);
    m_mouseState = kMouseOverResize;
    if (uids.empty()) {
        OnAgain(1, 1, 0, 0, 0, 0);
        return;
    }
    if (uids.size() > 1) {
        RecordWithFollowUps(CVylEditAction::ModResizeMultiOneCorner(uids, m_handle, snapped));
    } else {
        const int32_t uid = m_selection.GetChiefUid();
        const VyRect region =
            RectForDraggedHandle(SnapRegion(m_grid, m_group.GetRegion(uid)), m_handle, snapped);
        RecordWithFollowUps(CVylEditAction::ModResize(uid, region, false));
    }
    OnAgain(1, 1, 1, 1, 1, 1);
}

void CVylCanvasCore::FinishMove(VyPoint point) {
    const VyUidSet uids = SelectedUids();
    m_mouseState = kMouseOverMove;
    if (point == m_framePress || uids.empty()) {
        // Nothing is recorded; the replay drops what the drag showed.
        OnAgain(1, 1, 0, 0, 0, 0);
        return;
    }
    if (uids.size() > 1) {
        const VyPoint to = SnapPoint(m_grid, point);
        const VyPoint from = SnapPoint(m_grid, m_framePress);
        const VyPoint offset{Clamp32(static_cast<int64_t>(to.x) - from.x),
                             Clamp32(static_cast<int64_t>(to.y) - from.y)};
        RecordWithFollowUps(CVylEditAction::MoveMulti(uids, offset));
    } else {
        const int32_t uid = m_selection.GetChiefUid();
        RecordWithFollowUps(
            CVylEditAction::MoveSingle(uid, SnapRegion(m_grid, m_group.GetRegion(uid))));
    }
    OnAgain(1, 1, 1, 1, 1, 1);
}

// Joined points follow the user's change in the same undo block. They are
// computed on the group as the user's action leaves it (snapped), so that a
// joint never opens by the snapping. After a single object's change they
// come first and the user's action closes the block; a multi-object action
// comes first, as the follow-ups are computed on its result and may move
// selected objects too.
void CVylCanvasCore::RecordWithFollowUps(CVylEditAction action) {
    if (m_group.GetLinkers().empty()) {
        action.swift = 0;
        Record(std::move(action));
        return;
    }
    Rebuild();
    action.ApplyTo(m_group);
    PrepareToRecord();
    if (action.IsSingle()) {
        AddFollowUpActions(m_history, m_group, m_selection, 1);
        action.swift = 0;
        Record(std::move(action));
        return;
    }
    action.swift = 1;
    Record(std::move(action));
    AddFollowUpActions(m_history, m_group, m_selection, 1);
    CloseLastSwift();
}

void CVylCanvasCore::OnRButtonDown(VyPoint screen) {
    m_cursorScreen = screen;
    if (m_mouseState != kMouseIdle) {
        m_mouseState = kMouseSelected;
    }
}

void CVylCanvasCore::OnRButtonUp(VyPoint screen) {
    m_cursorScreen = screen;
    m_host->SetCursorShape(VyCanvasCursor::kArrow);
    m_host->PopupMenuRequested();
}

std::string CVylCanvasCore::HelpIniPath() const {
    return m_textDataFolder.empty() ? std::string() : m_textDataFolder + "/contexthelpshow.ini";
}

// After a click that selects one object near the one clicked just before.
void CVylCanvasCore::ShowTabTip(int32_t uid) {
    const int64_t now = m_clock();
    const int32_t previous = m_lastClickUid;
    const int64_t previousMs = m_lastClickMs;
    m_lastClickUid = uid;
    m_lastClickMs = now;
    if (m_tabTipTaken || HelpIniPath().empty() || SelectionCount() != 1 || previous == uid ||
        previous < 0 || now - previousMs >= kTabTipClickMs) {
        return;
    }
    const CVylObject* before = m_group.GetByObjUid(previous);
    const CVylObject* picked = m_group.GetByObjUid(uid);
    if (before == nullptr || picked == nullptr ||
        Distance(Centre(before->GetRegion()), Centre(picked->GetRegion())) >= kNeighbourDistance) {
        return;
    }
    m_tabTipTaken = true;
    if (TakeOneTimeNotice(HelpIniPath(), "tabbrowsing")) {
        m_host->ShowNotice(kTipTabBrowsing);
    }
}

// The Ctrl tip comes with the third run that creates an object, the Shift
// tip with the fourth.
void CVylCanvasCore::ShowCreationTip() {
    if (m_creationTipTaken || HelpIniPath().empty()) {
        return;
    }
    m_creationTipTaken = true;
    const std::string path = HelpIniPath();
    const std::string value = ReadProfileString(path, "gen", "creationoption", "0");
    if (value == "2") {
        m_host->ShowNotice(kTipCtrlCreation);
    } else if (value == "3") {
        m_host->ShowNotice(kTipShiftCreation);
    }
    const int32_t count = AtoiValue(value);
    WriteProfileInt(path, "gen", "creationoption", count < INT32_MAX ? count + 1 : count);
}
