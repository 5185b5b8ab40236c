// The hand-over between the worker and the thread that takes the answers:
// a module that answers at once, from a thread of its own, so that answers
// often arrive while the write that caused them has not returned yet.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <random>
#include <thread>
#include <utility>

#include "editor/link/link_dispatch.h"

namespace {

// A line that is always open; the modules below differ only in answering.
class AlwaysOpenLine : public CVylSerialControl {
  public:
    std::string Open(const std::string&, uint32_t) override { return {}; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    bool ApplyBaud(uint32_t) override { return true; }
    bool IsPortFree(const std::string&) const override { return true; }
};

class InstantModule : public AlwaysOpenLine {
  public:
    explicit InstantModule(CVylLinkCredits& credits)
        : m_credits(credits), m_answerer([this] { AnswerLoop(); }) {}
    ~InstantModule() override {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_answerer.join();
    }

    bool Write(std::string_view block) override {
        const bool onAnswerer = std::this_thread::get_id() == m_answerer.get_id();
        if (m_inWrite.fetch_add(1) != 0 && onAnswerer) {
            ++answererWaitedForWrite;
        }
        const bool slow = strayDuringLongWrites && block.size() > 256;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // The writer holds the only credit; anything else is a second
            // command in flight.
            if (m_credits.GetNotReturnedCmdCount() != 1 || m_unanswered != 0) {
                ++violations;
            }
            received.append(block);
            ++writes;
            if (onAnswerer) {
                ++relayed;
                longestRelayed = std::max(longestRelayed, block.size());
            }
            // A noisy line: a "K" arrives while the long command is still
            // going out, its real answer follows when it is through.
            ++m_unanswered;
            m_wake.notify_all();
        }
        if (slow) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_unanswered;
            m_wake.notify_all();
        }
        m_inWrite.fetch_sub(1);
        if (afterWrite) {
            afterWrite(writes.load());
        }
        return true;
    }

    // Runs at the end of every write with the number of writes so far.
    std::function<void(int)> afterWrite;
    std::string received;
    std::atomic<int> writes{0};
    int violations = 0;
    int relayed = 0;
    size_t longestRelayed = 0;
    std::atomic<int> answererWaitedForWrite{0};
    bool strayDuringLongWrites = false;

  private:
    void AnswerLoop() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_quit || m_unanswered != 0; });
            if (m_quit) {
                return;
            }
            const int answers = m_unanswered;
            m_unanswered = 0;
            lock.unlock();
            m_credits.DecreaseNotReturnedCmdCount(answers);
            lock.lock();
        }
    }

    CVylLinkCredits& m_credits;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_unanswered = 0;
    bool m_quit = false;
    std::atomic<int> m_inWrite{0};
    std::thread m_answerer;
};

// Short commands with a long one now and then, each of distinct bytes.
class LinkRelay : public ::testing::Test {
  protected:
    LinkRelay() {
        for (int i = 0; i < 3000; ++i) {
            const size_t size = i % 97 == 0 ? 300 : 1 + i % 9;
            for (size_t k = 0; k < size; ++k) {
                bytes.push_back(static_cast<char>('a' + (i + k) % 26));
            }
            lengths.push_back(static_cast<uint32_t>(size));
        }
    }
    void Dispatch() { DispatchBytes(credits, module, bytes, &lengths); }

    std::string bytes;
    std::vector<uint32_t> lengths;
    CVylLinkCredits credits;
    InstantModule module{credits};
};

