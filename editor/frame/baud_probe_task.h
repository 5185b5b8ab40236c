// A rate probe run off the GUI thread (it waits up to 300 ms a rate); its
// result is handed back on the GUI thread, where a timer looks for it.
#pragma once

#include <QTimer>
#include <atomic>
#include <functional>
#include <future>
#include <string>

#include "editor/link/baud_probe.h"

class CVylBaudProbeTask {
  public:
    using Done = std::function<void(const VyBaudProbeResult& result)>;

    CVylBaudProbeTask();
    // Stops a running probe first (without telling its done).
    ~CVylBaudProbeTask();
    CVylBaudProbeTask(const CVylBaudProbeTask&) = delete;
    CVylBaudProbeTask& operator=(const CVylBaudProbeTask&) = delete;

    // Starts probing device; done is called on this thread when it ends.
    // false while another probe runs.
    bool Start(const std::string& device, Done done);
    bool IsRunning() const { return m_result.valid(); }
    // Gives up the running probe and waits until its thread is done; its
    // done is not called.
    void Stop();

  private:
    void CheckFinished();

    std::atomic<bool> m_cancel{false};
    std::future<VyBaudProbeResult> m_result;
    Done m_done;
    QTimer m_watch;
};
