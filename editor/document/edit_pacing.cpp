#include "editor/document/edit_pacing.h"

#include <chrono>

int64_t CVylEditPacing::SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool CVylEditPacing::Take(std::optional<int64_t>& last, int64_t now, int64_t window) {
    const bool soon = last.has_value() && now - *last < window;
    last = now;
    return soon;
}

bool CVylEditPacing::TakeTextChange() {
    return Take(m_lastText, m_clock(), kTextMergeMs);
}

bool CVylEditPacing::TakeRepeatedMove(bool multiple) {
    return Take(multiple ? m_lastMultiMove : m_lastSingleMove, m_clock(), kRepeatedMoveMs);
}

void AddTextContentChange(CVylEditActionGroup& history, CVylEditPacing& pacing, int32_t uid,
                          std::string_view text) {
    // Only typing on in the same object replaces its last change; a change
    // to another object must stay.
    if (pacing.TakeTextChange() && history.IsLastTextRepairOf(uid)) {
        history.DeleteLastActionIfTextRepair();
    }
    history.AddEditAction(
        CVylEditAction::Repair(uid, CVylObjectRepairAction::Text(kKeyTextContent, text), 0));
}
