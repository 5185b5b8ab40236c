#include "editor/link/task_worker.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

// Everything the thread touches lives here, owned jointly by the worker
// object and the thread, so a detached thread never reaches freed memory.
struct CFxMLThread::State {
    explicit State(IdleCounter idle) : idleCount(std::move(idle)) {}

    IdleCounter idleCount;
    // Written by the owner while busy is 0, read by the thread while it is 1.
    FxTaskFunction task = nullptr;
    CFxAssignGroupEx arguments;
    std::atomic<int32_t> busy{0};
    std::atomic<int32_t> stop{0};

    // The mutex only closes the gap between the thread's flag test and its
    // sleep, so that no wake-up is lost; the flags themselves are atomics.
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable ended;
    bool hasEnded = false;  // guarded by mutex

    bool HasWork() const {
        return busy.load(std::memory_order_acquire) != 0 ||
               stop.load(std::memory_order_acquire) != 0;
    }
    void Raise(std::atomic<int32_t>& flag) {
        {
            std::lock_guard lock(mutex);
            flag.store(1, std::memory_order_release);
        }
        wake.notify_one();
    }
    void WaitForWork() {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return HasWork(); });
    }
    void MarkEnded() {
        {
            std::lock_guard lock(mutex);
            hasEnded = true;
        }
        ended.notify_all();
    }
};

CFxMLThread::CFxMLThread(CFxMLThreadPool* owner, IdleCounter idleCount)
    : m_state(std::make_shared<State>(std::move(idleCount))), m_owner(owner) {}

CFxMLThread::~CFxMLThread() {
    if (m_thread.joinable()) {
        RequestStop();
        m_thread.join();
    }
}

int CFxMLThread::Resume() {
    if (m_thread.joinable()) {
        return 0;
    }
    try {
        m_thread = std::thread(&CFxMLThread::Run, m_state);
    } catch (const std::system_error&) {
        return 0;
    }
    return 1;
}

int CFxMLThread::HandOver(FxTaskFunction function, const CFxAssignGroupEx& arguments) {
    if (function == nullptr || IsBusy() || IsStopping()) {
        return 0;
    }
    m_state->arguments = arguments;
    m_state->task = function;
    m_state->Raise(m_state->busy);
    return 1;
}

void CFxMLThread::RequestStop() {
    m_state->Raise(m_state->stop);
}

void CFxMLThread::WaitForEnd() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool CFxMLThread::WaitForEndUntil(std::chrono::steady_clock::time_point deadline) {
    if (!m_thread.joinable()) {
        return true;
    }
    std::unique_lock lock(m_state->mutex);
    if (!m_state->ended.wait_until(lock, deadline, [this] { return m_state->hasEnded; })) {
        return false;
    }
    lock.unlock();
    m_thread.join();  // the thread is past its last statement
    return true;
}

void CFxMLThread::Detach() {
    if (m_thread.joinable()) {
        m_thread.detach();
    }
}

bool CFxMLThread::IsBusy() const {
    return m_state->busy.load(std::memory_order_acquire) != 0;
}

bool CFxMLThread::IsStopping() const {
    return m_state->stop.load(std::memory_order_acquire) != 0;
}

// A task handed over together with the stop request still runs: a busy
// worker always finishes its task before it notices a stop.
void CFxMLThread::Run(const std::shared_ptr<State>& state) {
    for (;;) {
        state->WaitForWork();
        if (state->busy.load(std::memory_order_acquire) != 0) {
            RunTask(*state);
        }
        if (state->stop.load(std::memory_order_acquire) != 0) {
            break;
        }
    }
    state->MarkEnded();
}

void CFxMLThread::RunTask(State& state) {
    state.idleCount->fetch_sub(1, std::memory_order_acq_rel);
    try {
        state.task(state.arguments);
    } catch (...) {
        // No exception may end the thread; the task alone is lost.
    }
    // The copy may hold large values; it is of no use after the task.
    state.arguments.RemoveAll();
    state.task = nullptr;
    state.idleCount->fetch_add(1, std::memory_order_acq_rel);
    state.busy.store(0, std::memory_order_release);
}
