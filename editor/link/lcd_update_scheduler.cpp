#include "editor/link/lcd_update_scheduler.h"

#include "editor/document/full_update.h"

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
    if (m_link == nullptr || !m_link->Credits().IsUpdatePending() || !IsLinkIdle()) {
        return VyUpdateStart::kNothing;
    }
    m_link->Credits().SetUpdatePending(false);
    if (!m_link->IsPortOpen()) {
        return VyUpdateStart::kPortClosed;
    }
    // The text lines are laid out on a copy: the drawing itself stays as it is.
    CVylObjectGroup copy;
    int32_t counter = 0;
    copy.AppendObjects(true, drawing, &counter, nullptr, false);
    VyByteArray bytes;
    VyLengthArray lengths;
    BuildFullLcdUpdate(m_dc, copy, bytes, lengths);
    // Noted before the first answer can come.
    const VyUpdateProgress before = m_link->GetUpdateProgress();
    m_link->Progress().Begin(static_cast<int64_t>(bytes.size()),
                             static_cast<int32_t>(lengths.size()));
    if (!m_link->InvokeDispatchBytes(m_dc, bytes, &lengths)) {
        // No worker could be had: the request waits for the next try.
        m_link->Progress().Begin(before.bytes, before.commands);
        m_link->Progress().Acknowledge(before.acknowledged);
        m_link->Credits().SetUpdatePending(true);
        return VyUpdateStart::kNothing;
    }
    return VyUpdateStart::kStarted;
}
