// The module's side of a serial line, simulated: bytes take their wire time
// to arrive, each complete command is drawn, takes its processing time and
// is answered with "K" (unless the module is silent). In check mode it
// counts bytes that arrive while an earlier command is still unanswered.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <string_view>

#include "editor/virtual_lcd/virtual_lcd.h"

struct VySimOptions {
    uint32_t baud = 115200;
    int64_t processingUs = 0;
    bool silent = false;
    bool check = false;
    // Listens at baud only: bytes sent at another rate are garbage to it.
    bool onlyAtBaud = false;
};

class CVylLcdSimulator;

// Plays the module on the master end of a pseudo-terminal until stop is set
// or the line fails. A pseudo-terminal carries no rate: keeper, a slave
// descriptor when given, tells the rate the other end set.
void ServeLine(int master, CVylLcdSimulator& sim, const volatile std::sig_atomic_t& stop,
               int keeper = -1);

class CVylLcdSimulator {
  public:
    using Clock = std::chrono::steady_clock;

    explicit CVylLcdSimulator(const VySimOptions& options) : m_options(options) {
        m_lcd.SetGlyphs(&CVylUnifont::System());
    }

    // Bytes read from the line at now.
    void OnBytes(std::string_view bytes, Clock::time_point now);
    // The rate the other end runs the line at (0 for unknown: the module's own).
    void SetLineBaud(uint32_t baud) { m_lineBaud = baud; }
    // Answers due at now ("K" per finished command, in order).
    std::string TakeDueAnswers(Clock::time_point now);
    // When the next answer falls due, or none.
    bool NextAnswerTime(Clock::time_point* when) const;

    const CVylVirtualLcd& Lcd() const { return m_lcd; }
    // How long to wait for the line before the next answer falls due.
    int PollTimeoutMs() const;
    int64_t GetViolations() const { return m_violations; }
    // Bytes that came at a rate the module does not listen at.
    int64_t GetWrongRateBytes() const { return m_wrongRateBytes; }

  private:
    bool IsAtWrongRate() const;

    VySimOptions m_options;
    CVylVirtualLcd m_lcd;
    uint32_t m_lineBaud = 0;
    int64_t m_wrongRateBytes = 0;
    // The moment the last received byte finished arriving on the wire.
    Clock::time_point m_wireFree{};
    // When the module has done the last command it received.
    Clock::time_point m_busyUntil{};
    std::deque<Clock::time_point> m_answers;
    // Commands received and not answered yet (never answered when silent).
    int64_t m_unanswered = 0;
    int64_t m_violations = 0;
};
