// Encoding and decoding of value trees: one object's 20-key record, a record
// with a 100 KB bytes value, and a group of 1,000 objects at every level;
// and the object group's own record both ways.
#include <benchmark/benchmark.h>

#include "bench/bench_drawings.h"
#include "bench/bench_records.h"

namespace {

void Encode(benchmark::State& state, const CFxAssignGroupEx& tree) {
    CRevolver out;
    for (auto _ : state) {
        tree.ToRevolver(out);
        benchmark::DoNotOptimize(out.GetLength());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * out.GetLength());
}

void Decode(benchmark::State& state, const CFxAssignGroupEx& source) {
    CRevolver in;
    source.ToRevolver(in);
    for (auto _ : state) {
        CFxAssignGroupEx tree;
        benchmark::DoNotOptimize(tree.FromRevolver(in));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.GetLength());
}

void BM_EncodeObjectRecord(benchmark::State& state) {
    Encode(state, ToTree(ObjectRecord()));
}
void BM_DecodeObjectRecord(benchmark::State& state) {
    Decode(state, ToTree(ObjectRecord()));
}
void BM_EncodeLargeBytes(benchmark::State& state) {
    Encode(state, ToTree(LargeBytesRecord()));
}
void BM_DecodeLargeBytes(benchmark::State& state) {
    Decode(state, ToTree(LargeBytesRecord()));
}

const BenchGroup& Group1000() {
    static const BenchGroup group = MakeBenchGroup(1000);
    return group;
}

// Every level: each object's two trees, its record, then the group.
void BM_EncodeGroupEveryLevel(benchmark::State& state) {
    const TreeGroup trees = ToTreeGroup(Group1000());
    CRevolver out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeTreeGroup(trees, Group1000().keys, out));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * out.GetLength());
}
void BM_DecodeGroupEveryLevel(benchmark::State& state) {
    CRevolver in;
    EncodeTreeGroup(ToTreeGroup(Group1000()), Group1000().keys, in);
    for (auto _ : state) {
        TreeGroup group;
        benchmark::DoNotOptimize(DecodeTreeGroup(in, Group1000().keys, group));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.GetLength());
}

// The whole group down to every object's attribute trees, both ways.
void BM_GroupToRecord1000(benchmark::State& state) {
    const CVylObjectGroup group = MakeMixedDrawing(1000);
    CRevolver out;
    for (auto _ : state) {
        group.ObjGroupToRevolver(out);
        benchmark::DoNotOptimize(out.GetLength());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * out.GetLength());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1000);
}

void BM_GroupFromRecord1000(benchmark::State& state) {
    CRevolver in;
    MakeMixedDrawing(1000).ObjGroupToRevolver(in);
    for (auto _ : state) {
        CVylObjectGroup group;
        benchmark::DoNotOptimize(group.ObjGroupFromRevolver(in));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.GetLength());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1000);
}

}  // namespace

BENCHMARK(BM_EncodeObjectRecord);
BENCHMARK(BM_DecodeObjectRecord);
BENCHMARK(BM_EncodeLargeBytes);
BENCHMARK(BM_DecodeLargeBytes);
BENCHMARK(BM_EncodeGroupEveryLevel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeGroupEveryLevel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupToRecord1000);
BENCHMARK(BM_GroupFromRecord1000);
