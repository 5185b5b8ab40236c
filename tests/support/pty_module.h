// A module at the far end of a pseudo-terminal, on a thread of its own: it
// draws what comes and answers "K" per command, unless told to keep silent.
// Closing it is the cable pulled: the line hangs up.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "editor/virtual_lcd/lcd_unifont.h"
#include "editor/virtual_lcd/pseudo_terminal.h"
#include "editor/virtual_lcd/virtual_lcd.h"

class PtyModule {
  public:
    PtyModule() {
        m_lcd.SetGlyphs(&CVylUnifont::System());
        m_open = OpenPseudoTerminal(&m_terminal);
        if (m_open) {
            m_thread = std::thread([this] { Serve(); });
        }
    }
    ~PtyModule() { Close(); }
    PtyModule(const PtyModule&) = delete;
    PtyModule& operator=(const PtyModule&) = delete;

    bool IsOpen() const { return m_open; }
    const std::string& SlavePath() const { return m_terminal.slavePath; }
    void SetSilent(bool silent) { m_silent = silent; }
    // Bytes the module sends on its own (an old firmware's chatter).
    void Say(const std::string& bytes) {
        std::lock_guard<std::mutex> lock(m_mutex);
        (void)!::write(m_terminal.master, bytes.data(), bytes.size());
    }
    CVylLcdFrame Screen() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lcd.GetFrame();
    }
    int64_t Commands() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lcd.GetCommandCount();
    }
    void Close() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        ClosePseudoTerminal(&m_terminal);
    }

  private:
    void Serve() {
        char buffer[4096];
        while (!m_stop) {
            struct pollfd waiter {
                m_terminal.master, POLLIN, 0
            };
            if (::poll(&waiter, 1, 10) <= 0 || !(waiter.revents & POLLIN)) {
                continue;
            }
            const ssize_t n = ::read(m_terminal.master, buffer, sizeof buffer);
            if (n <= 0) {
                continue;
            }
            std::lock_guard<std::mutex> lock(m_mutex);
            const std::string answers =
                m_lcd.Feed(std::string_view(buffer, static_cast<size_t>(n)));
            if (!m_silent && !answers.empty()) {
                (void)!::write(m_terminal.master, answers.data(), answers.size());
            }
        }
    }

    VyPseudoTerminal m_terminal;
    bool m_open = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_silent{false};
    mutable std::mutex m_mutex;
    CVylVirtualLcd m_lcd;
    std::thread m_thread;
};