TEST_F(LinkRelay, EveryCommandOnceInOrderWithOneInFlight) {
    Dispatch();
    // The last command may still be answered after the transfer returned.
    for (int i = 0; i < 1000 && credits.GetNotReturnedCmdCount() != 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(module.received, bytes);
    EXPECT_EQ(module.violations, 0);
    EXPECT_EQ(credits.GetNotReturnedCmdCount(), 0);
    // Short commands leave from the answering thread; long ones never do.
    EXPECT_GT(module.relayed, 0);
    EXPECT_LE(module.longestRelayed, 256u);
}

TEST_F(LinkRelay, AStopEndsARelayedTransfer) {
    // The stop comes while the tenth command is being written, so the
    // transfer is sure to be under way, whichever thread writes it.
    module.afterWrite = [this](int writes) {
        if (writes == 10) {
            credits.UrgeStop();
        }
    };
    Dispatch();
    // Nothing leaves after the transfer has returned.
    const std::string atReturn = module.received;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(module.received, atReturn);
    EXPECT_LT(atReturn.size(), bytes.size());
    EXPECT_EQ(bytes.compare(0, atReturn.size(), atReturn), 0);
    EXPECT_EQ(module.violations, 0);
    EXPECT_EQ(credits.GetNotReturnedCmdCount(), 0);
}

// With one command in flight the receiving thread finds the line idle; a
// stray answer must not make it wait for a long write that still runs.
TEST_F(LinkRelay, AStrayAnswerNeverMakesTheAnsweringThreadWait) {
    lengths.resize(200);
    size_t covered = 0;
    for (uint32_t length : lengths) {
        covered += length;
    }
    bytes.resize(covered);
    module.strayDuringLongWrites = true;
    // On a busy machine an answer may come before its write has returned, and
    // then the worker sends on; a few rounds make sure relays happen at all.
    for (int round = 0; round < 10 && module.relayed == 0; ++round) {
        module.received.clear();
        Dispatch();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(module.received, bytes);
        credits.InitCredits();
    }
    EXPECT_GT(module.relayed, 0);
    EXPECT_EQ(module.answererWaitedForWrite.load(), 0);
}

// A noisy line: "K"s at random moments besides the real answers, which may
// free the credit while a command is still being written.
class NoisyModule : public AlwaysOpenLine {
  public:
    explicit NoisyModule(CVylLinkCredits& credits) : m_credits(credits) {}
    ~NoisyModule() override {
        m_quit = true;
        m_answerer.join();
    }

    bool Write(std::string_view block) override {
        if (m_inWrite.fetch_add(1) != 0) {
            ++overlappingWrites;
        }
        if (std::this_thread::get_id() == m_answerer.get_id() && block.size() > 256) {
            ++longRelayed;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            received.append(block);
        }
        if (block.size() > 256) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        m_inWrite.fetch_sub(1);
        ++m_pending;
        return true;
    }
    std::string TakeReceived() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(received, {});
    }

    std::atomic<int> overlappingWrites{0};
    std::atomic<int> longRelayed{0};

  private:
    void AnswerLoop() {
        std::minstd_rand noise(7);
        while (!m_quit) {
            if (m_pending.load() > 0) {
                --m_pending;
                m_credits.DecreaseNotReturnedCmdCount(1);
            }
            if (noise() % 64 == 0) {
                m_credits.DecreaseNotReturnedCmdCount(1);
            }
            std::this_thread::yield();
        }
    }

    CVylLinkCredits& m_credits;
    std::mutex m_mutex;
    std::string received;
    std::atomic<int> m_inWrite{0};
    std::atomic<int> m_pending{0};
    std::atomic<bool> m_quit{false};
    std::thread m_answerer{[this] { AnswerLoop(); }};
};

// Stray answers may put two commands in flight (nobody can tell them from
// real ones), but never reorder, repeat or interleave writes, nor make the
// receiving thread write a long command.
TEST(LinkRelayNoise, StrayAnswersNeverReorderOrInterleaveWrites) {
    std::string bytes;
    std::vector<uint32_t> lengths;
    for (int i = 0; i < 300; ++i) {
        const size_t size = i % 3 == 0 ? 300 : 1 + i % 9;
        bytes.append(size, static_cast<char>('a' + i % 26));
        lengths.push_back(static_cast<uint32_t>(size));
    }
    CVylLinkCredits credits;
    NoisyModule module(credits);
    // The faults sit in narrow windows: many transfers give them many chances.
    for (int round = 0; round < 40 && !::testing::Test::HasFailure(); ++round) {
        DispatchBytes(credits, module, bytes, &lengths);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(module.TakeReceived(), bytes) << "round " << round;
        credits.InitCredits();
    }
    EXPECT_EQ(module.overlappingWrites.load(), 0);
    EXPECT_EQ(module.longRelayed.load(), 0);
}

}  // namespace
