// The update of only what changed against the full update, on a 200-object
// screen at 19200 baud: bytes and wire time of one edit of a small object
// (created on top, moved, its attribute changed), and over a random mix of
// edits the median share of the full update's wire time. The time per
// iteration is what planning the update costs the editor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "bench/bench_drawings.h"
#include "editor/link/lcd_screen_mirror.h"
#include "editor/virtual_lcd/lcd_unifont.h"
#include "tests/support/mirror_session.h"

namespace {

constexpr double kBaud = 19200;
constexpr int32_t kUnit = 10000;

double WireMs(int64_t bytes) {
    return static_cast<double>(bytes) * 10.0 * 1000.0 / kBaud;
}

void Report(benchmark::State& state, const VyLcdUpdatePlan& plan) {
    const auto bytes = static_cast<int64_t>(plan.bytes.size());
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["full_bytes"] = static_cast<double>(plan.fullBytes);
    state.counters["wire_ms"] = WireMs(bytes);
    state.counters["full_wire_ms"] = WireMs(plan.fullBytes);
    state.counters["share_pct"] =
        plan.fullBytes > 0 ? 100.0 * static_cast<double>(bytes) / plan.fullBytes : 0;
}

// Each iteration edits the drawing (and edits it back every other time, so
// it does not drift) and plans the update.
void MeasureEdit(benchmark::State& state, CVylObjectGroup drawing,
                 const std::function<void(CVylObjectGroup&, bool)>& edit) {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    CVylLcdScreenMirror mirror(&CVylUnifont::System());
    mirror.PlanUpdate(dc, drawing, true);
    VyLcdUpdatePlan plan;
    bool forth = true;
    for (auto _ : state) {
        edit(drawing, forth);
        forth = !forth;
        plan = mirror.PlanUpdate(dc, drawing, true);
        benchmark::DoNotOptimize(plan.bytes.data());
    }
    // The figures of the edit itself, not of the edit back.
    if (!forth) {
        edit(drawing, false);
        mirror.PlanUpdate(dc, drawing, true);
    }
    edit(drawing, true);
    Report(state, mirror.PlanUpdate(dc, drawing, true));
}

CVylObject SmallBox(int32_t uid) {
    CVylObject box;
    box.SetCommonAttrs(uid, kObjBox, {150 * kUnit, 100 * kUnit, 165 * kUnit, 110 * kUnit});
    box.Unique().SetString("dot_size", "0");
    box.Unique().SetString("color_switch", "1");
    box.Unique().SetString("dotted_spacing", "0");
    return box;
}

CVylObjectGroup Screen(int64_t layout) {
    return layout == 0 ? MakeScreenLayout(200) : MakeCanvasDrawing(200);
}

void BM_OnlyChangesCreateOnTop(benchmark::State& state) {
    MeasureEdit(state, Screen(state.range(0)), [](CVylObjectGroup& drawing, bool forth) {
        if (forth) {
            drawing.InsertOnTop(9000, SmallBox(9000));
        } else {
            drawing.Delete(9000);
        }
    });
}

void BM_OnlyChangesMove(benchmark::State& state) {
    MeasureEdit(state, Screen(state.range(0)), [](CVylObjectGroup& drawing, bool forth) {
        drawing.MoveRegion(101, {(forth ? 3 : -3) * kUnit, 0});
    });
}

void BM_OnlyChangesAttribute(benchmark::State& state) {
    MeasureEdit(state, Screen(state.range(0)), [](CVylObjectGroup& drawing, bool forth) {
        // A frame in the laid-out screen, a line in the dense one.
        drawing.GetByObjUid(104)->Unique().SetString("dot_size", forth ? "3" : "1");
    });
}

// A random mix of edits on the same screen, after it went out whole.
void BM_OnlyChangesRandomMix(benchmark::State& state) {
    std::vector<double> shares;
    for (auto _ : state) {
        std::mt19937 random(7);
        MirrorSession session(MakeScreenLayout(200));
        const MirrorSession::NumberSource next = [&] { return static_cast<uint32_t>(random()); };
        int64_t bytes = session.GetIncrementalBytes();
        int64_t full = session.GetFullBytes();
        for (int step = 0; step < 600; ++step) {
            session.Step(next);
            const int64_t stepBytes = session.GetIncrementalBytes() - bytes;
            const int64_t stepFull = session.GetFullBytes() - full;
            bytes = session.GetIncrementalBytes();
            full = session.GetFullBytes();
            if (step >= 100 && stepFull > 0) {
                shares.push_back(100.0 * static_cast<double>(stepBytes) / stepFull);
            }
        }
        state.counters["total_share_pct"] =
            100.0 * static_cast<double>(session.GetIncrementalBytes()) / session.GetFullBytes();
    }
    std::nth_element(shares.begin(), shares.begin() + shares.size() / 2, shares.end());
    state.counters["median_share_pct"] = shares[shares.size() / 2];
}

}  // namespace

// 0: a laid-out screen of small items; 1: a dense screen of overlapping ones.
BENCHMARK(BM_OnlyChangesCreateOnTop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnlyChangesMove)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnlyChangesAttribute)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnlyChangesRandomMix)->Iterations(1)->Unit(benchmark::kMillisecond);
