#include "editor/document/replay_checkpoints.h"

#include <algorithm>

void CVylReplayCheckpoints::SetLimits(size_t firstInterval, size_t mostKept) {
    m_firstInterval = std::max<size_t>(firstInterval, 1);
    m_mostKept = std::max<size_t>(mostKept, 1);
    Clear();
}

void CVylReplayCheckpoints::Offer(size_t position, const CVylObjectGroup& drawing) {
    if (position == 0 || position % m_interval != 0 || m_kept.count(position) != 0) {
        return;
    }
    m_kept.emplace(position, drawing);
    Thin();
}

void CVylReplayCheckpoints::Thin() {
    while (m_kept.size() > m_mostKept) {
        m_interval *= 2;
        for (auto it = m_kept.begin(); it != m_kept.end();) {
            it = it->first % m_interval == 0 ? std::next(it) : m_kept.erase(it);
        }
    }
}

const CVylObjectGroup* CVylReplayCheckpoints::Before(size_t position, size_t* at) const {
    auto it = m_kept.upper_bound(position);
    if (it == m_kept.begin()) {
        *at = 0;
        return nullptr;
    }
    --it;
    *at = it->first;
    return &it->second;
}

void CVylReplayCheckpoints::DropAfter(size_t count) {
    m_kept.erase(m_kept.upper_bound(count), m_kept.end());
}

void CVylReplayCheckpoints::Adopt(CVylReplayCheckpoints&& other) {
    Clear();
    if (other.m_firstInterval == m_firstInterval && other.m_mostKept == m_mostKept) {
        m_kept = std::move(other.m_kept);
        m_interval = other.m_interval;
    }
    other.Clear();
}

void CVylReplayCheckpoints::Clear() {
    m_kept.clear();
    m_interval = m_firstInterval;
}
