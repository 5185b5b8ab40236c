// A module on a pseudo-terminal that listens at one rate only, as a real one
// does: it answers "K" to each whole command that arrives while the line runs at
// its rate (the rate the link set on the slave end), and nothing otherwise.
// Served by a thread of its own.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "editor/virtual_lcd/lcd_command_parser.h"
#include "tests/support/pty_pair.h"

class RateGatedModule {
  public:
    explicit RateGatedModule(uint32_t baud);
    ~RateGatedModule();
    RateGatedModule(const RateGatedModule&) = delete;
    RateGatedModule& operator=(const RateGatedModule&) = delete;

    const std::string& SlavePath() const { return m_pty.SlavePath(); }
    int Keeper() const { return m_pty.Keeper(); }
    // Commands answered so far.
    int64_t Answered() const { return m_answered; }

  private:
    void Serve();

    PtyPair m_pty;
    uint32_t m_baud;
    // Touched by the serving thread only.
    CVylLcdCommandParser m_parser;
    std::atomic<bool> m_stop{false};
    std::atomic<int64_t> m_answered{0};
    std::thread m_thread;
};
