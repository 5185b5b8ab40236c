#include "editor/link/task_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
constexpr auto kPatience = 10s;  // generous: only a broken pool ever waits this long

void DoWhat_Record(CFxAssignGroupEx& args);

// One task's view: what it saw, and a gate that holds it until the test opens it.
struct Probe {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false, started = false, finished = false;
    std::thread::id thread;
    std::string text;
    size_t keys = 0;

    // Argument trees carry 32-bit integers only, so the address travels as text.
    int Run(CFxMLThreadPool& pool, bool hold, CFxAssignGroupEx args = {}) {
        args.SetString("probe", std::to_string(reinterpret_cast<uintptr_t>(this)));
        args.SetInt("hold", hold ? 1 : 0);
        return pool.StartTask(&DoWhat_Record, &args);
    }
    bool Await(const bool& flag) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, kPatience, [&] { return flag; });
    }
    void Set(bool& flag) {
        flag = true;
        changed.notify_all();
    }
    void Open() {
        std::lock_guard lock(mutex);
        Set(open);
    }
};

void DoWhat_Record(CFxAssignGroupEx& args) {
    Probe& probe = *reinterpret_cast<Probe*>(std::stoull(args.GetString("probe")));
    std::unique_lock lock(probe.mutex);
    probe.thread = std::this_thread::get_id();
    probe.Set(probe.started);
    if (args.GetInt("hold", 0) != 0) {
        // Bounded, so that a pool that waits for a held task fails instead of hanging.
        probe.changed.wait_for(lock, kPatience, [&] { return probe.open; });
    }
    probe.text = args.GetString("text");
    probe.keys = args.Count();
    probe.Set(probe.finished);
}

bool AwaitIdle(const CFxMLThreadPool& pool) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (pool.IsAnyWorkerBusy() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    return !pool.IsAnyWorkerBusy();
}

TEST(TaskPool, FirstTaskGrowsAWholeBatchAndTheNextTakesAnIdleWorker) {
    Probe first, second;
    CFxMLThreadPool pool;
    ASSERT_EQ(pool.Setup(5, 2, 10), 1);
    EXPECT_EQ(pool.GetTimerPeriodMs(), 10000);
    ASSERT_EQ(first.Run(pool, true), 1);
    EXPECT_EQ(pool.GetWorkerCount(), 5u);
    ASSERT_TRUE(first.Await(first.started));
    EXPECT_EQ(pool.GetIdleCount(), 4);

    ASSERT_EQ(second.Run(pool, true), 1);
    ASSERT_TRUE(second.Await(second.started));
    EXPECT_EQ(pool.GetWorkerCount(), 5u);
    EXPECT_EQ(pool.GetIdleCount(), 3);
    EXPECT_NE(first.thread, second.thread);
    first.Open();
    second.Open();
    ASSERT_TRUE(first.Await(first.finished) && second.Await(second.finished));
    ASSERT_TRUE(AwaitIdle(pool));
    EXPECT_EQ(pool.GetIdleCount(), 5);
}

TEST(TaskPool, GrowsAnotherBatchOnlyWhenEveryWorkerIsBusy) {
    Probe probes[3];
    CFxMLThreadPool pool;
    ASSERT_EQ(pool.Setup(2, 0, 10), 1);
    EXPECT_EQ(pool.Setup(0, 0, 10), 0);
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(probes[i].Run(pool, true), 1);
        EXPECT_EQ(pool.GetWorkerCount(), i < 2 ? 2u : 4u);
    }
    for (Probe& probe : probes) {
        probe.Open();
        EXPECT_TRUE(probe.Await(probe.finished));
    }
}

TEST(TaskPool, ReusesAnIdleWorker) {
    Probe first, second;
    CFxMLThreadPool pool;
    ASSERT_EQ(first.Run(pool, false), 1);
    ASSERT_TRUE(first.Await(first.finished) && AwaitIdle(pool));
    ASSERT_EQ(second.Run(pool, false), 1);
    ASSERT_TRUE(second.Await(second.finished));
    EXPECT_EQ(pool.GetWorkerCount(), 1u);
    EXPECT_EQ(first.thread, second.thread);
}

TEST(TaskPool, HandedOverTaskRunsAtOnceOnItsOwnCopyOfTheArguments) {
    Probe probe;
    CFxMLThreadPool pool;
    EXPECT_EQ(pool.StartTask(nullptr), 0);
    CFxAssignGroupEx args;
    args.SetString("text", "box 10,20");
    ASSERT_EQ(probe.Run(pool, true, args), 1);
    // Nothing else is called: the hand-over alone wakes the worker.
    ASSERT_TRUE(probe.Await(probe.started));
    args.SetString("text", "changed");
    probe.Open();
    ASSERT_TRUE(probe.Await(probe.finished));
    EXPECT_EQ(probe.text, "box 10,20");
    EXPECT_EQ(probe.keys, 3u);
}

