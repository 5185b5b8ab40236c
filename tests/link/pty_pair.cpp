#include "pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

PtyPair::PtyPair() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0) {
        m_slavePath = ::ptsname(m_master);
        // Raw on the module's side too, so that bytes pass unchanged.
        m_keeper = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY);
        struct termios raw {};
        ::tcgetattr(m_keeper, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_keeper, TCSANOW, &raw);
        ::close(m_keeper);
        m_keeper = -1;
    }
}

PtyPair::~PtyPair() {
    CloseMaster();
}

void PtyPair::CloseMaster() {
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
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
            m_master, POLLIN, 0
        };
        if (left <= 0 || ::poll(&waiter, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        char buffer[4096];
        const ssize_t got = ::read(m_master, buffer, std::min(sizeof buffer, n - bytes.size()));
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
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<size_t>(n);
    }
}
