#include "editor/link/task_pool.h"

#include <exception>
#include <limits>
#include <utility>
#include <vector>

#include "editor/tree/decimal_text.h"

CFxMLThreadPool::CFxMLThreadPool() : m_idleCount(std::make_shared<std::atomic<int32_t>>(0)) {}

CFxMLThreadPool::~CFxMLThreadPool() {
    StopAllWorkers();
    m_workers.clear();
}

int CFxMLThreadPool::Setup(int32_t growthBatch, int32_t idleKeep, int32_t periodSeconds) {
    constexpr int32_t kMaxPeriod = std::numeric_limits<int32_t>::max() / 1000;
    if (growthBatch < 1 || idleKeep < 0 || periodSeconds < 1 || periodSeconds > kMaxPeriod) {
        return 0;
    }
    m_growthBatch = growthBatch;
    m_idleKeep = idleKeep;
    m_periodSeconds = periodSeconds;
    return 1;
}

int CFxMLThreadPool::StartTask(FxTaskFunction function, const CFxAssignGroupEx* arguments) {
    if (function == nullptr) {
        return 0;
    }
    try {
        CFxMLThread* worker = FindIdleWorker();
        if (worker == nullptr) {
            worker = GrowBatch();
        }
        if (worker == nullptr) {
            return 0;
        }
        const CFxAssignGroupEx none;
        return worker->HandOver(function, arguments != nullptr ? *arguments : none);
    } catch (const std::exception&) {
        return 0;  // out of memory while growing or copying the arguments
    }
}

int CFxMLThreadPool::SetStopMode(std::string_view mode) {
    if (mode != kStopInfinite && mode != kStopTerminate) {
        return 0;
    }
    m_stopMode = mode;
    return 1;
}

// Only the owner thread sets busy and stop flags, so a worker seen idle here
// stays idle until the owner hands it something.
void CFxMLThreadPool::OnHousekeepingTimer() {
    const int32_t excess = GetIdleCount() - m_idleKeep;
    if (excess < 1) {
        return;
    }
    std::vector<WorkerMap::iterator> collected;
    for (auto it = m_workers.begin();
         it != m_workers.end() && collected.size() < static_cast<size_t>(excess); ++it) {
        if (!it->second->IsBusy()) {
            it->second->RequestStop();
            m_idleCount->fetch_sub(1, std::memory_order_acq_rel);
            collected.push_back(it);
        }
    }
    // Told to stop all first, then waited for, so the threads end side by side.
    for (auto it : collected) {
        it->second->WaitForEnd();
        m_workers.erase(it);
    }
}

bool CFxMLThreadPool::IsAnyWorkerBusy() const {
    for (const auto& [id, worker] : m_workers) {
        if (worker->IsBusy() || worker->IsStopping()) {
            return true;
        }
    }
    return false;
}

CFxMLThread* CFxMLThreadPool::FindIdleWorker() const {
    for (const auto& [id, worker] : m_workers) {
        if (!worker->IsBusy() && !worker->IsStopping()) {
            return worker.get();
        }
    }
    return nullptr;
}

// The last worker created is the one taken; a batch cut short by the system
// keeps the workers it did get.
CFxMLThread* CFxMLThreadPool::GrowBatch() {
    CFxMLThread* last = nullptr;
    for (int32_t i = 0; i < m_growthBatch; ++i) {
        CFxMLThread* worker = CreateWorker();
        if (worker == nullptr) {
            break;
        }
        last = worker;
    }
    return last;
}

CFxMLThread* CFxMLThreadPool::CreateWorker() {
    auto worker = std::make_unique<CFxMLThread>(this, m_idleCount);
    m_idleCount->fetch_add(1, std::memory_order_acq_rel);
    if (!worker->Resume()) {
        m_idleCount->fetch_sub(1, std::memory_order_acq_rel);
        return nullptr;
    }
    CFxMLThread* created = worker.get();
    m_workers.emplace(DecimalText(static_cast<int64_t>(m_nextWorkerId++)), std::move(worker));
    return created;
}

void CFxMLThreadPool::StopAllWorkers() {
    for (auto& [id, worker] : m_workers) {
        worker->RequestStop();
    }
    if (m_stopMode == kStopTerminate) {
        const auto deadline = std::chrono::steady_clock::now() + m_terminateWait;
        for (auto& [id, worker] : m_workers) {
            if (!worker->WaitForEndUntil(deadline)) {
                worker->Detach();
            }
        }
        return;
    }
    for (auto& [id, worker] : m_workers) {
        worker->WaitForEnd();
    }
}
