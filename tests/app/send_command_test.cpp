#include "app/cli/send_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/lcdsim/lcd_simulator.h"
#include "editor/link/link_credits.h"
#include "editor/tree/code_page.h"
#include "tests/link/pty_pair.h"

namespace {

std::string Sample() {
    return std::string(VY_SOURCE_ROOT) + "/samples/showcase.tpl";
}

TEST(SendCommand, TheVirtualModuleAcknowledgesEveryCommand) {
    std::ostringstream err;
    EXPECT_EQ(RunSendCommand(Sample(), {"virtual", 115200, 6100}, err), 0);
    EXPECT_NE(err.str().find("sent 21 of 21 commands"), std::string::npos) << err.str();
}

TEST(SendCommand, ASilentModuleEndsWithTheWarning) {
    PtyPair pty;
    std::ostringstream err;
    EXPECT_EQ(RunSendCommand(Sample(), {pty.SlavePath(), 115200, 200}, err), 3);
    EXPECT_NE(err.str().find(Cp949ToUtf8(kNoAnswerWarning)), std::string::npos);
    // Only the first command went out: the module never answered it.
    EXPECT_EQ(pty.Drain(50), std::string("\x1B\x43\x4C\x00", 4));
}

TEST(SendCommand, PortsAndFilesThatCannotBeOpened) {
    std::ostringstream err;
    EXPECT_EQ(RunSendCommand(Sample(), {"/dev/no-such-port", 19200, 6100}, err), 1);
    EXPECT_NE(err.str().find("/dev/no-such-port"), std::string::npos);
    std::ostringstream missing;
    EXPECT_EQ(RunSendCommand("/no/such.tpl", {"virtual", 19200, 6100}, missing), 1);
}

TEST(LcdSimulator, AnswersAfterTheWireTimeAndCountsBytesSentTooEarly) {
    VySimOptions options;
    options.baud = 10000;  // one byte a millisecond
    options.processingUs = 2000;
    options.check = true;
    CVylLcdSimulator sim(options);
    const auto start = CVylLcdSimulator::Clock::now();
    sim.OnBytes(std::string("\x1B\x43\x4C\x00", 4), start);
    CVylLcdSimulator::Clock::time_point due;
    ASSERT_TRUE(sim.NextAnswerTime(&due));
    EXPECT_EQ(due - start, std::chrono::milliseconds(6));
    EXPECT_EQ(sim.TakeDueAnswers(start + std::chrono::milliseconds(5)), "");
    // A command that comes before the answer breaks the flow control.
    sim.OnBytes(std::string("\x1B\x53\x43\x01", 4), start + std::chrono::milliseconds(5));
    EXPECT_EQ(sim.GetViolations(), 4);
    EXPECT_EQ(sim.TakeDueAnswers(start + std::chrono::seconds(1)), "KK");
    EXPECT_EQ(sim.Lcd().GetCommandCount(), 2);

    options.silent = true;
    CVylLcdSimulator silent(options);
    silent.OnBytes(std::string("\x1B\x43\x4C\x00", 4), start);
    EXPECT_FALSE(silent.NextAnswerTime(&due));
}

}  // namespace
