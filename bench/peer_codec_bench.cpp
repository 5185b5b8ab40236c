// Our value trees beside msgpack-c on the same data: one drawing object's
// 20-key record, a record holding 100 KB of bytes, and a group of 1,000
// objects encoded and decoded at every level. Before timing, both sides
// round-trip the data and must give it back unchanged.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <msgpack.hpp>
#include <string>
#include <variant>
#include <vector>

#include "bench/bench_records.h"

namespace {

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "round trip failed: %s\n", what);
        std::abort();
    }
}

// ---- msgpack-c ----

void PackRecord(msgpack::packer<msgpack::sbuffer>& packer, const BenchRecord& record) {
    packer.pack_map(static_cast<uint32_t>(record.size()));
    for (const auto& [key, value] : record) {
        packer.pack(key);
        if (const auto* number = std::get_if<int32_t>(&value)) {
            packer.pack_int32(*number);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            packer.pack(*text);
        } else {
            const std::string& data = std::get<BenchBytes>(value).data;
            packer.pack_bin(static_cast<uint32_t>(data.size()));
            packer.pack_bin_body(data.data(), static_cast<uint32_t>(data.size()));
        }
    }
}

void PackGroup(msgpack::packer<msgpack::sbuffer>& packer, const BenchGroup& group) {
    packer.pack_map(static_cast<uint32_t>(group.common.size() + 2));
    for (size_t i = 0; i < group.common.size(); ++i) {
        packer.pack(group.keys[i]);
        packer.pack_map(2);
        packer.pack(std::string("ca"));
        PackRecord(packer, group.common[i]);
        packer.pack(std::string("ua"));
        PackRecord(packer, group.unique[i]);
    }
    packer.pack(std::string("cnt"));
    packer.pack_int32(static_cast<int32_t>(group.common.size()));
    packer.pack(std::string("uid_z"));
    packer.pack(group.order);
}

BenchRecord FromObject(const msgpack::object& object) {
    BenchRecord record;
    for (const msgpack::object_kv& kv : object.via.map) {
        std::string key(kv.key.via.str.ptr, kv.key.via.str.size);
        switch (kv.val.type) {
            case msgpack::type::POSITIVE_INTEGER:
            case msgpack::type::NEGATIVE_INTEGER:
                record.emplace_back(std::move(key), kv.val.as<int32_t>());
                break;
            case msgpack::type::STR:
                record.emplace_back(std::move(key),
                                    std::string(kv.val.via.str.ptr, kv.val.via.str.size));
                break;
            default:
                record.emplace_back(std::move(key), BenchBytes{std::string(kv.val.via.bin.ptr,
                                                                           kv.val.via.bin.size)});
                break;
        }
    }
    return record;
}

// ---- the record benchmarks ----

void CheckRecord(const BenchRecord& record) {
    CRevolver ours;
    Require(ToTree(record).ToRevolver(ours) != 0, "ours encodes");
    CFxAssignGroupEx back;
    Require(back.FromRevolver(ours) != 0 && FromTree(back) == record, "ours");
    msgpack::sbuffer buffer;
    msgpack::packer<msgpack::sbuffer> packer(buffer);
    PackRecord(packer, record);
    const msgpack::object_handle handle = msgpack::unpack(buffer.data(), buffer.size());
    Require(FromObject(handle.get()) == record, "msgpack-c");
}

void OursEncode(benchmark::State& state, const BenchRecord& record) {
    CheckRecord(record);
    const CFxAssignGroupEx tree = ToTree(record);
    CRevolver out;
    for (auto _ : state) {
        tree.ToRevolver(out);
        benchmark::DoNotOptimize(out.GetLength());
    }
}

void OursDecode(benchmark::State& state, const BenchRecord& record) {
    CheckRecord(record);
    CRevolver in;
    ToTree(record).ToRevolver(in);
    for (auto _ : state) {
        CFxAssignGroupEx tree;
        benchmark::DoNotOptimize(tree.FromRevolver(in));
    }
}

void PeerEncode(benchmark::State& state, const BenchRecord& record) {
    CheckRecord(record);
    msgpack::sbuffer buffer;
    for (auto _ : state) {
        buffer.clear();
        msgpack::packer<msgpack::sbuffer> packer(buffer);
        PackRecord(packer, record);
        benchmark::DoNotOptimize(buffer.size());
    }
}

