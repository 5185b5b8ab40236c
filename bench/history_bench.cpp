// Replaying edit histories of growing length in full, undoing one step of
// a long one, and saving and opening a project of 10,000 actions.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/bench_histories.h"

namespace {

void BM_Replay(benchmark::State& state) {
    CVylEditActionGroup history;
    FillMixedHistory(history, static_cast<int>(state.range(0)));
    CVylObjectGroup group;
    for (auto _ : state) {
        benchmark::DoNotOptimize(group.CreateObjectGroupFromEditActionGroup(history));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
    state.counters["objects"] = static_cast<double>(group.GetCount());
}

std::string ProjectPath() {
    return (std::filesystem::temp_directory_path() / "vy_bench_project.vyd").string();
}

void BM_SaveProject10000(benchmark::State& state) {
    CVylEditActionGroup history;
    FillMixedHistory(history, 10000);
    const std::string path = ProjectPath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.EditActionGroupToFile(path));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_OpenProject10000(benchmark::State& state) {
    CVylEditActionGroup written;
    FillMixedHistory(written, 10000);
    const std::string path = ProjectPath();
    written.EditActionGroupToFile(path);
    CVylEditActionGroup history;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.EditActionGroupFromFile(path, nullptr));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

// The history of a 100,000-action project just opened (argument 0) or
// recorded in this session (1): one step back, and the drawing rebuilt,
// walking back a step an iteration. Before checkpoints, every step replayed
// the history from its first action (BM_Replay).
void BM_UndoOneStep100000(benchmark::State& state) {
    CVylEditActionGroup history;
    if (state.range(0) == 0) {
        CVylEditActionGroup written;
        FillMixedHistory(written, 100000);
        CRevolver bytes;
        written.EdtActionGrpToRevolver(bytes);
        history.EdtActionGrpFromRevolver(bytes, nullptr);
    } else {
        FillMixedHistory(history, 100000);
    }
    for (auto _ : state) {
        history.UndoEditAction();
        benchmark::DoNotOptimize(history.GetCurrentDrawing().GetCount());
    }
    state.counters["checkpoints"] = static_cast<double>(history.GetCheckpointCount());
    state.counters["interval"] = static_cast<double>(history.GetCheckpointInterval());
}

}  // namespace

BENCHMARK(BM_UndoOneStep100000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Replay)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject10000)->Unit(benchmark::kMillisecond);
