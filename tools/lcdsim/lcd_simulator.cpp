#include "tools/lcdsim/lcd_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "editor/link/serial_baud.h"

bool CVylLcdSimulator::IsAtWrongRate() const {
    return m_options.onlyAtBaud && m_lineBaud != 0 && m_lineBaud != m_options.baud;
}

void CVylLcdSimulator::OnBytes(std::string_view bytes, Clock::time_point now) {
    // A UART at another rate than the sender's reads only noise.
    if (IsAtWrongRate()) {
        m_wrongRateBytes += static_cast<int64_t>(bytes.size());
        return;
    }
    // Ten bits a byte on an 8-N-1 line.
    const uint32_t baud = m_lineBaud != 0 ? m_lineBaud : m_options.baud;
    const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / std::max<uint32_t>(baud, 1));
    for (char byte : bytes) {
        m_wireFree = std::max(m_wireFree, now) + byteTime;
        if (m_options.check && m_unanswered > 0) {
            ++m_violations;
        }
        if (m_lcd.Feed(std::string_view(&byte, 1)).empty()) {
            continue;
        }
        ++m_unanswered;
        // One command at a time: the next one's work starts when both its
        // last byte is in and the previous one is done.
        m_busyUntil =
            std::max(m_wireFree, m_busyUntil) + std::chrono::microseconds(m_options.processingUs);
        if (!m_options.silent) {
            m_answers.push_back(m_busyUntil);
        }
    }
}

std::string CVylLcdSimulator::TakeDueAnswers(Clock::time_point now) {
    std::string due;
    while (!m_answers.empty() && m_answers.front() <= now) {
        due += 'K';
        m_answers.pop_front();
        --m_unanswered;
    }
    return due;
}

bool CVylLcdSimulator::NextAnswerTime(Clock::time_point* when) const {
    if (m_answers.empty()) {
        return false;
    }
    *when = m_answers.front();
    return true;
}

int CVylLcdSimulator::PollTimeoutMs() const {
    Clock::time_point when;
    if (!NextAnswerTime(&when)) {
        return 50;
    }
    const auto wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(when - Clock::now()).count();
    return static_cast<int>(std::clamp<int64_t>(wait, 0, 50));
}

namespace {

// A module listens to its line all the time; after an answer the next
// command usually follows within a few hundred microseconds, so the line is
// watched without sleeping for a while (a sleeping simulator would add the
// machine's wake-up time to every command).
constexpr auto kEagerListen = std::chrono::microseconds(300);

int WaitTimeoutMs(const CVylLcdSimulator& sim, CVylLcdSimulator::Clock::time_point eagerUntil) {
    return CVylLcdSimulator::Clock::now() < eagerUntil ? 0 : sim.PollTimeoutMs();
}

// Read when the bytes are: the other end sets its rate before it writes.
void LearnLineBaud(int keeper, CVylLcdSimulator& sim) {
    uint32_t baud = 0;
    if (keeper >= 0 && GetSerialBaudRate(keeper, &baud)) {
        sim.SetLineBaud(baud);
    }
}

}  // namespace

void ServeLine(int master, CVylLcdSimulator& sim, const volatile std::sig_atomic_t& stop,
               int keeper) {
    using Clock = CVylLcdSimulator::Clock;
    // A module's line never stalls it: answers nobody reads are lost once
    // the other side's buffer is full, as on a real line.
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    char buffer[4096];
    Clock::time_point eagerUntil{};
    while (!stop) {
        struct pollfd waiter {
            master, POLLIN, 0
        };
        if (::poll(&waiter, 1, WaitTimeoutMs(sim, eagerUntil)) > 0 && (waiter.revents & POLLIN)) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) {
                LearnLineBaud(keeper, sim);
                sim.OnBytes(std::string_view(buffer, static_cast<size_t>(n)), Clock::now());
            }
        }
        // The last two milliseconds before an answer are waited out exactly.
        Clock::time_point when;
        while (sim.NextAnswerTime(&when) && when > Clock::now() &&
               when - Clock::now() < std::chrono::milliseconds(2)) {
        }
        const std::string answers = sim.TakeDueAnswers(Clock::now());
        if (answers.empty()) {
            continue;
        }
        if (::write(master, answers.data(), answers.size()) < 0 && errno != EAGAIN &&
            errno != EINTR) {
            return;
        }
        eagerUntil = Clock::now() + kEagerListen;
    }
}
