#include "link_credits.h"

#include <thread>

namespace {

// Also woken by acknowledgements; the period only bounds how late the
// no-answer time is noticed.
constexpr auto kWaitSlice = std::chrono::milliseconds(20);
constexpr auto kSpinTime = std::chrono::microseconds(300);

}  // namespace

void CVylLinkCredits::DecreaseNotReturnedCmdCount(int32_t n) {
    int32_t current = m_outstanding.load();
    while (!m_outstanding.compare_exchange_weak(current, current - n > 0 ? current - n : 0)) {
    }
    std::lock_guard<std::mutex> lock(m_waitMutex);
    m_changed.notify_all();
}

void CVylLinkCredits::UrgeStop() {
    m_stop.store(true, std::memory_order_release);
    std::lock_guard<std::mutex> lock(m_waitMutex);
    m_changed.notify_all();
}

void CVylLinkCredits::InitCredits() {
    // The stop comes first: a waiter must not take the freed credit.
    m_stop.store(true, std::memory_order_release);
    m_outstanding.store(0);
    m_pendingUpdate.store(false);
    std::lock_guard<std::mutex> lock(m_waitMutex);
    m_changed.notify_all();
}

void CVylLinkCredits::SetClock(Clock clock, int64_t noAnswerMs) {
    m_clock = std::move(clock);
    m_noAnswerMs = noAnswerMs;
}

bool CVylLinkCredits::AcquireCredit() {
    const auto start = m_clock();
    // An answer usually comes within a few hundred microseconds of a short
    // command: looking for it briefly saves the sleeping worker's wake-up time.
    const auto spinUntil = std::chrono::steady_clock::now() + kSpinTime;
    while (std::chrono::steady_clock::now() < spinUntil && m_outstanding.load() != 0 &&
           !IsStopRequested()) {
        std::this_thread::yield();
    }
    std::unique_lock<std::mutex> lock(m_waitMutex);
    for (;;) {
        if (IsStopRequested()) {
            return false;
        }
        int32_t idle = 0;
        if (m_outstanding.compare_exchange_strong(idle, 1)) {
            return true;
        }
        if (m_clock() - start > std::chrono::milliseconds(m_noAnswerMs)) {
            m_noAnswer.store(true);
        }
        m_changed.wait_for(lock, kWaitSlice);
    }
}
