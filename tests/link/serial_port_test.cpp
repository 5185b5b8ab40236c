#include "editor/link/serial_port.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "tests/support/pty_pair.h"

namespace {

uint32_t OutputSpeed(int fd) {
    struct termios2 settings {};
    ::ioctl(fd, TCGETS2, &settings);
    return settings.c_ospeed;
}

TEST(SerialPort, OpensEveryOfferedRateIncludingTheUnusualOnes) {
    PtyPair pty;
    for (uint32_t baud : {2400u, 19200u, 28800u, 76800u, 230400u}) {
        CVylSerialPort port;
        ASSERT_EQ(port.Open(pty.SlavePath(), baud), "") << baud;
        EXPECT_EQ(OutputSpeed(port.Descriptor()), baud);
    }
}

TEST(SerialPort, IsHeldExclusivelyWhileOpen) {
    PtyPair pty;
    CVylSerialPort first;
    ASSERT_EQ(first.Open(pty.SlavePath(), 19200), "");
    EXPECT_FALSE(CVylSerialPort::IsPortFree(pty.SlavePath()));
    CVylSerialPort second;
    EXPECT_NE(second.Open(pty.SlavePath(), 19200), "");
    EXPECT_FALSE(second.IsOpen());
    first.Close();
    EXPECT_TRUE(CVylSerialPort::IsPortFree(pty.SlavePath()));
    // Neither the probe nor a closed port leaves the terminal exclusive.
    const int other = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    int exclusive = 0;
    ASSERT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ::close(other);
    EXPECT_NE(second.Open("/dev/no-such-serial-port", 19200), "");
}

TEST(SerialPort, BytesPassBothWaysUnchanged) {
    PtyPair pty;
    CVylSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath(), 115200), "");
    const std::string command("\x1B\x42\x58\x0A\x00\x0D\x11\x13\xFF", 9);
    ASSERT_TRUE(port.WriteAll(command));
    EXPECT_EQ(pty.ReadMaster(command.size(), 2000), command);
    pty.WriteMaster("K\rK");
    std::string received;
    bool gone = false;
    for (int i = 0; i < 200 && received.size() < 3; ++i) {
        received += port.ReadAvailable(&gone);
        ::usleep(1000);
    }
    EXPECT_EQ(received, "K\rK");
    EXPECT_FALSE(gone);
}

// Answers left on the line by an earlier session must not count for the new
// one: they would acknowledge commands it has not sent yet.
TEST(SerialPort, OpeningDropsWhatWasLeftUnread) {
    PtyPair pty;
    pty.WriteMaster("KKK");
    ::usleep(20000);
    CVylSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath(), 115200), "");
    bool gone = false;
    EXPECT_EQ(port.ReadAvailable(&gone), "");
    pty.WriteMaster("K");
    std::string fresh;
    for (int i = 0; i < 300 && fresh.empty(); ++i) {
        ::usleep(1000);
        fresh = port.ReadAvailable(&gone);
    }
    EXPECT_EQ(fresh, "K");
}

TEST(SerialPort, AVanishedDeviceClosesThePort) {
    PtyPair pty;
    CVylSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath(), 19200), "");
    pty.CloseMaster();
    bool gone = false;
    port.ReadAvailable(&gone);
    EXPECT_TRUE(gone);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.WriteAll("x"));
}

}  // namespace
