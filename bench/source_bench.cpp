// Program source generation for a 1,000-object drawing.
#include <benchmark/benchmark.h>

#include "app/source/source_generator.h"
#include "bench/bench_drawings.h"

namespace {

void BM_SourceForMixed1000(benchmark::State& state) {
    CVylObjectGroup group = MakeMixedDrawing(1000);
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    CVylSourceSettings settings;
    settings.TrimAll();
    size_t length = 0;
    for (auto _ : state) {
        const VySourceResult result = GenerateProgramSource(dc, group, settings);
        length = result.text.size();
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1000);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(length));
}

}  // namespace

BENCHMARK(BM_SourceForMixed1000)->Unit(benchmark::kMillisecond);
