// The canvas on a 1,000-object drawing (texts and pictures among them) in a
// 690 x 530 client area: a full redraw (fitted, zoomed, and as the module
// preview) and one drag step; a gesture's release on a 200-object drawing
// with a 10,000-action history (record, rebuild, redraw, the LCD update's
// extraction and the hex pane's); and a session of up to 10,000 edits.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bench/bench_application.h"
#include "bench/bench_drawings.h"
#include "bench/bench_gestures.h"
#include "bench/bench_histories.h"
#include "editor/canvas/canvas_renderer.h"
#include "editor/canvas/hex_listing.h"
#include "editor/document/full_update.h"

namespace {

const QSize kClient(690, 530);

// What the canvas widget does on each of the core's requests, without a
// window: paint into a picture, extract for the module and the hex pane.
class BenchHost : public CVylCanvasHost {
  public:
    explicit BenchHost(CVylCanvasCore& canvas)
        : m_canvas(canvas), m_image(kClient, QImage::Format_RGB32) {}
    void Redraw() override {
        QPainter painter(&m_image);
        m_renderer.Render(painter, m_canvas, kClient);
    }
    void RequestLcdUpdate() override {
        CVylObjectGroup copy = m_canvas.Group();
        VyByteArray bytes;
        VyLengthArray lengths;
        BuildFullLcdUpdate(m_canvas.DeviceContext(), copy, bytes, lengths);
        benchmark::DoNotOptimize(bytes.data());
    }
    void RefreshHexPane() override {
        VyByteArray bytes;
        VyLengthArray lengths;
        ExtractLeadingCommands(m_canvas.DeviceContext(), m_canvas.Group(), kHexPaneByteLimit, bytes,
                               lengths);
        benchmark::DoNotOptimize(
            BuildHexListing(bytes, lengths, m_canvas.DeviceContext(), 16, true));
    }

