// The object list on a 1,000-object drawing (texts and pictures among
// them): its refresh after what a gesture changes (nothing, the selection,
// one object's region, the stacking order), its rows painted, and the whole
// "to the front" of one object (recorded, rebuilt, the list refreshed).
#include <benchmark/benchmark.h>

#include <QListView>

#include "app/studio/object_list_dock.h"
#include "bench/bench_application.h"
#include "bench/bench_drawings.h"

namespace {

enum VyListChange { kNothing, kSelection, kRegion, kOrder };

// A canvas without a window holding the drawing (recorded, as a user's is)
// and the list shown beside it.
struct ListBench {
    ListBench() : dock(canvas) {
        canvas.Core().PasteFromObjectGroup(MakeCanvasDrawing(1000));
        dock.resize(320, 600);
        dock.show();
        dock.Refresh();
        dock.View().viewport()->repaint();
    }
    CVylCanvasCore& Core() { return canvas.Core(); }

    CVylCanvas canvas;
    CObjectListDock dock;
};

// What the gesture left changed, made without telling the list.
void Change(ListBench& bench, VyListChange change, int step) {
    CVylCanvasCore& core = bench.Core();
    const std::vector<int32_t>& order = core.Group().GetZOrderList();
    const int32_t uid = order[static_cast<size_t>(step * 37) % order.size()];
    switch (change) {
        case kSelection:
            core.Selection().SetSingleSelection(uid, false);
            break;
        case kRegion:
            core.Group().MoveRegion(uid, {step % 2 == 0 ? 10000 : -10000, 0});
            break;
        case kOrder:
            core.Group().MoveUidUp(order.front());
            break;
        default:
            break;
    }
}

void BM_ObjectListRefresh(benchmark::State& state) {
    EnsureBenchApplication();
    ListBench bench;
    const auto change = static_cast<VyListChange>(state.range(0));
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Change(bench, change, step++);
        state.ResumeTiming();
        bench.dock.Refresh();
        bench.dock.View().viewport()->repaint();
    }
    state.counters["rows"] = bench.dock.Model().rowCount();
}
BENCHMARK(BM_ObjectListRefresh)
    ->ArgName("change")
    ->Arg(kNothing)
    ->Arg(kSelection)
    ->Arg(kRegion)
    ->Arg(kOrder)
    ->Unit(benchmark::kMillisecond);

// The bottom object to the front and back again, one iteration each way:
// 999 go_up or go_down actions recorded as one undo step, then the rebuild
// and the list's refresh that the canvas's notification brings.
void BM_ObjectListBringToFront(benchmark::State& state) {
    EnsureBenchApplication();
    ListBench bench;
    CVylCanvasCore& core = bench.Core();
    const int32_t uid = core.Group().GetZOrderList().front();
    core.SelectUids({uid}, uid);
    bool front = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(front ? core.BringToFront() : core.SendToBack());
        front = !front;
    }
    state.counters["actions"] = static_cast<double>(core.History().GetCount());
}
BENCHMARK(BM_ObjectListBringToFront)->Unit(benchmark::kMillisecond);

}  // namespace
