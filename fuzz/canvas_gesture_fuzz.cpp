// Any sequence of mouse gestures, keys and commands on the canvas runs
// without a fault, and the history it records always replays completely to
// the drawing the canvas shows after a rebuild.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/canvas/canvas_core.h"
#include "editor/document/linker_actions.h"

namespace {

class Input {
  public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool More() const { return m_at < m_size; }
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    // Client pixels, mostly on the LCD, now and then far beyond it.
    int32_t Coordinate() {
        const uint8_t high = Byte();
        const int32_t value = (high << 8 | Byte()) % 720 - 15;
        return high == 0xFF ? value * 100000 : value;
    }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

void Step(CVylCanvasCore& canvas, Input& in, int64_t& now) {
    const uint8_t op = in.Byte();
    const VyModifiers modifiers{(op & 0x40) != 0, (op & 0x80) != 0};
    now += in.Byte() * 7;
    switch (op % 24) {
        case 0:
            canvas.OnLButtonDown({in.Coordinate(), in.Coordinate()}, modifiers);
            break;
        case 1:
        case 2:
            canvas.OnMouseMove({in.Coordinate(), in.Coordinate()}, modifiers);
            break;
        case 3:
            canvas.OnLButtonUp({in.Coordinate(), in.Coordinate()}, modifiers);
            break;
        case 4:
            canvas.SetTool(in.Byte() % 10);
            break;
        case 5:
            canvas.ProcessKeys(static_cast<VyKey>(in.Byte() % 13), modifiers, true);
            break;
        case 6:
            canvas.OnRButtonDown({in.Coordinate(), in.Coordinate()});
            canvas.OnRButtonUp({in.Coordinate(), in.Coordinate()});
            break;
        case 7: {
            static const char* const kModes[] = {"top",   "bottom",    "left",
                                                 "right", "width",     "height",
                                                 "size",  "horiz_gap", "vert_gap"};
            canvas.Align(kModes[in.Byte() % 9]);
            canvas.OnAgain(1, 1, 1, 1, 1, 1);
            break;
        }
        case 8:
            canvas.LetRightAngleOneSel();
            break;
        case 9:
            JoinNearestEndPoints(canvas.History(), canvas.Group(), canvas.Selection());
            canvas.Rebuild();
            break;
        case 10:
            canvas.AddActionsForDetachSelectedObjectsPointsFromLinker(true);
            break;
        case 11:
            canvas.TypicalRepair(
                CVylObjectRepairAction::Text(kKeyDotSize, std::to_string(in.Byte() % 5)),
                in.Byte() % 2);
            break;
        case 12:
            canvas.HVCenter();
            break;
        case 13:
            canvas.Inflate();
            break;
        case 14:
            canvas.Deflate();
            break;
        case 15:
            canvas.FullLayout();
            break;
        case 16:
            canvas.Grid().SetGridInt("grid_size", in.Byte() % 30);
            break;
        case 17:
            canvas.RecalcCanvasFit(in.Coordinate(), in.Coordinate());
            break;
        case 18:
            canvas.RunCommand(static_cast<VyCanvasCommand>(in.Byte() % 20));
            break;
        case 19: {
            static const char* const kBoxes[] = {"left",   "right", "top",
                                                 "bottom", "width", "height"};
            const int64_t value = int64_t{in.Coordinate()} * (in.Byte() - 128);
            canvas.ChangeRegionBox(kBoxes[in.Byte() % 6], static_cast<int32_t>(std::clamp<int64_t>(
                                                              value, INT32_MIN, INT32_MAX)));
            break;
        }
        case 20:
            canvas.TypeText(std::string(in.Byte() % 8, static_cast<char>(in.Byte())));
            break;
        default:
            canvas.OnMouseMove({in.Coordinate(), in.Coordinate()}, modifiers);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    int64_t now = 0;
    CVylCanvasCore canvas;
    canvas.SetClock([&now] { return now; });
    canvas.RecalcCanvasFit(690, 530);
    for (int steps = 0; in.More() && steps < 400; ++steps) {
        Step(canvas, in, now);
        // Whatever was recorded replays.
        if (canvas.GetMouseState() < kMouseCreating && !canvas.Rebuild()) {
            std::abort();
        }
    }
    return 0;
}
