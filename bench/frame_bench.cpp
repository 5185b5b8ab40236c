// The whole editor after a gesture on a 1,000-object drawing made by a
// 10,000-action history: the release records the move, rebuilds the
// drawing, refreshes the status strip and the panels, fills the hex pane,
// starts the LCD update on the virtual module, and the canvas is painted.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>

#include "bench/bench_application.h"
#include "bench/bench_gestures.h"
#include "bench/bench_histories.h"
#include "editor/canvas/hex_pane.h"
#include "editor/frame/editor_frame.h"

namespace {

// Until the module has answered every command of the last update.
void WaitLinkIdle(CVylMSComm& link) {
    while (link.GetNotReturnedCmdCount() != 0 || link.Pool().IsAnyWorkerBusy()) {
        QCoreApplication::processEvents();
    }
}

void BM_EditorGestureCycle(benchmark::State& state) {
    EnsureBenchApplication();
    const QString folder = QDir::tempPath() + QStringLiteral("/vy_bench_editor");
    QDir().mkpath(folder);
    const std::string comm = (folder + QStringLiteral("/comm.cfg")).toStdString();
    CVylMSCommConfig settings;
    settings.SetString("device", "virtual");
    settings.SaveSettings(comm);
    CVylHexPane pane;
    CVyeEditor editor;
    if (!editor.InitEditor(comm, nullptr, QRect(0, 0, 760, 620), &pane, nullptr,
                           folder.toStdString())) {
        state.SkipWithError("the editor does not start");
        return;
    }
    CVylCanvas& canvas = editor.Canvas();
    CVylEditActionGroup history;
    FillMixedHistory(history, 10000);
    canvas.Core().History().ReplaceWith(history);
    canvas.OnAgain(1, 1, 1, 1, 1, 1);
    canvas.repaint();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WaitLinkIdle(editor.Link());
        const VyPoint release = StartMoveGesture(canvas.Core(), step++);
        state.ResumeTiming();
        canvas.Core().OnLButtonUp(release, {});
        canvas.repaint();
    }
    WaitLinkIdle(editor.Link());
    state.counters["objects"] = static_cast<double>(canvas.Core().Group().GetCount());
}
BENCHMARK(BM_EditorGestureCycle)->Unit(benchmark::kMillisecond);

}  // namespace
