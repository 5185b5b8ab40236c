// CFxMLThreadPool: runs slow work (above all the serial dispatch) off the GUI
// thread on workers that stay alive between tasks.
//
// - A task is a static function taking one argument tree; the pool hands a
//   copy of the starter's tree to an idle worker, so the starter keeps its own.
// - With no idle worker the pool grows by a whole batch at once, so starting
//   a task costs no thread creation once the pool has grown.
// - Housekeeping shrinks the pool back towards the idle keep. The pool has no
//   timer of its own: its owner calls OnHousekeepingTimer on every tick of a
//   timer of GetTimerPeriodMs() (the application drives it every 10 s).
// - Every operation runs on the owner's thread (the GUI thread); only the
//   tasks run on the workers. Tasks must not call back into their pool.
//
// Stop modes, applied at destruction after every worker was told to stop:
// - "infinite" (the default): waits for every worker; a running task is
//   allowed to finish, however long it takes.
// - "terminate": waits at most GetTerminateWait() in all, then detaches the
//   workers still running. Killing a thread outright is not an option here:
//   it would leave locks held and objects half-built. A detached worker
//   finishes its task on its own (its argument tree and flags are kept alive
//   for it) and then ends; whatever the task itself refers to is the task's
//   business, as with any task.
#pragma once

#include "editor/vyedit_export.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "editor/link/task_worker.h"
#include "editor/tree/value_tree.h"

class VYEDIT_EXPORT CFxMLThreadPool {
  public:
    static constexpr std::string_view kStopInfinite = "infinite";
    static constexpr std::string_view kStopTerminate = "terminate";
    static constexpr std::chrono::milliseconds kDefaultTerminateWait{1000};

    // An empty pool with a batch of 1, an idle keep of 0 and a 10 s period
    // until Setup says otherwise.
    CFxMLThreadPool();
    ~CFxMLThreadPool();
    CFxMLThreadPool(const CFxMLThreadPool&) = delete;
    CFxMLThreadPool& operator=(const CFxMLThreadPool&) = delete;

    // Stores the growth batch, the idle keep and the housekeeping period;
    // 0 (nothing changed) for a batch or period below 1 or a negative keep.
    int Setup(int32_t growthBatch, int32_t idleKeep, int32_t periodSeconds);

    // Hands function and a copy of arguments (an empty tree when null) to an
    // idle worker, growing the pool when there is none. 1 when the task was
    // handed over, 0 for no function or when no worker could be had.
    int StartTask(FxTaskFunction function, const CFxAssignGroupEx* arguments = nullptr);

    // "infinite" or "terminate"; 0 (mode unchanged) for any other text.
    int SetStopMode(std::string_view mode);
    const std::string& GetStopMode() const { return m_stopMode; }
    void SetTerminateWait(std::chrono::milliseconds wait) { m_terminateWait = wait; }
    std::chrono::milliseconds GetTerminateWait() const { return m_terminateWait; }

    // One housekeeping tick: ends idle workers beyond the idle keep, waiting
    // for each to end. Busy workers are never touched.
    void OnHousekeepingTimer();

    int32_t GetIdleCount() const { return m_idleCount->load(std::memory_order_acquire); }
    size_t GetWorkerCount() const { return m_workers.size(); }
    // True when a worker is running (or was just handed) a task, or stopping.
    bool IsAnyWorkerBusy() const;
    int32_t GetGrowthBatch() const { return m_growthBatch; }
    int32_t GetIdleKeep() const { return m_idleKeep; }
    int32_t GetTimerPeriodSeconds() const { return m_periodSeconds; }
    int32_t GetTimerPeriodMs() const { return m_periodSeconds * 1000; }

  private:
    using WorkerMap = std::map<std::string, std::unique_ptr<CFxMLThread>>;

    CFxMLThread* FindIdleWorker() const;
    CFxMLThread* GrowBatch();
    CFxMLThread* CreateWorker();
    void StopAllWorkers();

    WorkerMap m_workers;  // keyed by the decimal text of a number never reused
    CFxMLThread::IdleCounter m_idleCount;
    int32_t m_growthBatch = 1;
    int32_t m_idleKeep = 0;
    int32_t m_periodSeconds = 10;
    std::string m_stopMode{kStopInfinite};
    std::chrono::milliseconds m_terminateWait = kDefaultTerminateWait;
    uint64_t m_nextWorkerId = 1;
};
