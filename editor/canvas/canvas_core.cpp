#include "editor/canvas/canvas_core.h"

#include <utility>

int32_t KindOfTool(int32_t tool) {
    return tool >= 1 && tool <= 8 ? tool + 1 : 0;
}

CVylCanvasCore::CVylCanvasCore(std::string_view model)
    : m_clock(CVylEditPacing::SteadyMilliseconds), m_pacing([this] { return m_clock(); }) {
    m_dc.InitDeviceContext(model);
    m_group.AttachSelection(&m_selection);
    m_selection.AttachGroup(&m_group);
    m_history.AttachSelection(&m_selection);
    m_selection.SetEditingStateSink([this](int32_t state) { m_mouseState = state; });
    m_selection.SetBeforeChangeSink([this] { CommitPendingEdits(); });
}

void CVylCanvasCore::SetClock(Clock clock) {
    m_clock = std::move(clock);
}

void CVylCanvasCore::RecalcCanvasFit(int32_t clientWidth, int32_t clientHeight) {
    m_fit.RecalcCanvasFit(clientWidth, clientHeight, m_dc.GetInt(kKeyResolutionX, -1),
                          m_dc.GetInt(kKeyResolutionY, -1), &m_zoom);
}

int CVylCanvasCore::Rebuild() {
    // While what is pending is recorded, the group takes each action in
    // place: the commit may run inside a group or selection operation that
    // holds on to the group's objects.
    if (m_committing) {
        return m_history.ReplaysToCurrent() ? 1 : 0;
    }
    CommitPendingEdits();
    m_group = m_history.GetCurrentDrawing();
    m_selection.RemoveMissing();
    if (SelectionCount() == 0 && m_mouseState >= kMouseSelected && m_mouseState <= kMouseOverMove) {
        m_mouseState = kMouseIdle;
    }
    return m_history.ReplaysToCurrent() ? 1 : 0;
}

void CVylCanvasCore::AddPendingEditSource(std::function<void()> commit) {
    m_pendingSources.push_back(std::move(commit));
}

void CVylCanvasCore::CommitPendingEdits() {
    if (m_committing) {
        return;
    }
    m_committing = true;
    for (const std::function<void()>& commit : m_pendingSources) {
        commit();
    }
    std::map<std::string, VyPreview> previews;
    previews.swap(m_previews);
    for (const auto& [name, preview] : previews) {
        RecordRepair(preview.uids, preview.repair);
    }
    m_committing = false;
}

void CVylCanvasCore::OnAgain(int redraw, int rebuild, int status, int panels, int lcd, int hex) {
    if (redraw) {
        if (rebuild) {
            Rebuild();
        }
        m_host->Redraw();
    }
    if (status) {
        m_host->RefreshStatus();
    }
    if (panels) {
        m_host->RefreshPanels();
    }
    if (lcd) {
        m_host->RequestLcdUpdate();
    }
    if (hex) {
        m_host->RefreshHexPane();
    }
    // By id, each looked up when its turn comes: a listener may add or
    // remove listeners.
    std::vector<int> ids;
    ids.reserve(m_changeListeners.size());
    for (const auto& entry : m_changeListeners) {
        ids.push_back(entry.first);
    }
    for (int id : ids) {
        const auto found = m_changeListeners.find(id);
        if (found != m_changeListeners.end()) {
            const std::function<void()> listener = found->second;
            listener();
        }
    }
}

int CVylCanvasCore::AddChangeListener(std::function<void()> listener) {
    const int id = m_nextListenerId++;
    m_changeListeners.emplace(id, std::move(listener));
    return id;
}

void CVylCanvasCore::RemoveChangeListener(int id) {
    m_changeListeners.erase(id);
}

void CVylCanvasCore::PrepareToRecord() {
    CommitPendingEdits();
    CloseKeyBurst();
}

bool CVylCanvasCore::Record(CVylEditAction action) {
    PrepareToRecord();
    if (!m_committing) {
        return m_history.AddEditAction(std::move(action)) != 0;
    }
    // Pending values change regions and attributes only: applied in place,
    // no object of the group moves in memory.
    const CVylEditAction applied = action;
    if (m_history.AddEditAction(std::move(action)) == 0) {
        return false;
    }
    applied.ApplyTo(m_group);
    return true;
}

// One action for one object, one multi-object action for several.
void CVylCanvasCore::RecordRepair(const VyUidSet& uids, const CVylObjectRepairAction& repair) {
    if (uids.size() > 1) {
        Record(CVylEditAction::RepairMulti(uids, repair, 0));
    } else if (!uids.empty()) {
        Record(CVylEditAction::Repair(*uids.begin(), repair, 0));
    }
}

// A burst of key moves keeps the swift flag on its last action while keys
// may still follow; anything else recorded (or undone) first ends the
// burst, so that it never undoes together with an unrelated change.
void CVylCanvasCore::CloseKeyBurst() {
    if (m_keyBurstOpen) {
        m_keyBurstOpen = false;
        m_history.SetLastActionSwift(0);
    }
}

void CVylCanvasCore::RecordMoveSingle(int32_t uid, const VyRect& region, int32_t swift) {
    CVylEditAction move = CVylEditAction::MoveSingle(uid, region);
    move.swift = swift;
    Record(std::move(move));
}

void CVylCanvasCore::CloseLastSwift() {
    m_history.SetLastActionSwift(0);
}

VyUidSet CVylCanvasCore::SelectedUids() const {
    VyUidSet uids;
    m_selection.GetEverySelUidMap(uids);
    return uids;
}

int32_t CVylCanvasCore::StateForSelection() const {
    return SelectionCount() > 0 ? kMouseSelected : kMouseIdle;
}

VyRect CVylCanvasCore::ScreenRect() const {
    return {0, 0, m_dc.GetInt(kKeyResolutionX, 0) * 10000 - 1,
            m_dc.GetInt(kKeyResolutionY, 0) * 10000 - 1};
}
