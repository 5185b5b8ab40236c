// The whole editor after a gesture on a 200-object drawing made by a
// history of 1,000 to 100,000 actions: the release records the move,
// rebuilds the drawing, refreshes the status strip and the panels, fills the
// hex pane, starts the LCD update on the virtual module, and the canvas is
// painted. Undo and redo of one step on the longest history do the same.
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

// An editor on the virtual module holding a history of `actions` actions.
class BenchEditor {
  public:
    bool Start(int actions) {
        const QString folder = QDir::tempPath() + QStringLiteral("/vy_bench_editor");
        QDir().mkpath(folder);
        const std::string comm = (folder + QStringLiteral("/comm.cfg")).toStdString();
        CVylMSCommConfig settings;
        settings.SetString("device", "virtual");
        settings.SaveSettings(comm);
        if (!m_editor.InitEditor(comm, nullptr, QRect(0, 0, 760, 620), &m_pane, nullptr,
                                 folder.toStdString())) {
            return false;
        }
        CVylEditActionGroup history;
        FillMixedHistory(history, actions);
        Canvas().Core().History().ReplaceWith(history);
        Canvas().OnAgain(1, 1, 1, 1, 1, 1);
        Canvas().repaint();
        WaitLinkIdle(m_editor.Link());
        return true;
    }
    CVylCanvas& Canvas() { return m_editor.Canvas(); }
    CVylMSComm& Link() { return m_editor.Link(); }

  private:
    CVylHexPane m_pane;
    CVyeEditor m_editor;
};

void BM_EditorGestureCycle(benchmark::State& state) {
    EnsureBenchApplication();
    BenchEditor editor;
    if (!editor.Start(static_cast<int>(state.range(0)))) {
        state.SkipWithError("the editor does not start");
        return;
    }
    CVylCanvas& canvas = editor.Canvas();
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
    state.counters["actions"] = static_cast<double>(canvas.Core().History().GetCount());
}
BENCHMARK(BM_EditorGestureCycle)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One step back (argument 0) or forward (1) on the longest history, each
// redraw, panel, hex pane and LCD update included. Undo walks back a step
// at a time, so the steps land at every distance from a checkpoint; redo
// follows two untimed undos, and so walks back as well.
void BM_EditorUndoRedo(benchmark::State& state) {
    EnsureBenchApplication();
    BenchEditor editor;
    if (!editor.Start(100000)) {
        state.SkipWithError("the editor does not start");
        return;
    }
    CVylCanvasCore& core = editor.Canvas().Core();
    const bool redo = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        if (redo) {
            core.UndoEditActionAndDrawAll();
            core.UndoEditActionAndDrawAll();
        }
        WaitLinkIdle(editor.Link());
        state.ResumeTiming();
        if (redo) {
            core.RedoEditActionAndDrawAll();
        } else {
            core.UndoEditActionAndDrawAll();
        }
        editor.Canvas().repaint();
    }
    WaitLinkIdle(editor.Link());
    state.counters["position"] = static_cast<double>(core.History().GetCurrentIndex());
}
BENCHMARK(BM_EditorUndoRedo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
