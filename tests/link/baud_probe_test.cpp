#include "editor/link/baud_probe.h"

#include <asm/termbits.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <thread>

#include "editor/link/link_config.h"
#include "editor/link/serial_port.h"
#include "tests/support/hex.h"
#include "tests/support/pty_pair.h"
#include "tests/support/rate_gated_module.h"

namespace {

struct termios2 LineSettings(int fd) {
    struct termios2 settings {};
    ::ioctl(fd, TCGETS2, &settings);
    return settings;
}

VyBaudProbeOptions Waiting(int ms) {
    VyBaudProbeOptions options;
    options.wait = std::chrono::milliseconds(ms);
    return options;
}

const std::vector<uint32_t> kAllInOrder(std::begin(kProbeOrder), std::end(kProbeOrder));

TEST(BaudProbe, TriesEveryOfferedRateOnceTheCommonOnesFirst) {
    std::vector<uint32_t> sorted = kAllInOrder;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, std::vector<uint32_t>(std::begin(kBaudRates), std::end(kBaudRates)));
    EXPECT_EQ(kAllInOrder.front(), 19200u);
    EXPECT_EQ(kAllInOrder.back(), 2400u);
}

TEST(BaudProbe, FindsTheModulesRateAmongTheTen) {
    for (uint32_t baud : kBaudRates) {
        RateGatedModule module(baud);
        const VyBaudProbeResult result = ProbeBaudRate(module.SlavePath(), Waiting(80));
        EXPECT_EQ(result.baud, baud);
        EXPECT_EQ(result.error, "");
        // Tried in order up to the one that answered, and no further.
        const auto found = std::find(kAllInOrder.begin(), kAllInOrder.end(), baud);
        EXPECT_EQ(result.tried, std::vector<uint32_t>(kAllInOrder.begin(), found + 1));
        EXPECT_EQ(module.Answered(), 1) << baud;
    }
}

TEST(BaudProbe, NoAnswerLeavesTheLineAsItWas) {
    PtyPair pty;
    // A rate the probe never tries, in the terminal's cooked mode.
    struct termios2 before = LineSettings(pty.Keeper());
    before.c_cflag = (before.c_cflag & ~CBAUD) | BOTHER;
    before.c_ispeed = before.c_ospeed = 1200;
    before.c_lflag |= ICANON | ECHO;
    ASSERT_EQ(::ioctl(pty.Keeper(), TCSETS2, &before), 0);
    before = LineSettings(pty.Keeper());

    const VyBaudProbeResult result = ProbeBaudRate(pty.SlavePath(), Waiting(10));
    EXPECT_EQ(result.baud, 0u);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.tried, kAllInOrder);
    const struct termios2 after = LineSettings(pty.Keeper());
    EXPECT_EQ(after.c_ospeed, 1200u);
    EXPECT_EQ(after.c_ispeed, 1200u);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    // One dot-size command a rate, nothing else.
    std::string expected;
    for (size_t i = 0; i < kAllInOrder.size(); ++i) {
        expected += HexString("1B 44 53 00 00");
    }
    EXPECT_EQ(pty.Drain(50), expected);
    EXPECT_TRUE(CVylSerialPort::IsPortFree(pty.SlavePath()));
}

TEST(BaudProbe, APortThatDoesNotOpenIsTold) {
    const VyBaudProbeResult missing = ProbeBaudRate("/dev/no-such-port", Waiting(10));
    EXPECT_NE(missing.error, "");
    EXPECT_TRUE(missing.tried.empty());

    PtyPair pty;
    CVylSerialPort holder;
    ASSERT_EQ(holder.Open(pty.SlavePath(), 19200), "");
    const VyBaudProbeResult busy = ProbeBaudRate(pty.SlavePath(), Waiting(10));
    EXPECT_EQ(busy.error, "the port is in use by another program");
    EXPECT_EQ(busy.baud, 0u);
}

TEST(BaudProbe, TheVirtualModuleAnswersAtTheFirstRate) {
    const VyBaudProbeResult result = ProbeBaudRate(std::string(kVirtualDevice));
    EXPECT_EQ(result.baud, 19200u);
    EXPECT_EQ(result.tried, std::vector<uint32_t>{19200});
}

TEST(BaudProbe, ACancelledProbeStopsBeforeTheNextRate) {
    RateGatedModule module(2400);
    std::atomic<bool> cancel{true};
    VyBaudProbeOptions options = Waiting(10);
    options.cancel = &cancel;
    const VyBaudProbeResult result = ProbeBaudRate(module.SlavePath(), options);
    EXPECT_EQ(result.baud, 0u);
    EXPECT_TRUE(result.tried.empty());
    EXPECT_EQ(module.Answered(), 0);
}

TEST(BaudProbe, AVanishedDeviceEndsTheProbe) {
    PtyPair pty;
    // The far end goes away as soon as the first command is in.
    std::thread unplug([&pty] {
        pty.ReadMaster(4, 5000);
        pty.CloseMaster();
    });
    const VyBaudProbeResult result = ProbeBaudRate(pty.SlavePath(), Waiting(2000));
    unplug.join();
    EXPECT_EQ(result.baud, 0u);
    EXPECT_EQ(result.error, "the device has gone away");
    EXPECT_EQ(result.tried.size(), 1u);
}

}  // namespace
