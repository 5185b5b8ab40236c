#include "tests/support/rate_gated_module.h"

#include <poll.h>
#include <unistd.h>

#include <string_view>
#include <vector>

#include "editor/link/serial_baud.h"

RateGatedModule::RateGatedModule(uint32_t baud) : m_baud(baud) {
    m_thread = std::thread([this] { Serve(); });
}

RateGatedModule::~RateGatedModule() {
    m_stop = true;
    m_thread.join();
}

void RateGatedModule::Serve() {
    char buffer[4096];
    while (!m_stop) {
        struct pollfd waiter {
            m_pty.Master(), POLLIN, 0
        };
        if (::poll(&waiter, 1, 10) <= 0 || !(waiter.revents & POLLIN)) {
            continue;
        }
        const ssize_t n = ::read(m_pty.Master(), buffer, sizeof buffer);
        uint32_t lineBaud = 0;
        if (n <= 0 || !GetSerialBaudRate(m_pty.Keeper(), &lineBaud) || lineBaud != m_baud) {
            continue;
        }
        std::vector<VyLcdCommand> commands;
        m_parser.Feed(std::string_view(buffer, static_cast<size_t>(n)), &commands);
        // Counted first: whoever reads the "K" may look at the count at once.
        m_answered += static_cast<int64_t>(commands.size());
        m_pty.WriteMaster(std::string(commands.size(), 'K'));
    }
}
