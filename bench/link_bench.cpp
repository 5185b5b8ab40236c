// A full LCD update through the link to a simulated module on a real
// pseudo-terminal at 115200 baud, without and with 1 ms of processing per
// command. The figure that matters is total time / ideal time, where the ideal
// is the wire time of every byte plus every processing delay. The "bare"
// variants send the same chunks with nothing but a write and a blocking wait
// for the answer: what the pseudo-terminal and the scheduler cost on their
// own, the floor any link on this machine stands on. The "link" variants go
// the product's whole way: the link object, a worker of its pool, and answers
// read on the Qt event loop.
#include <benchmark/benchmark.h>

#include <poll.h>

#include <QCoreApplication>
#include <QEventLoop>

#include <csignal>
#include <functional>
#include <thread>

#include "bench/bench_application.h"
#include "bench/bench_drawings.h"
#include "editor/document/full_update.h"
#include "editor/link/link_dispatch.h"
#include "editor/link/polled_serial_control.h"
#include "editor/link/serial_link.h"
#include "editor/virtual_lcd/pseudo_terminal.h"
#include "tools/lcdsim/lcd_simulator.h"

namespace {

constexpr uint32_t kBaud = 115200;

struct SimulatedLine {
    explicit SimulatedLine(int64_t processingUs) : sim({kBaud, processingUs, false, false}) {
        OpenPseudoTerminal(&terminal);
        server = std::thread([this] { ServeLine(terminal.master, sim, stop); });
    }
    ~SimulatedLine() {
        stop = 1;
        server.join();
        ClosePseudoTerminal(&terminal);
    }
    CVylLcdSimulator sim;
    volatile std::sig_atomic_t stop = 0;
    VyPseudoTerminal terminal;
    std::thread server;
};

// Sends the chunks once and returns when every one was acknowledged.
using UpdateSender = std::function<void(std::string_view bytes, const VyLengthArray& lengths)>;

void MeasureUpdate(benchmark::State& state, CVylObjectGroup& drawing, const UpdateSender& send) {
    const int64_t processingUs = state.range(0);
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    VyByteArray bytes;
    VyLengthArray lengths;
    BuildFullLcdUpdate(dc, drawing, bytes, lengths);
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (auto _ : state) {
        send(view, lengths);
    }
    const double ideal = static_cast<double>(bytes.size()) * 10.0 / kBaud +
                         static_cast<double>(lengths.size()) * processingUs * 1e-6;
    state.counters["commands"] = static_cast<double>(lengths.size());
    state.counters["ideal_ms"] = ideal * 1e3;
    // Wall time per update over the ideal; 1.0 means the line adds nothing.
    state.counters["over_ideal"] =
        benchmark::Counter(ideal * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void SendThroughLink(benchmark::State& state, CVylObjectGroup& drawing) {
    SimulatedLine line(state.range(0));
    CVylLinkCredits credits;
    CVylPolledSerialControl control;
    control.SetReceiver(
        [&](const std::string& received) {
            credits.DecreaseNotReturnedCmdCount(CountAcknowledgements(received));
        },
        nullptr);
    if (!control.Open(line.terminal.slavePath, kBaud).empty()) {
        state.SkipWithError("the simulated line does not open");
        return;
    }
    MeasureUpdate(state, drawing, [&](std::string_view bytes, const VyLengthArray& lengths) {
        DispatchBytes(credits, control, bytes, &lengths);
        while (credits.GetNotReturnedCmdCount() != 0) {
            std::this_thread::yield();
        }
    });
}

void SendThroughLinkObject(benchmark::State& state, CVylObjectGroup& drawing) {
    EnsureBenchApplication();
    SimulatedLine line(state.range(0));
    CVylMSComm link;
    link.SetString("device", line.terminal.slavePath);
    link.SetInt("baud_rate", static_cast<int32_t>(kBaud));
    link.Pool().Setup(2, 1, 10);
    if (!link.OpenPort()) {
        state.SkipWithError("the simulated line does not open");
        return;
    }
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    QEventLoop loop;
    size_t acknowledged = 0;
    size_t total = 0;
    link.SetReceiveObserver([&](const std::string& received) {
        acknowledged += static_cast<size_t>(CountAcknowledgements(received));
        if (acknowledged >= total) {
            loop.quit();
        }
    });
    MeasureUpdate(state, drawing, [&](std::string_view bytes, const VyLengthArray& lengths) {
        acknowledged = 0;
        total = SplitIntoChunks(bytes, &lengths).size();
        const VyByteArray update(bytes.begin(), bytes.end());
        link.InvokeDispatchBytes(dc, update, &lengths);
        loop.exec();
    });
}

// One thread writes a chunk and sleeps in poll until its answer is there.
void SendBare(benchmark::State& state, CVylObjectGroup& drawing) {
    SimulatedLine line(state.range(0));
    CVylSerialPort port;
    if (!port.Open(line.terminal.slavePath, kBaud).empty()) {
        state.SkipWithError("the simulated line does not open");
        return;
    }
    MeasureUpdate(state, drawing, [&](std::string_view bytes, const VyLengthArray& lengths) {
        for (std::string_view chunk : SplitIntoChunks(bytes, &lengths)) {
            port.WriteAll(chunk);
            bool gone = false;
            while (CountAcknowledgements(port.ReadAvailable(&gone)) == 0 && !gone) {
                struct pollfd waiter {
                    port.Descriptor(), POLLIN, 0
                };
                ::poll(&waiter, 1, 100);
            }
        }
    });
}

bool ReadSample(CVylObjectGroup* drawing) {
    CRevolver file;
    return file.LoadFromFile(VY_SOURCE_ROOT "/samples/showcase.tpl") &&
           drawing->ObjGroupFromRevolver(file);
}

void BM_SendSample(benchmark::State& state) {
    CVylObjectGroup drawing;
    if (!ReadSample(&drawing)) {
        state.SkipWithError("the sample drawing cannot be read");
        return;
    }
    SendThroughLink(state, drawing);
}

void BM_SendMixed200(benchmark::State& state) {
    CVylObjectGroup drawing = MakeMixedDrawing(200);
    SendThroughLink(state, drawing);
}

void BM_LinkSample(benchmark::State& state) {
    CVylObjectGroup drawing;
    if (!ReadSample(&drawing)) {
        state.SkipWithError("the sample drawing cannot be read");
        return;
    }
    SendThroughLinkObject(state, drawing);
}

void BM_LinkMixed200(benchmark::State& state) {
    CVylObjectGroup drawing = MakeMixedDrawing(200);
    SendThroughLinkObject(state, drawing);
}

void BM_SendMixed200Bare(benchmark::State& state) {
    CVylObjectGroup drawing = MakeMixedDrawing(200);
    SendBare(state, drawing);
}

}  // namespace

BENCHMARK(BM_SendSample)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LinkSample)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LinkMixed200)
    ->Arg(0)
    ->Arg(1000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SendMixed200Bare)
    ->Arg(0)
    ->Arg(1000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SendMixed200)
    ->Arg(0)
    ->Arg(1000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
