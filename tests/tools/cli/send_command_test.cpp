#include "tools/cli/send_command.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <sstream>
#include <thread>

#include "editor/document/object_group.h"
#include "editor/link/link_credits.h"
#include "editor/tree/code_page.h"
#include "editor/virtual_lcd/lcd_command_parser.h"
#include "editor/virtual_lcd/pseudo_terminal.h"
#include "tests/support/broken_drawing.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_folder.h"
#include "tools/lcdsim/lcd_simulator.h"

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

// Nobody waits for the last command's answer inside the transfer; the verb
// still notices the silence instead of waiting for ever.
TEST(SendCommand, AMissingLastAnswerEndsWithTheWarning) {
    PtyPair pty;
    std::atomic<bool> done{false};
    std::thread module([&] {
        CVylLcdCommandParser parser;
        std::vector<VyLcdCommand> commands;
        size_t answered = 0;
        while (!done) {
            parser.Feed(pty.Drain(5), &commands);
            for (; answered < commands.size() && answered < 20; ++answered) {
                pty.WriteMaster("K");
            }
        }
    });
    std::ostringstream err;
    EXPECT_EQ(RunSendCommand(Sample(), {pty.SlavePath(), 115200, 200}, err), 3);
    done = true;
    module.join();
    EXPECT_NE(err.str().find("sent 20 of 21 commands"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(Cp949ToUtf8(kNoAnswerWarning)), std::string::npos);
}

TEST(SendCommand, ADrawingWhoseCommandsCannotBeMadeIsNotSent) {
    VyTempFolder folder;
    const std::string path = folder.File("broken_bitmap.tpl");
    ASSERT_TRUE(WriteBoxAndEmptyBitmap(path));
    PtyPair pty;
    std::ostringstream err;
    EXPECT_EQ(RunSendCommand(path, {pty.SlavePath(), 115200, 200}, err), 1);
    EXPECT_NE(err.str().find("status 2"), std::string::npos) << err.str();
    EXPECT_EQ(pty.Drain(30), "");
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

    // A silent module never answers, so whatever follows comes too early.
    options.silent = true;
    CVylLcdSimulator silent(options);
    silent.OnBytes(std::string("\x1B\x43\x4C\x00", 4), start);
    EXPECT_FALSE(silent.NextAnswerTime(&due));
    silent.OnBytes(std::string("\x1B\x43\x4C\x00", 4), start + std::chrono::seconds(1));
    EXPECT_EQ(silent.GetViolations(), 4);
}

TEST(LcdSimulator, ASlowModuleWorksOnOneCommandAtATime) {
    VySimOptions options;
    options.baud = 10000;  // one byte a millisecond
    options.processingUs = 10000;
    CVylLcdSimulator sim(options);
    const auto start = CVylLcdSimulator::Clock::now();
    // Both in by 8 ms; the first is done at 14 ms, the second 10 ms later.
    sim.OnBytes(std::string("\x1B\x43\x4C\x00\x1B\x43\x4C\x00", 8), start);
    EXPECT_EQ(sim.TakeDueAnswers(start + std::chrono::milliseconds(14)), "K");
    EXPECT_EQ(sim.TakeDueAnswers(start + std::chrono::microseconds(23999)), "");
    EXPECT_EQ(sim.TakeDueAnswers(start + std::chrono::milliseconds(24)), "K");
}

TEST(LcdSimulator, ListensOnlyAtItsRateWhenAsked) {
    VySimOptions options;
    options.baud = 9600;
    options.onlyAtBaud = true;
    CVylLcdSimulator sim(options);
    const auto start = CVylLcdSimulator::Clock::now();
    const std::string dotSize("\x1B\x44\x53\x00\x00", 5);
    sim.SetLineBaud(19200);
    sim.OnBytes(dotSize, start);
    CVylLcdSimulator::Clock::time_point due;
    EXPECT_FALSE(sim.NextAnswerTime(&due));
    EXPECT_EQ(sim.GetWrongRateBytes(), 5);
    EXPECT_EQ(sim.Lcd().GetCommandCount(), 0);
    sim.SetLineBaud(9600);
    sim.OnBytes(dotSize, start);
    ASSERT_TRUE(sim.NextAnswerTime(&due));
    // Five bytes of ten bits each.
    EXPECT_EQ(due - start, 5 * std::chrono::nanoseconds(10'000'000'000LL / 9600));

    // Listening at every rate, it takes the line's rate for the wire time.
    CVylLcdSimulator any(VySimOptions{});
    any.SetLineBaud(10000);
    any.OnBytes(dotSize, start);
    ASSERT_TRUE(any.NextAnswerTime(&due));
    EXPECT_EQ(due - start, std::chrono::milliseconds(5));
    EXPECT_EQ(any.GetWrongRateBytes(), 0);
}

// A client that never reads its answers must not stall the module: their
// overflow is lost as on a real line, and the module goes on listening.
TEST(LcdSimulator, AClientThatNeverReadsDoesNotStallTheModule) {
    VyPseudoTerminal line;
    ASSERT_TRUE(OpenPseudoTerminal(&line));
    // A line so fast that every answer is due at once.
    CVylLcdSimulator sim(VySimOptions{100'000'000, 0, false, false});
    volatile std::sig_atomic_t stop = 0;
    std::thread module([&] { ServeLine(line.master, sim, stop); });
    const int client = ::open(line.slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(client, 0);
    // Far more answers than the line holds: 150,000 colour commands.
    const std::string colour("\x1B\x53\x43\x01", 4);
    int sent = 0;
    for (int tries = 0; sent < 150000 && tries < 1000000; ++tries) {
        if (::write(client, colour.data(), colour.size()) == 4) {
            ++sent;
        } else {
            ::usleep(100);
        }
    }
    for (int i = 0; i < 2000 && sim.Lcd().GetCommandCount() < sent; ++i) {
        ::usleep(1000);
    }
    stop = 1;
    module.join();
    ::close(client);
    ClosePseudoTerminal(&line);
    EXPECT_EQ(sent, 150000);
    EXPECT_EQ(sim.Lcd().GetCommandCount(), sent);
}

}  // namespace
