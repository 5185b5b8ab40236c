// The credit that keeps one command in flight: the count of written chunks
// not yet acknowledged, the stop request and the flags the GUI polls. Shared
// between the GUI thread and the dispatch workers.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

class CVylLinkCredits {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int64_t kNoAnswerMs = 6100;

    int32_t GetNotReturnedCmdCount() const { return m_outstanding.load(); }
    // Acknowledgements: the count never goes below 0, so a stray one is harmless.
    void DecreaseNotReturnedCmdCount(int32_t n);
    void UrgeStop();
    // Count 0, pending update dropped, and any waiting transfer told to stop.
    void InitCredits();

    bool IsStopRequested() const { return m_stop.load(std::memory_order_acquire); }
    void ClearStopRequest() { m_stop.store(false, std::memory_order_release); }
    bool IsNoAnswer() const { return m_noAnswer.load(); }
    void ClearNoAnswer() { m_noAnswer.store(false); }
    bool IsUpdatePending() const { return m_pendingUpdate.load(); }
    void SetUpdatePending(bool pending) { m_pendingUpdate.store(pending); }

    // Waits until no chunk is outstanding and takes the credit in one atomic
    // step; raises the no-answer flag after the no-answer time (and goes on
    // waiting). False when a stop was requested meanwhile.
    bool AcquireCredit();

    // For tests: another clock and a shorter no-answer time.
    void SetClock(Clock clock, int64_t noAnswerMs);

  private:
    std::atomic<int32_t> m_outstanding{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_noAnswer{false};
    std::atomic<bool> m_pendingUpdate{false};
    // Wakes a waiting worker as soon as an acknowledgement or a stop arrives.
    std::mutex m_waitMutex;
    std::condition_variable m_changed;
    Clock m_clock = [] { return std::chrono::steady_clock::now(); };
    int64_t m_noAnswerMs = kNoAnswerMs;
};
