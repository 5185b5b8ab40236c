// CVylReplayCheckpoints: drawings a history rebuilt, kept at positions spaced
// by an interval, so that rebuilding the drawing at any position replays at
// most one interval of actions. The interval doubles whenever more drawings
// would be kept than the cap, which bounds the memory to that many drawings.
#pragma once

#include <cstddef>
#include <map>

#include "editor/document/object_group.h"

class CVylReplayCheckpoints {
  public:
    static constexpr size_t kFirstInterval = 256;
    static constexpr size_t kMostKept = 32;

    // Smaller figures let a short history behave as a long one (tests).
    void SetLimits(size_t firstInterval, size_t mostKept);

    size_t Interval() const { return m_interval; }
    size_t Count() const { return m_kept.size(); }

    // Keeps the drawing after the first `position` actions when the
    // position falls on the interval and has none kept yet.
    void Offer(size_t position, const CVylObjectGroup& drawing);

    // The kept drawing of the latest position at or before position, with
    // that position in *at; nullptr (and 0) when there is none.
    const CVylObjectGroup* Before(size_t position, size_t* at) const;

    // Forgets the drawings that depend on actions from index `count` on
    // (the history was cut to its first `count` actions).
    void DropAfter(size_t count);
    // Takes the other's drawings where it keeps them by the same limits.
    void Adopt(CVylReplayCheckpoints&& other);
    void Clear();

  private:
    void Thin();

    size_t m_firstInterval = kFirstInterval;
    size_t m_mostKept = kMostKept;
    size_t m_interval = kFirstInterval;
    std::map<size_t, CVylObjectGroup> m_kept;
};
