// The credit that keeps one command in flight: the count of written chunks
// not yet acknowledged, the stop request and the flags the GUI polls. Shared
// between the GUI thread and the dispatch workers. A transfer may install a
// relay that the thread taking an acknowledgement runs at once, so the next
// command leaves without waking the worker.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>

// "LCD 연결이 안 되었거나 펌웨어가 구버전이거나 포트번호/보레이트 설정이 맞지 않습니다.":
// what the user is told when the module stays silent.
inline constexpr std::string_view kNoAnswerWarning =
    "\x4c\x43\x44\x20\xbf\xac\xb0\xe1\xc0\xcc\x20\xbe\xc8\x20\xb5\xc7\xbe\xfa\xb0\xc5\xb3\xaa"
    "\x20\xc6\xdf\xbf\xfe\xbe\xee\xb0\xa1\x20\xb1\xb8\xb9\xf6\xc0\xfc\xc0\xcc\xb0\xc5\xb3\xaa"
    "\x20\xc6\xf7\xc6\xae\xb9\xf8\xc8\xa3\x2f\xba\xb8\xb7\xb9\xc0\xcc\xc6\xae\x20\xbc\xb3\xc1"
    "\xa4\xc0\xcc\x20\xb8\xc2\xc1\xf6\x20\xbe\xca\xbd\xc0\xb4\xcf\xb4\xd9\x2e";

class CVylLinkCredits {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Runs on the receiving thread when an acknowledgement frees the line;
    // true when it sent a command and the waiting worker need not wake.
    using Relay = std::function<bool()>;

    static constexpr int64_t kNoAnswerMs = 6100;

    int32_t GetNotReturnedCmdCount() const { return m_outstanding.load(); }
    // Acknowledgements: the count never goes below 0, so a stray one is
    // harmless. Must not be called from inside a relay's write.
    void DecreaseNotReturnedCmdCount(int32_t n);
    void UrgeStop();
    // Count 0, pending update dropped, and any waiting transfer told to stop.
    void InitCredits();

    bool IsStopRequested() const { return m_stop.load(std::memory_order_acquire); }
    void ClearStopRequest() { m_stop.store(false, std::memory_order_release); }
    bool IsNoAnswer() const { return m_noAnswer.load(); }
    void ClearNoAnswer() { m_noAnswer.store(false); }
    // Set when a transfer ended because the port failed under it.
    bool IsPortFailed() const { return m_portFailed.load(); }
    void SetPortFailed(bool failed) { m_portFailed.store(failed); }
    bool IsUpdatePending() const { return m_pendingUpdate.load(); }
    void SetUpdatePending(bool pending) { m_pendingUpdate.store(pending); }

    // Waits until no chunk is outstanding and takes the credit in one atomic
    // step; raises the no-answer flag after the no-answer time (and goes on
    // waiting). False when a stop was requested meanwhile.
    bool AcquireCredit();
    // Takes the credit if no chunk is outstanding and no stop is requested.
    bool TryTakeCredit();
    // Gives back a credit taken with nothing left to send.
    void ReturnCredit();
    // The taken credit's chunk is written: its answer is awaited from now.
    void NoteWritten();
    // Raises the no-answer flag when the outstanding chunk was written longer
    // than the no-answer time ago; returns the flag. The waiting worker checks
    // this itself; for the last command of a transfer nobody waits, so a
    // watcher (the GUI's timer, the command-line verb) calls it.
    bool CheckNoAnswer();
    // Whether a written chunk waits for its answer (the silence is counted).
    bool IsAnswerAwaited() const {
        return m_outstanding.load() != 0 && m_sentAtNs.load() != kNotWritten;
    }
    // Waits until done() holds (checked whenever the count changes) or a
    // stop is requested (false); an outstanding chunk older than the
    // no-answer time raises the no-answer flag meanwhile.
    bool WaitUntil(const std::function<bool()>& done);
    // Installs or (with nullptr) removes the relay; removal waits for a
    // relay that is running.
    void SetRelay(Relay relay);

    // For tests: another clock and a shorter no-answer time.
    void SetClock(Clock clock, int64_t noAnswerMs);

  private:
    std::atomic<int32_t> m_outstanding{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_noAnswer{false};
    std::atomic<bool> m_pendingUpdate{false};
    std::atomic<bool> m_portFailed{false};
    // When the outstanding chunk was written, by m_clock; kNotWritten from
    // taking the credit until the write is through (a long write is no
    // silence).
    static constexpr int64_t kNotWritten = INT64_MAX;
    std::atomic<int64_t> m_sentAtNs{kNotWritten};
    std::mutex m_relayMutex;
    Relay m_relay;
    // Wakes a waiting worker as soon as an acknowledgement or a stop arrives.
    std::mutex m_waitMutex;
    std::condition_variable m_changed;
    Clock m_clock = [] { return std::chrono::steady_clock::now(); };
    int64_t m_noAnswerMs = kNoAnswerMs;
};
