#include "editor/link/link_dispatch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <optional>

#include "editor/link/polled_serial_control.h"
#include "tests/support/pty_pair.h"

namespace {

using Lengths = std::vector<uint32_t>;

// The serial control over a real pseudo-terminal, with the acknowledgements
// counted as the GUI thread would, and a vanished device ending the transfer.
class PtyControl : public CVylPolledSerialControl {
  public:
    PtyControl(const std::string& device, CVylLinkCredits& credits) {
        SetReceiver(
            [&credits](const std::string& bytes) {
                credits.DecreaseNotReturnedCmdCount(CountAcknowledgements(bytes));
            },
            [this, &credits](const std::string&) {
                lost = true;
                credits.InitCredits();
            });
        Open(device, 115200);
    }
    std::atomic<bool> lost{false};
};

struct Transfer {
    Transfer(PtyControl& control, CVylLinkCredits& credits, std::string bytes,
             std::optional<Lengths> lengths)
        : m_credits(credits), m_bytes(std::move(bytes)), m_lengths(std::move(lengths)) {
        m_done = std::async(std::launch::async, [&control, &credits, this] {
            DispatchBytes(credits, control, m_bytes, m_lengths ? &*m_lengths : nullptr);
        });
    }
    // A test that stops early must not leave the transfer waiting for ever.
    ~Transfer() { m_credits.InitCredits(); }
    bool Finished(int ms) {
        return m_done.wait_for(std::chrono::milliseconds(ms)) == std::future_status::ready;
    }
    CVylLinkCredits& m_credits;
    std::string m_bytes;
    std::optional<Lengths> m_lengths;
    std::future<void> m_done;
};

// A clock for the credits that the test moves on by hand.
struct MovableClock {
    explicit MovableClock(CVylLinkCredits& credits) {
        credits.SetClock([this] { return start + std::chrono::milliseconds(offsetMs.load()); },
                         6100);
    }
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::atomic<int64_t> offsetMs{0};
};

// Whether the no-answer flag goes up within a second.
bool NoAnswerRaised(const CVylLinkCredits& credits) {
    for (int i = 0; i < 100 && !credits.IsNoAnswer(); ++i) {
        ::usleep(10000);
    }
    return credits.IsNoAnswer();
}

// Whether the written chunk is noted as awaiting its answer within 3 s.
bool AnswerAwaited(const CVylLinkCredits& credits) {
    for (int i = 0; i < 3000 && !credits.IsAnswerAwaited(); ++i) {
        ::usleep(1000);
    }
    return credits.IsAnswerAwaited();
}

TEST(LinkChunks, LengthsThatDoNotAddUp) {
    using Views = std::vector<std::string_view>;
    EXPECT_EQ(SplitIntoChunks("abcdef", nullptr), (Views{"abcdef"}));
    const Lengths shortList{2, 1};
    EXPECT_EQ(SplitIntoChunks("abcdef", &shortList), (Views{"ab", "c", "def"}));
    const Lengths longList{4, 0, 9, 3};
    EXPECT_EQ(SplitIntoChunks("abcdef", &longList), (Views{"abcd", "ef"}));
    EXPECT_TRUE(SplitIntoChunks("", nullptr).empty());
    EXPECT_EQ(CountAcknowledgements("KxK\r"), 2);
}

TEST(LinkCredits, AcknowledgementsNeverGoBelowZero) {
    CVylLinkCredits credits;
    ASSERT_TRUE(credits.AcquireCredit());
    credits.DecreaseNotReturnedCmdCount(2);
    EXPECT_EQ(credits.GetNotReturnedCmdCount(), 0);
    credits.SetUpdatePending(true);
    credits.InitCredits();
    EXPECT_FALSE(credits.IsUpdatePending());
    EXPECT_FALSE(credits.AcquireCredit());
}

TEST(LinkDispatch, OneCommandInFlightAndExactBytesInOrder) {
    PtyPair pty;
    CVylLinkCredits credits;
    PtyControl control(pty.SlavePath(), credits);
    const std::string bytes("\x1B\x43\x4C\x00\x1B\x44\x53\x01\x00\x1B\x42\x58\x01\x02", 14);
    Transfer transfer(control, credits, bytes, Lengths{4, 5, 5});
    for (const size_t size : {4u, 5u, 5u}) {
        const std::string chunk = pty.ReadMaster(size, 3000);
        ASSERT_EQ(chunk.size(), size);
        // Nothing of the next command may come before this one is answered.
        EXPECT_EQ(pty.Drain(30), "");
        EXPECT_EQ(credits.GetNotReturnedCmdCount(), 1);
        pty.WriteMaster("K");
    }
    ASSERT_TRUE(transfer.Finished(3000));
    EXPECT_EQ(pty.Drain(20), "");
}

TEST(LinkDispatch, DoubleAndStrayAcknowledgements) {
    PtyPair pty;
    CVylLinkCredits credits;
    PtyControl control(pty.SlavePath(), credits);
    Transfer transfer(control, credits, "abcdef", Lengths{2, 2, 2});
    ASSERT_EQ(pty.ReadMaster(2, 3000), "ab");
    pty.WriteMaster("KK");  // one too many: harmless
    ASSERT_EQ(pty.ReadMaster(2, 3000), "cd");
    pty.WriteMaster("K");
    ASSERT_EQ(pty.ReadMaster(2, 3000), "ef");
    ASSERT_TRUE(transfer.Finished(3000));
    // The last command is out; only a "K" settles it, other bytes do not.
    pty.WriteMaster("x");
    ::usleep(30000);
    EXPECT_EQ(credits.GetNotReturnedCmdCount(), 1);
    pty.WriteMaster("K");
    for (int i = 0; i < 300 && credits.GetNotReturnedCmdCount() != 0; ++i) {
        ::usleep(1000);
    }
    EXPECT_EQ(credits.GetNotReturnedCmdCount(), 0);
}

TEST(LinkDispatch, EmptyBytesAndNoLengths) {
    PtyPair pty;
    CVylLinkCredits credits;
    PtyControl control(pty.SlavePath(), credits);
    Transfer nothing(control, credits, "", Lengths{4});
    ASSERT_TRUE(nothing.Finished(2000));
    EXPECT_EQ(credits.GetNotReturnedCmdCount(), 0);
    EXPECT_EQ(pty.Drain(30), "");

    Transfer whole(control, credits, "0123456789", std::nullopt);
    EXPECT_EQ(pty.ReadMaster(10, 3000), "0123456789");
    pty.WriteMaster("K");
    ASSERT_TRUE(whole.Finished(3000));
}

TEST(LinkDispatch, InitCreditsEndsAWaitingTransfer) {
    PtyPair pty;
    CVylLinkCredits credits;
    PtyControl control(pty.SlavePath(), credits);
    Transfer transfer(control, credits, "aabbcc", Lengths{2, 2, 2});
    ASSERT_EQ(pty.ReadMaster(2, 3000), "aa");
    EXPECT_FALSE(transfer.Finished(30));
    credits.InitCredits();
    ASSERT_TRUE(transfer.Finished(3000));
    EXPECT_EQ(pty.Drain(50), "");
    EXPECT_EQ(credits.GetNotReturnedCmdCount(), 0);
}

TEST(LinkDispatch, ASilentModuleRaisesTheNoAnswerFlag) {
    PtyPair pty;
    CVylLinkCredits credits;
    MovableClock clock(credits);
    PtyControl control(pty.SlavePath(), credits);
    Transfer transfer(control, credits, "aabb", Lengths{2, 2});
    ASSERT_EQ(pty.ReadMaster(2, 3000), "aa");
    // Time moves on only once the write has been noted.
    ASSERT_TRUE(AnswerAwaited(credits));
    clock.offsetMs = 6000;
    EXPECT_FALSE(credits.CheckNoAnswer());
    clock.offsetMs = 6200;
    EXPECT_TRUE(NoAnswerRaised(credits));
    EXPECT_FALSE(transfer.Finished(10));  // the wait goes on
    pty.WriteMaster("K");
    EXPECT_EQ(pty.ReadMaster(2, 3000), "bb");
    pty.WriteMaster("K");
    ASSERT_TRUE(transfer.Finished(3000));
}

// A command that takes longer to write than the no-answer time (a big
// picture at a low rate): the silence is counted from the end of the write.
TEST(LinkDispatch, ALongWriteIsNoSilence) {
    struct SlowLine : PtyControl {
        SlowLine(const std::string& device, CVylLinkCredits& credits, std::atomic<int64_t>& clock)
            : PtyControl(device, credits), offsetMs(clock) {}
        bool Write(std::string_view block) override {
            offsetMs += 7000;
            return PtyControl::Write(block);
        }
        std::atomic<int64_t>& offsetMs;
    };
    PtyPair pty;
    CVylLinkCredits credits;
    MovableClock clock(credits);
    SlowLine control(pty.SlavePath(), credits, clock.offsetMs);
    Transfer transfer(control, credits, "aabb", Lengths{2, 2});
    ASSERT_EQ(pty.ReadMaster(2, 3000), "aa");
    ASSERT_TRUE(AnswerAwaited(credits));
    EXPECT_FALSE(credits.CheckNoAnswer());
    clock.offsetMs += 6200;
    EXPECT_TRUE(NoAnswerRaised(credits));
    pty.WriteMaster("K");
    EXPECT_EQ(pty.ReadMaster(2, 3000), "bb");
    ASSERT_TRUE(transfer.Finished(3000));
}

TEST(LinkDispatch, ADeviceThatDisappearsEndsTheTransfer) {
    PtyPair pty;
    CVylLinkCredits credits;
    PtyControl control(pty.SlavePath(), credits);
    Transfer transfer(control, credits, "aabbcc", Lengths{2, 2, 2});
    ASSERT_EQ(pty.ReadMaster(2, 3000), "aa");
    pty.CloseMaster();
    ASSERT_TRUE(transfer.Finished(3000));
    EXPECT_TRUE(control.lost);
    EXPECT_FALSE(control.IsOpen());
}

}  // namespace
