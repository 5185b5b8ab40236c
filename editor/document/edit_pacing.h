// Timing rules that fold bursts of edits into one undo step: text typed in
// quick succession, and repeated region nudges. The clock is injectable so
// that the rules can be exercised without waiting.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "editor/document/edit_history.h"

class CVylEditPacing {
  public:
    using Clock = std::function<int64_t()>;  // milliseconds

    static constexpr int64_t kTextMergeMs = 400;
    static constexpr int64_t kRepeatedMoveMs = 1000;

    explicit CVylEditPacing(Clock clock = SteadyMilliseconds) : m_clock(std::move(clock)) {}

    // True when the previous text change came less than 400 ms before; the
    // time of this change is remembered either way.
    bool TakeTextChange();
    // True when the previous repeated move of the same kind (single or
    // multiple selection) came less than 1000 ms before.
    bool TakeRepeatedMove(bool multiple);

    static int64_t SteadyMilliseconds();

  private:
    static bool Take(std::optional<int64_t>& last, int64_t now, int64_t window);

    Clock m_clock;
    std::optional<int64_t> m_lastText;
    std::optional<int64_t> m_lastSingleMove;
    std::optional<int64_t> m_lastMultiMove;
};

// Records a change of the chief object's text as one "repair" action; a change
// right after the previous one replaces that one's action, so a burst of
// typing leaves a single step.
void AddTextContentChange(CVylEditActionGroup& history, CVylEditPacing& pacing, int32_t uid,
                          std::string_view text);
