#include "editor/link/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "editor/link/serial_baud.h"
#include "editor/link/serial_line_snapshot.h"

namespace {

// A write that cannot proceed for this long means the device has stopped
// taking bytes (a pulled adapter can look like this).
constexpr int kWriteStallMs = 5000;
constexpr int kWriteSliceMs = 50;

// The error number is EBUSY for a port that another program holds.
int OpenExclusive(const std::string& device, std::string* error, int* number = nullptr) {
    const auto fail = [&](int code, std::string text) {
        if (number != nullptr) {
            *number = code;
        }
        *error = std::move(text);
        return -1;
    };
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        return fail(code, std::strerror(code));
    }
    // The advisory lock keeps out other programs that lock, TIOCEXCL the rest.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return fail(EBUSY, "the port is in use by another program");
    }
    if (::isatty(fd) && ::ioctl(fd, TIOCEXCL) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(code, std::strerror(code));
    }
    return fd;
}

bool MakeRaw8N1(int fd) {
    struct termios settings {};
    if (::tcgetattr(fd, &settings) != 0) {
        return false;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool IsGoneError(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

// The exclusive flag outlives the descriptor while anyone else holds the
// terminal open, so it is lifted before letting go.
void CloseExclusive(int fd) {
    if (::isatty(fd)) {
        ::ioctl(fd, TIOCNXCL);
    }
    ::flock(fd, LOCK_UN);
    ::close(fd);
}

}  // namespace

std::string CVylSerialPort::Open(const std::string& device, uint32_t baud,
                                 CVylLineSnapshot* found) {
    Close();
    std::string error;
    const int fd = OpenExclusive(device, &error);
    if (fd < 0) {
        return error;
    }
    if (found != nullptr && ::isatty(fd) && !found->Take(fd)) {
        error = std::strerror(errno);
        CloseExclusive(fd);
        return error;
    }
    if (::isatty(fd) && (!MakeRaw8N1(fd) || !SetSerialBaudRate(fd, baud))) {
        error = std::strerror(errno);
        CloseExclusive(fd);
        return error.empty() ? "the port settings were refused" : error;
    }
    // Answers that nobody read before (an earlier session, a module that
    // kept talking) would acknowledge commands not yet sent.
    if (::isatty(fd)) {
        ::tcflush(fd, TCIFLUSH);
    }
    std::lock_guard<std::mutex> lock(m_writeMutex);
    m_fd = fd;
    m_failed = false;
    m_device = device;
    return {};
}

bool CVylSerialPort::ApplyBaud(uint32_t baud) {
    const int fd = m_fd;
    return fd >= 0 && (!::isatty(fd) || SetSerialBaudRate(fd, baud));
}

void CVylSerialPort::Close() {
    // A writer in the middle of a long block gives up at its next slice.
    m_closing = true;
    std::lock_guard<std::mutex> lock(m_writeMutex);
    m_closing = false;
    const int fd = m_fd.exchange(-1);
    if (fd >= 0) {
        CloseExclusive(fd);
    }
    m_failed = false;
}

bool CVylSerialPort::IsOpen() const {
    return m_fd >= 0 && !m_failed;
}

// Waits in short slices, so that a Close is never held up for long.
bool CVylSerialPort::WaitWritable(int fd) const {
    for (int waited = 0; waited < kWriteStallMs && !m_closing; waited += kWriteSliceMs) {
        struct pollfd waiter {
            fd, POLLOUT, 0
        };
        const int ready = ::poll(&waiter, 1, kWriteSliceMs);
        if (ready > 0) {
            return !(waiter.revents & (POLLERR | POLLHUP | POLLNVAL));
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

bool CVylSerialPort::WriteAll(std::string_view bytes) {
    std::lock_guard<std::mutex> lock(m_writeMutex);
    const int fd = m_fd;
    size_t done = 0;
    while (done < bytes.size()) {
        if (fd < 0 || m_failed || m_closing) {
            return false;
        }
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitWritable(fd)) {
            continue;
        }
        // Failed, stalled or gone: the port is of no use any more.
        m_failed = true;
        return false;
    }
    return true;
}

std::string CVylSerialPort::ReadAvailable(bool* gone) {
    *gone = false;
    std::string received;
    const int fd = m_fd;
    char buffer[512];
    while (fd >= 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        // A read of 0 only means "nothing now" unless the other side hung up.
        struct pollfd probe {
            fd, POLLIN, 0
        };
        const bool hungUp = (n < 0 && IsGoneError(errno)) ||
                            (n == 0 && ::poll(&probe, 1, 0) > 0 && (probe.revents & POLLHUP));
        *gone = hungUp || m_failed;
        break;
    }
    if (*gone) {
        Close();
    }
    return received;
}

bool CVylSerialPort::IsPortFree(const std::string& device) {
    return OpenFailure(device) == 0;
}

int CVylSerialPort::OpenFailure(const std::string& device) {
    std::string error;
    int number = 0;
    const int fd = OpenExclusive(device, &error, &number);
    if (fd < 0) {
        return number != 0 ? number : EIO;
    }
    CloseExclusive(fd);
    return 0;
}