int g_keysSeen = -1;
void DoWhat_CountKeys(CFxAssignGroupEx& args) {
    g_keysSeen = static_cast<int>(args.Count());
}

TEST(TaskPool, TaskWithoutArgumentsGetsAnEmptyTree) {
    g_keysSeen = -1;
    CFxMLThreadPool pool;
    ASSERT_EQ(pool.StartTask(&DoWhat_CountKeys), 1);
    ASSERT_TRUE(AwaitIdle(pool));
    EXPECT_EQ(g_keysSeen, 0);  // ordered by the busy flag's release and acquire
}

TEST(TaskPool, HousekeepingEndsIdleWorkersBeyondTheKeep) {
    Probe probe;
    CFxMLThreadPool pool;
    ASSERT_EQ(pool.Setup(30, 10, 10), 1);
    ASSERT_EQ(probe.Run(pool, false), 1);
    ASSERT_TRUE(probe.Await(probe.finished) && AwaitIdle(pool));
    ASSERT_EQ(pool.GetIdleCount(), 30);
    pool.OnHousekeepingTimer();
    EXPECT_EQ(pool.GetWorkerCount(), 10u);
    EXPECT_EQ(pool.GetIdleCount(), 10);
    pool.OnHousekeepingTimer();
    EXPECT_EQ(pool.GetWorkerCount(), 10u);
}

TEST(TaskPool, HousekeepingLeavesBusyWorkersAlone) {
    Probe first, second;
    CFxMLThreadPool pool;
    ASSERT_EQ(pool.Setup(4, 0, 10), 1);
    ASSERT_EQ(first.Run(pool, true), 1);
    ASSERT_EQ(second.Run(pool, true), 1);
    ASSERT_TRUE(first.Await(first.started) && second.Await(second.started));
    pool.OnHousekeepingTimer();
    EXPECT_EQ(pool.GetWorkerCount(), 2u);
    EXPECT_EQ(pool.GetIdleCount(), 0);

    first.Open();
    second.Open();
    ASSERT_TRUE(first.Await(first.finished) && second.Await(second.finished));
    ASSERT_TRUE(AwaitIdle(pool));
    pool.OnHousekeepingTimer();
    EXPECT_EQ(pool.GetWorkerCount(), 0u);
}

// Destroys the pool on a thread of its own and notes whether the task had
// finished when the destruction returned.
struct Destroyer {
    std::atomic<bool> done{false}, taskFinished{false};
    std::thread thread;

    Destroyer(std::unique_ptr<CFxMLThreadPool> pool, Probe& probe) {
        thread = std::thread([this, &probe, owned = std::move(pool)]() mutable {
            owned.reset();
            std::lock_guard lock(probe.mutex);
            taskFinished = probe.finished;
            done = true;
        });
    }
    bool AwaitDone(std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        return done;
    }
};

TEST(TaskPool, DestructionInInfiniteModeWaitsForTheRunningTask) {
    Probe probe;
    auto pool = std::make_unique<CFxMLThreadPool>();
    EXPECT_EQ(pool->GetStopMode(), "infinite");
    ASSERT_EQ(pool->Setup(3, 0, 10), 1);
    ASSERT_EQ(probe.Run(*pool, true), 1);
    ASSERT_TRUE(probe.Await(probe.started));
    Destroyer destroyer(std::move(pool), probe);
    EXPECT_FALSE(destroyer.AwaitDone(200ms));
    probe.Open();
    destroyer.thread.join();
    EXPECT_TRUE(destroyer.taskFinished);
}

TEST(TaskPool, DestructionInTerminateModeLetsARunningTaskGoOnAlone) {
    Probe probe;
    auto pool = std::make_unique<CFxMLThreadPool>();
    EXPECT_EQ(pool->SetStopMode("forever"), 0);
    ASSERT_EQ(pool->SetStopMode("terminate"), 1);
    pool->SetTerminateWait(50ms);
    CFxAssignGroupEx args;
    args.SetString("text", "still here");
    ASSERT_EQ(probe.Run(*pool, true, args), 1);
    ASSERT_TRUE(probe.Await(probe.started));
    Destroyer destroyer(std::move(pool), probe);
    ASSERT_TRUE(destroyer.AwaitDone(kPatience));
    destroyer.thread.join();
    EXPECT_FALSE(destroyer.taskFinished);
    // The detached worker still holds its copy of the arguments.
    probe.Open();
    ASSERT_TRUE(probe.Await(probe.finished));
    EXPECT_EQ(probe.text, "still here");
}

}  // namespace