  private:
    CVylCanvasCore& m_canvas;
    CVylCanvasRenderer m_renderer;
    QImage m_image;
};

void BM_CanvasFullRedraw(benchmark::State& state) {
    EnsureBenchApplication();
    CVylCanvasCore canvas;
    canvas.Group() = MakeCanvasDrawing(1000);
    BenchHost host(canvas);
    host.Redraw();  // fonts and pictures are ready in a running editor
    for (auto _ : state) {
        host.Redraw();
    }
}
BENCHMARK(BM_CanvasFullRedraw)->Unit(benchmark::kMillisecond);

// The same zoomed to a whole scale (the argument), scrolled to the middle
// of the LCD; a scale of 0 is the fit. The scrolling moves a little on each
// redraw, as panning does, so that nothing cached for one view is reused.
void BM_CanvasZoomedRedraw(benchmark::State& state) {
    EnsureBenchApplication();
    CVylCanvasCore canvas;
    canvas.Group() = MakeCanvasDrawing(1000);
    canvas.RecalcCanvasFit(kClient.width(), kClient.height());
    const int scale = static_cast<int>(state.range(0));
    canvas.Zoom().ZoomAbout(scale, {345, 265}, canvas.Fit(), kClient.width(), kClient.height());
    const VyScrollRange range =
        CVylCanvasZoom::RangeOf(kClient.width(), kClient.height(), 320, 240, scale);
    BenchHost host(canvas);
    host.Redraw();
    int step = 0;
    for (auto _ : state) {
        canvas.Zoom().ScrollBy(step++ % 2 == 0 ? 7 : -7, 0, range);
        host.Redraw();
    }
}
BENCHMARK(BM_CanvasZoomedRedraw)->Arg(0)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// The module preview of the same drawing: the full update run through the
// model of the module whenever the commands change, here on every redraw.
void BM_CanvasModulePreviewRedraw(benchmark::State& state) {
    EnsureBenchApplication();
    CVylCanvasCore canvas;
    canvas.Group() = MakeCanvasDrawing(1000);
    canvas.SetModulePreview(true);
    BenchHost host(canvas);
    host.Redraw();
    const int32_t uid = canvas.Group().GetZOrderList().front();
    int step = 0;
    for (auto _ : state) {
        VyRect region = canvas.Group().GetRegion(uid);
        const int32_t dx = step++ % 2 == 0 ? 10000 : -10000;
        region = {region.left + dx, region.top, region.right + dx, region.bottom};
        canvas.Group().ModifyRegion(uid, region);
        host.Redraw();
    }
}
BENCHMARK(BM_CanvasModulePreviewRedraw)->Unit(benchmark::kMillisecond);

// The first object is dragged by its centre: the group changes in place and
// the canvas is drawn again, without a rebuild.
void BM_CanvasDragStep(benchmark::State& state) {
    EnsureBenchApplication();
    CVylCanvasCore canvas;
    canvas.Group() = MakeCanvasDrawing(1000);
    canvas.RecalcCanvasFit(kClient.width(), kClient.height());
    BenchHost host(canvas);
    canvas.SetHost(&host);
    const int32_t uid = canvas.Group().GetZOrderList().front();
    canvas.Selection().SetSingleSelection(uid, true);
    const VyRect region = canvas.Fit().VirtualToScreen(canvas.Group().GetRegion(uid).Normalized());
    const VyPoint centre{(region.left + region.right) / 2, (region.top + region.bottom) / 2};
    canvas.OnMouseMove(centre, {});
    canvas.OnLButtonDown(centre, {});
    int step = 0;
    for (auto _ : state) {
        ++step;
        canvas.OnMouseMove({centre.x + step % 2 * 3, centre.y + step % 2 * 2}, {});
    }
    state.counters["moving"] = canvas.GetMouseState() == kMouseMoving ? 1 : 0;
}
BENCHMARK(BM_CanvasDragStep)->Unit(benchmark::kMillisecond);

// A session of `range(0)` edits through the canvas core, from an empty
// drawing: box and line gestures until 200 objects are there, then moves of
// random objects, with one undo or redo in twenty edits. The time of the
// whole session, and edits a second, show whether a long session slows.
void BM_CanvasSession(benchmark::State& state) {
    EnsureBenchApplication();
    const int edits = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CVylCanvasCore canvas;
        canvas.RecalcCanvasFit(kClient.width(), kClient.height());
        BenchHost host(canvas);
        canvas.SetHost(&host);
        uint32_t random = 12345;
        const auto next = [&random](uint32_t below) {
            random = random * 1103515245U + 12345U;
            return (random >> 8) % below;
        };
        for (int edit = 0; edit < edits; ++edit) {
            if (canvas.Group().GetCount() < kLongLivedObjects) {
                canvas.SetTool(next(2) == 0 ? kToolBox : kToolLine);
                const VyRect lcd = canvas.Fit().VirtualToScreen({0, 0, 3200000, 2400000});
                const VyPoint from{lcd.left + static_cast<int32_t>(next(500)),
                                   lcd.top + static_cast<int32_t>(next(380))};
                canvas.OnLButtonDown(from, {});
                canvas.OnMouseMove({from.x + 30, from.y + 20}, {});
                canvas.OnLButtonUp({from.x + 30, from.y + 20}, {});
                canvas.SetTool(kToolSelect);
            } else if (next(20) == 0) {
                if (next(2) == 0 || !canvas.History().IsRedoable()) {
                    canvas.UndoEditActionAndDrawAll();
                } else {
                    canvas.RedoEditActionAndDrawAll();
                }
            } else {
                const VyPoint release = StartMoveGesture(canvas, static_cast<int>(next(200)));
                canvas.OnLButtonUp(release, {});
            }
        }
        state.counters["actions"] = static_cast<double>(canvas.History().GetCount());
        state.counters["objects"] = static_cast<double>(canvas.Group().GetCount());
    }
    state.counters["edits_per_s"] =
        benchmark::Counter(static_cast<double>(edits) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CanvasSession)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A move gesture on a drawing made by a 10,000-action history: the release
// records the action and brings everything up to date.
void BM_CanvasReleaseWithLongHistory(benchmark::State& state) {
    EnsureBenchApplication();
    CVylCanvasCore canvas;
    CVylEditActionGroup history;
    FillMixedHistory(history, 10000);
    canvas.History().ReplaceWith(history);
    canvas.Rebuild();
    canvas.RecalcCanvasFit(kClient.width(), kClient.height());
    BenchHost host(canvas);
    canvas.SetHost(&host);
    host.Redraw();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const VyPoint release = StartMoveGesture(canvas, step++);
        state.ResumeTiming();
        canvas.OnLButtonUp(release, {});
    }
    state.counters["objects"] = static_cast<double>(canvas.Group().GetCount());
    state.counters["actions"] = static_cast<double>(canvas.History().GetCount());
}
BENCHMARK(BM_CanvasReleaseWithLongHistory)->Unit(benchmark::kMillisecond);

}  // namespace
