#include "editor/link/link_credits.h"

namespace {

// Also woken by acknowledgements; the period only bounds how late the
// no-answer time is noticed.
constexpr auto kWaitSlice = std::chrono::milliseconds(20);

int64_t Nanoseconds(std::chrono::steady_clock::time_point when) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
}

}  // namespace

void CVylLinkCredits::DecreaseNotReturnedCmdCount(int32_t n) {
    int32_t current = m_outstanding.load();
    while (!m_outstanding.compare_exchange_weak(current, current - n > 0 ? current - n : 0)) {
    }
    bool relayed = false;
    if (n > 0) {
        std::lock_guard<std::mutex> lock(m_relayMutex);
        relayed = m_relay && m_relay();
    }
    if (!relayed) {
        std::lock_guard<std::mutex> lock(m_waitMutex);
        m_changed.notify_all();
    }
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

bool CVylLinkCredits::TryTakeCredit() {
    int32_t idle = 0;
    if (!m_outstanding.compare_exchange_strong(idle, 1)) {
        return false;
    }
    // Looked at after the exchange: InitCredits raises the stop before it
    // frees the credit, so a credit freed by it is always given back here.
    if (IsStopRequested()) {
        ReturnCredit();
        return false;
    }
    m_sentAtNs.store(kNotWritten);
    return true;
}

void CVylLinkCredits::ReturnCredit() {
    int32_t held = 1;
    m_outstanding.compare_exchange_strong(held, 0);
}

void CVylLinkCredits::NoteWritten() {
    m_sentAtNs.store(Nanoseconds(m_clock()));
}

bool CVylLinkCredits::CheckNoAnswer() {
    const int64_t sentAt = m_sentAtNs.load();
    if (m_outstanding.load() != 0 && sentAt != kNotWritten &&
        Nanoseconds(m_clock()) - sentAt > m_noAnswerMs * 1'000'000) {
        m_noAnswer.store(true);
    }
    return m_noAnswer.load();
}

bool CVylLinkCredits::AcquireCredit() {
    return WaitUntil([this] { return TryTakeCredit(); });
}

bool CVylLinkCredits::WaitUntil(const std::function<bool()>& done) {
    std::unique_lock<std::mutex> lock(m_waitMutex);
    for (;;) {
        if (IsStopRequested()) {
            return false;
        }
        if (done()) {
            return true;
        }
        CheckNoAnswer();
        m_changed.wait_for(lock, kWaitSlice);
    }
}

void CVylLinkCredits::SetRelay(Relay relay) {
    std::lock_guard<std::mutex> lock(m_relayMutex);
    m_relay = std::move(relay);
}
