// Replaying edit histories of growing length, and saving and opening a
// project of 10,000 actions.
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

}  // namespace

BENCHMARK(BM_Replay)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_SaveProject10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject10000)->Unit(benchmark::kMillisecond);
