// The studio as a user meets it: from a new main window to the first
// painted canvas with the sample open, and a 200-object screen sent to the
// virtual module with the LCD window hidden and shown.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/studio/main_window.h"
#include "bench/bench_application.h"
#include "bench/bench_drawings.h"
#include "editor/document/full_update.h"
#include "editor/link/virtual_serial_control.h"

namespace {

// Notes that the widget has painted.
class PaintWatch : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
    bool painted = false;
};

const CVYSDataFolders& BenchFolders() {
    static const std::string root =
        (QDir::tempPath() + QStringLiteral("/vy_bench_studio/")).toStdString();
    static const CVYSDataFolders folders(VyProgramEnv{
        VY_BINARY_ROOT "/app/studio/",
        [](const std::string& name) { return name == "VYLCD_DATA_ROOT" ? root : std::string(); }});
    return folders;
}

VyStudioOptions QuietOptions() {
    VyStudioOptions options;
    options.startupDelayMs = 3600000;
    return options;
}

// Milliseconds since this process began (the kernel counts in ticks).
double SinceProcessStartMs() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    return uptime * 1000.0 - std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void RunUntil(const std::function<bool()>& done) {
    while (!done()) {
        QApplication::processEvents();
    }
}

void BM_StudioStartToFirstPaint(benchmark::State& state) {
    EnsureBenchApplication();
    double firstSinceProcessStart = -1;
    for (auto _ : state) {
        CMainFrame window(BenchFolders(), QuietOptions());
        if (!window.Start()) {
            state.SkipWithError("the studio does not start");
            return;
        }
        PaintWatch watch;
        window.View().Canvas().installEventFilter(&watch);
        window.Document().Open(QStringLiteral(VY_SOURCE_ROOT "/samples/showcase.vyd"));
        window.show();
        RunUntil([&watch] { return watch.painted; });
        if (firstSinceProcessStart < 0) {
            firstSinceProcessStart = SinceProcessStartMs();
        }
        state.PauseTiming();
        window.View().Canvas().removeEventFilter(&watch);
        RunUntil([&window] { return window.View().Editor().Link().GetNotReturnedCmdCount() == 0; });
        state.ResumeTiming();
    }
    state.counters["first_since_process_start_ms"] = firstSinceProcessStart;
}
BENCHMARK(BM_StudioStartToFirstPaint)->Unit(benchmark::kMillisecond);

// Peak resident memory of this process so far, in kilobytes.
long PeakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// A 100,000-action project (200 objects) opened in a started studio until
// the canvas has painted it. The project is written by vy_make_project in a
// process of its own, so that the peak memory counted is the studio's: run
// this benchmark alone (--benchmark_filter) for the memory figures.
void BM_StudioOpenLongProject(benchmark::State& state) {
    EnsureBenchApplication();
    const std::string path =
        (QDir::tempPath() + QStringLiteral("/vy_bench_100k.vyd")).toStdString();
    const std::string make = VY_BINARY_ROOT "/bench/vy_make_project 100000 " + path;
    if (std::system(make.c_str()) != 0) {
        state.SkipWithError("vy_make_project failed");
        return;
    }
    long emptyKb = -1;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<CMainFrame>(BenchFolders(), QuietOptions());
        if (!window->Start()) {
            state.SkipWithError("the studio does not start");
            return;
        }
        window->show();
        PaintWatch watch;
        window->View().Canvas().installEventFilter(&watch);
        RunUntil([&watch] { return watch.painted; });
        watch.painted = false;
        if (emptyKb < 0) {
            emptyKb = PeakRssKb();
        }
        state.ResumeTiming();
        window->Document().Open(QString::fromStdString(path));
        RunUntil([&watch] { return watch.painted; });
        state.PauseTiming();
        window->View().Canvas().removeEventFilter(&watch);
        state.counters["actions"] =
            static_cast<double>(window->View().Canvas().Core().History().GetCount());
        window.reset();
        state.ResumeTiming();
    }
    const auto fileKb = static_cast<double>(QFileInfo(QString::fromStdString(path)).size()) / 1024;
    state.counters["file_kb"] = fileKb;
    state.counters["empty_peak_kb"] = static_cast<double>(emptyKb);
    state.counters["peak_kb"] = static_cast<double>(PeakRssKb());
    state.counters["peak_over_empty_per_file"] =
        (static_cast<double>(PeakRssKb() - emptyKb)) / fileKb;
}
BENCHMARK(BM_StudioOpenLongProject)->Unit(benchmark::kMillisecond)->Iterations(1);

// The whole screen again (F5) on the virtual module until its last "K";
// the argument shows the LCD window (refreshing every 33 ms) or hides it.
void BM_VirtualModuleTransfer(benchmark::State& state) {
    EnsureBenchApplication();
    CMainFrame window(BenchFolders(), QuietOptions());
    if (!window.Start()) {
        state.SkipWithError("the studio does not start");
        return;
    }
    window.show();
    window.LcdDock().setVisible(state.range(0) != 0);
    CVylCanvas& canvas = window.View().Canvas();
    canvas.Core().RemoveEveryData();
    canvas.Core().PasteFromObjectGroup(MakeMixedDrawing(200));
    CVylMSComm& link = window.View().Editor().Link();
    auto* module = dynamic_cast<CVylVirtualSerialControl*>(link.Control());
    const auto idle = [&link] {
        return link.GetNotReturnedCmdCount() == 0 && !link.Pool().IsAnyWorkerBusy();
    };
    CVylObjectGroup drawing = canvas.Core().Group();
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> lengths;
    ExtractDrawingCommands(canvas.Core().DeviceContext(), drawing, bytes, lengths);
    for (auto _ : state) {
        RunUntil(idle);
        const int64_t before = module->GetCommandCount();
        canvas.OnAgain(1, 1, 1, 1, 1, 1);
        RunUntil([&] {
            return module->GetCommandCount() - before >= static_cast<int64_t>(lengths.size()) &&
                   idle();
        });
    }
    state.counters["objects"] = static_cast<double>(canvas.Core().Group().GetCount());
    state.counters["bytes"] = static_cast<double>(bytes.size());
    // What the same bytes take on the wire at 230400 baud (10 bits a byte).
    state.counters["wire_ms_at_230400"] = static_cast<double>(bytes.size()) * 10.0 / 230.4;
}
BENCHMARK(BM_VirtualModuleTransfer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
