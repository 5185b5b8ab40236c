#include "editor/frame/baud_probe_task.h"

#include <chrono>

namespace {

constexpr int kWatchMs = 20;

}  // namespace

CVylBaudProbeTask::CVylBaudProbeTask() {
    m_watch.setInterval(kWatchMs);
    QObject::connect(&m_watch, &QTimer::timeout, [this] { CheckFinished(); });
}

CVylBaudProbeTask::~CVylBaudProbeTask() {
    Stop();
}

bool CVylBaudProbeTask::Start(const std::string& device, Done done) {
    if (IsRunning()) {
        return false;
    }
    m_cancel = false;
    m_done = std::move(done);
    m_result = std::async(std::launch::async, [this, device] {
        VyBaudProbeOptions options;
        options.cancel = &m_cancel;
        return ProbeBaudRate(device, options);
    });
    m_watch.start();
    return true;
}

void CVylBaudProbeTask::Stop() {
    m_watch.stop();
    m_done = nullptr;
    if (m_result.valid()) {
        m_cancel = true;
        m_result.get();
    }
}

void CVylBaudProbeTask::CheckFinished() {
    if (!m_result.valid() ||
        m_result.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return;
    }
    m_watch.stop();
    const VyBaudProbeResult result = m_result.get();
    // Taken first: done may start the next probe.
    const Done done = std::move(m_done);
    m_done = nullptr;
    if (done) {
        done(result);
    }
}
