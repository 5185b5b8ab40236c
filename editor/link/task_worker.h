// CFxMLThread: one worker thread of a task pool. It stays alive between
// tasks and sleeps on a condition variable until a task is handed over or it
// is told to stop, so a handed-over task starts at once and an idle worker
// costs no processor time.
//
// Threads: the worker's operations are called by the pool's owner thread
// only; the task runs on the worker's own thread. The busy and stop flags are
// the only state both sides write.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>

#include "editor/tree/value_tree.h"

class CFxMLThreadPool;

// A task body: a static function that takes its argument tree. It must not
// throw; a task that does anyway is ended quietly and the worker lives on.
using FxTaskFunction = void (*)(CFxAssignGroupEx& arguments);

class CFxMLThread {
  public:
    // Counts the pool's idle workers; shared so that a detached worker can
    // still update it after the pool is gone.
    using IdleCounter = std::shared_ptr<std::atomic<int32_t>>;

    CFxMLThread(CFxMLThreadPool* owner, IdleCounter idleCount);
    // A thread still running is told to stop and waited for.
    ~CFxMLThread();
    CFxMLThread(const CFxMLThread&) = delete;
    CFxMLThread& operator=(const CFxMLThread&) = delete;

    // Starts the thread; 0 when the system refuses one.
    int Resume();

    // Copies the arguments and stores the function, then sets the busy flag
    // (release), which the worker reads (acquire) before touching either.
    // 0 when the worker is busy or stopping.
    int HandOver(FxTaskFunction function, const CFxAssignGroupEx& arguments);

    // Sets the stop flag. A busy worker finishes its task first.
    void RequestStop();
    void WaitForEnd();
    // True when the thread ended before the deadline (and was joined).
    bool WaitForEndUntil(std::chrono::steady_clock::time_point deadline);
    // Lets a thread that did not end run on by itself; everything it touches
    // is shared with it and outlives this object.
    void Detach();

    bool IsBusy() const;
    bool IsStopping() const;
    CFxMLThreadPool* Owner() const { return m_owner; }

  private:
    struct State;

    static void Run(const std::shared_ptr<State>& state);
    static void RunTask(State& state);

    std::shared_ptr<State> m_state;
    CFxMLThreadPool* m_owner;
    std::thread m_thread;
};
