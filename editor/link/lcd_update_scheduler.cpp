#include "editor/link/lcd_update_scheduler.h"

VyUpdateStart CVylLcdUpdateScheduler::RequestUpdate(const CVylObjectGroup& drawing) {
    if (m_link == nullptr) {
        return VyUpdateStart::kNothing;
    }
    m_link->Credits().SetUpdatePending(true);
    return TryToStartUpdatingLcd(drawing);
}

bool CVylLcdUpdateScheduler::IsLinkIdle() const {
    return m_link->GetNotReturnedCmdCount() == 0 && !m_link->Pool().IsAnyWorkerBusy();
}

VyUpdateStart CVylLcdUpdateScheduler::TryToStartUpdatingLcd(const CVylObjectGroup& drawing) {
    if (m_link == nullptr || (!m_link->Credits().IsUpdatePending() && !m_link->IsResendWanted()) ||
        !IsLinkIdle()) {
        return VyUpdateStart::kNothing;
    }
    m_link->Credits().SetUpdatePending(false);
    m_link->ClearResendWanted();
    if (!m_link->IsPortOpen()) {
        return VyUpdateStart::kPortClosed;
    }
    // An update cut short left a screen that nobody knows.
    const VyUpdateProgress before = m_link->GetUpdateProgress();
    if (before.IsRunning()) {
        m_link->ScreenMirror().Forget();
    }
    const bool onlyChanges = m_link->IsSendOnlyChanges() && m_link->IsPlainDisplayMode();
    const VyLcdUpdatePlan plan = m_link->ScreenMirror().PlanUpdate(m_dc, drawing, onlyChanges);
    // Noted before the first answer can come.
    m_link->Progress().Begin(static_cast<int64_t>(plan.bytes.size()),
                             static_cast<int32_t>(plan.lengths.size()), plan.fullBytes);
    if (plan.bytes.empty()) {
        return VyUpdateStart::kStarted;
    }
    if (!m_link->InvokeDispatchBytes(m_dc, plan.bytes, &plan.lengths)) {
        // No worker could be had: the request waits for the next try, and the
        // next plan cannot count on this one.
        m_link->ScreenMirror().Forget();
        m_link->Progress().Begin(before.bytes, before.commands, before.fullBytes);
        m_link->Progress().Acknowledge(before.acknowledged);
        m_link->Credits().SetUpdatePending(true);
        return VyUpdateStart::kNothing;
    }
    return VyUpdateStart::kStarted;
}
