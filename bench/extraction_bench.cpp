// A full LCD update (text layout included) of a 1,000-object mixed drawing and
// of the bundled sample.
#include <benchmark/benchmark.h>

#include "bench/bench_drawings.h"
#include "editor/document/full_update.h"

namespace {

void Extract(benchmark::State& state, CVylObjectGroup& group) {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    VyByteArray bytes;
    VyLengthArray lengths;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildFullLcdUpdate(dc, group, bytes, lengths));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(group.GetCount()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}

void BM_ExtractMixed1000(benchmark::State& state) {
    CVylObjectGroup group = MakeMixedDrawing(1000);
    Extract(state, group);
}

void BM_ExtractSample(benchmark::State& state) {
    CRevolver file;
    CVylObjectGroup group;
    if (!file.LoadFromFile(VY_SOURCE_ROOT "/samples/showcase.tpl") ||
        !group.ObjGroupFromRevolver(file)) {
        state.SkipWithError("the sample drawing cannot be read");
        return;
    }
    Extract(state, group);
}

}  // namespace

BENCHMARK(BM_ExtractMixed1000);
BENCHMARK(BM_ExtractSample);
