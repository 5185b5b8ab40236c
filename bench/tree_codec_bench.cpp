// Encoding and decoding of value trees: a small object record, a record with a
// 100 KB bytes value, and a nested record (a group of 1,000 objects).
#include <benchmark/benchmark.h>

#include "bench_drawings.h"

namespace {

CFxAssignGroupEx SmallRecord() {
    CVylObject object;
    object.SetCommonAttrs(12, kObjBox, {100000, 200000, 1000000, 500000});
    object.Unique().SetString("dot_size", "1");
    object.Unique().SetString("color_switch", "1");
    object.Unique().SetString("dotted_spacing", "0");
    CRevolver record;
    object.ToRecord(record);
    CFxAssignGroupEx tree;
    tree.FromRevolver(record);
    return tree;
}

CFxAssignGroupEx LargeBytesRecord() {
    CFxAssignGroupEx tree;
    tree.SetInt("obj_uid", 1);
    tree.SetBytes("bmp_bin", CRevolver::FromBytes(std::string(100 * 1024, '\x5A')));
    return tree;
}

CFxAssignGroupEx NestedRecord() {
    CRevolver bytes;
    MakeMixedDrawing(1000).ObjGroupToRevolver(bytes);
    CFxAssignGroupEx tree;
    tree.FromRevolver(bytes);
    return tree;
}

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

void BM_EncodeSmallRecord(benchmark::State& state) {
    Encode(state, SmallRecord());
}
void BM_DecodeSmallRecord(benchmark::State& state) {
    Decode(state, SmallRecord());
}
void BM_EncodeLargeBytes(benchmark::State& state) {
    Encode(state, LargeBytesRecord());
}
void BM_DecodeLargeBytes(benchmark::State& state) {
    Decode(state, LargeBytesRecord());
}
void BM_EncodeNestedGroup(benchmark::State& state) {
    Encode(state, NestedRecord());
}
void BM_DecodeNestedGroup(benchmark::State& state) {
    Decode(state, NestedRecord());
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

BENCHMARK(BM_EncodeSmallRecord);
BENCHMARK(BM_DecodeSmallRecord);
BENCHMARK(BM_EncodeLargeBytes);
BENCHMARK(BM_DecodeLargeBytes);
BENCHMARK(BM_EncodeNestedGroup);
BENCHMARK(BM_DecodeNestedGroup);
BENCHMARK(BM_GroupToRecord1000);
BENCHMARK(BM_GroupFromRecord1000);
