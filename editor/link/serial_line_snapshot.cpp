#include "editor/link/serial_line_snapshot.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cstring>

static_assert(sizeof(struct termios2) <= sizeof(std::array<unsigned char, 64>));

bool CVylLineSnapshot::Take(int fd) {
    struct termios2 settings {};
    m_taken = ::ioctl(fd, TCGETS2, &settings) == 0;
    if (m_taken) {
        std::memcpy(m_raw.data(), &settings, sizeof settings);
    }
    return m_taken;
}

bool CVylLineSnapshot::Restore(int fd) const {
    if (!m_taken) {
        return false;
    }
    struct termios2 settings {};
    std::memcpy(&settings, m_raw.data(), sizeof settings);
    return ::ioctl(fd, TCSETS2, &settings) == 0;
}
