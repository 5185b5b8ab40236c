#include "tests/support/pty_pair.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>

PtyPair::PtyPair() {
    OpenPseudoTerminal(&m_terminal);
}

PtyPair::~PtyPair() {
    ClosePseudoTerminal(&m_terminal);
}

void PtyPair::CloseMaster() {
    if (m_terminal.master >= 0) {
        ::close(m_terminal.master);
        m_terminal.master = -1;
    }
}

std::string PtyPair::ReadMaster(size_t n, int timeoutMs) const {
    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (bytes.size() < n) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        struct pollfd waiter {
            m_terminal.master, POLLIN, 0
        };
        if (left <= 0 || ::poll(&waiter, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        char buffer[4096];
        const ssize_t got =
            ::read(m_terminal.master, buffer, std::min(sizeof buffer, n - bytes.size()));
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
}

std::string PtyPair::Drain(int timeoutMs) const {
    return ReadMaster(1 << 20, timeoutMs);
}

void PtyPair::WriteMaster(const std::string& bytes) const {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_terminal.master, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<size_t>(n);
    }
}