void PeerDecode(benchmark::State& state, const BenchRecord& record) {
    CheckRecord(record);
    msgpack::sbuffer buffer;
    msgpack::packer<msgpack::sbuffer> packer(buffer);
    PackRecord(packer, record);
    for (auto _ : state) {
        const msgpack::object_handle handle = msgpack::unpack(buffer.data(), buffer.size());
        benchmark::DoNotOptimize(handle.get().via.map.size);
    }
}

BENCHMARK_CAPTURE(OursEncode, ObjectRecord, ObjectRecord());
BENCHMARK_CAPTURE(PeerEncode, ObjectRecord, ObjectRecord());
BENCHMARK_CAPTURE(OursDecode, ObjectRecord, ObjectRecord());
BENCHMARK_CAPTURE(PeerDecode, ObjectRecord, ObjectRecord());
BENCHMARK_CAPTURE(OursEncode, LargeBytes, LargeBytesRecord());
BENCHMARK_CAPTURE(PeerEncode, LargeBytes, LargeBytesRecord());
BENCHMARK_CAPTURE(OursDecode, LargeBytes, LargeBytesRecord());
BENCHMARK_CAPTURE(PeerDecode, LargeBytes, LargeBytesRecord());

// ---- the group, every level ----

const BenchGroup& Group1000() {
    static const BenchGroup group = MakeBenchGroup(1000);
    return group;
}

void CheckGroup(const BenchGroup& group) {
    CRevolver ours;
    Require(EncodeTreeGroup(ToTreeGroup(group), group.keys, ours) != 0, "ours encodes the group");
    TreeGroup back;
    Require(DecodeTreeGroup(ours, group.keys, back) != 0, "ours decodes the group");
    Require(SameGroup(back, group), "ours: the group");
    msgpack::sbuffer buffer;
    msgpack::packer<msgpack::sbuffer> packer(buffer);
    PackGroup(packer, group);
    const msgpack::object_handle handle = msgpack::unpack(buffer.data(), buffer.size());
    const msgpack::object_map& top = handle.get().via.map;
    Require(top.size == group.common.size() + 2, "msgpack-c: size");
    for (size_t i = 0; i < group.common.size(); ++i) {
        const msgpack::object_map& object = top.ptr[i].val.via.map;
        Require(FromObject(object.ptr[0].val) == group.common[i] &&
                    FromObject(object.ptr[1].val) == group.unique[i],
                "msgpack-c: an object");
    }
}

void BM_Ours_Encode_Group1000(benchmark::State& state) {
    CheckGroup(Group1000());
    const TreeGroup trees = ToTreeGroup(Group1000());
    CRevolver out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeTreeGroup(trees, Group1000().keys, out));
    }
}
void BM_Peer_Encode_Group1000(benchmark::State& state) {
    CheckGroup(Group1000());
    msgpack::sbuffer buffer;
    for (auto _ : state) {
        buffer.clear();
        msgpack::packer<msgpack::sbuffer> packer(buffer);
        PackGroup(packer, Group1000());
        benchmark::DoNotOptimize(buffer.size());
    }
}
void BM_Ours_Decode_Group1000(benchmark::State& state) {
    CheckGroup(Group1000());
    CRevolver in;
    EncodeTreeGroup(ToTreeGroup(Group1000()), Group1000().keys, in);
    for (auto _ : state) {
        TreeGroup group;
        benchmark::DoNotOptimize(DecodeTreeGroup(in, Group1000().keys, group));
    }
}
void BM_Peer_Decode_Group1000(benchmark::State& state) {
    CheckGroup(Group1000());
    msgpack::sbuffer buffer;
    msgpack::packer<msgpack::sbuffer> packer(buffer);
    PackGroup(packer, Group1000());
    for (auto _ : state) {
        const msgpack::object_handle handle = msgpack::unpack(buffer.data(), buffer.size());
        benchmark::DoNotOptimize(handle.get().via.map.size);
    }
}
BENCHMARK(BM_Ours_Encode_Group1000)->Name("OursEncode/Group1000")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Peer_Encode_Group1000)->Name("PeerEncode/Group1000")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Ours_Decode_Group1000)->Name("OursDecode/Group1000")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Peer_Decode_Group1000)->Name("PeerDecode/Group1000")->Unit(benchmark::kMicrosecond);

}  // namespace
