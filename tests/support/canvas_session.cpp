#include "tests/support/canvas_session.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <utility>

#include "editor/document/full_update.h"
#include "editor/image/bmp_codec.h"
#include "editor/image/raster.h"
#include "tests/support/exact_drawing.h"

namespace {

constexpr int32_t kClientWidth = 690;
constexpr int32_t kClientHeight = 530;

VyModifiers ModifiersOf(uint8_t byte) {
    return {(byte & 1) != 0, (byte & 2) != 0};
}

std::string Text(const CFxAssignEntry& entry) {
    switch (entry.GetKind()) {
        case CFxAssignEntry::kInteger:
            return "i" + std::to_string(entry.Integer());
        case CFxAssignEntry::kText:
            return "t" + std::string(entry.Text());
        default:
            return "b" + std::string(entry.Bytes().View());
    }
}

std::string TreeText(const CFxAssignGroupEx& tree) {
    std::map<std::string, std::string> sorted;
    for (const CFxAssignEntry& entry : tree) {
        sorted[std::string(entry.Key())] = Text(entry);
    }
    std::string text;
    for (const auto& [key, value] : sorted) {
        text += key + "=" + value + ";";
    }
    return text;
}

// The bytes a full LCD update of the drawing sends.
std::string UpdateBytes(const CVylDeviceContext& dc, const CVylObjectGroup& group) {
    CVylObjectGroup copy = group;
    VyByteArray bytes;
    VyLengthArray lengths;
    BuildFullLcdUpdate(dc, copy, bytes, lengths);
    std::string text(bytes.begin(), bytes.end());
    for (int32_t length : lengths) {
        text += "," + std::to_string(length);
    }
    return text;
}

// A one-bit picture of the given size with a pattern in it.
std::string PictureFile(int32_t width, int32_t height) {
    VyRaster raster = MakeRaster(width, height, 1);
    raster.palette = {0xFF000000, 0xFFFFFFFF};
    for (size_t i = 0; i < raster.pixels.size(); ++i) {
        raster.pixels[i] = (i % 3 == 0) ? 0 : 1;
    }
    return EncodeBmp(raster);
}

}  // namespace

std::string DrawingText(const CVylObjectGroup& group) {
    std::ostringstream text;
    for (int32_t uid : group.GetZOrderList()) {
        const CVylObject* object = group.GetByObjUid(uid);
        text << uid << ":";
        if (object != nullptr) {
            text << TreeText(object->Common()) << "|" << TreeText(object->Unique());
        }
        text << "\n";
    }
    for (const auto& [linkerUid, linker] : group.GetLinkers()) {
        text << "linker " << linkerUid << ":";
        for (const auto& [key, point] : linker.Points()) {
            text << " " << key;
        }
        text << "\n";
    }
    return text.str();
}

CanvasSession::CanvasSession() {
    m_core.SetClock([this] { return m_now; });
    // Checkpoints every few actions and few decoded ones: a session of a
    // hundred steps rebuilds as a history of a hundred thousand actions does.
    m_core.History().SetReplayLimits(2, 3, 4);
    m_core.RecalcCanvasFit(kClientWidth, kClientHeight);
    m_core.AddPendingEditSource([this] { CommitTypedBox(); });
    m_lastDrawing = DrawingText(m_core.Group());
}

// The status strip applies a typed box when the canvas is about to act.
void CanvasSession::CommitTypedBox() {
    if (!m_typedBox) {
        return;
    }
    const TypedBox box = *m_typedBox;
    m_typedBox.reset();
    if (m_core.Selection().GetChiefUid() != box.uid && m_fault.empty()) {
        m_fault = "(g) a value typed for " + std::to_string(box.uid) + " went to " +
                  std::to_string(m_core.Selection().GetChiefUid());
    }
    m_core.ChangeRegionBox(box.name, box.value);
}

// Client pixels, mostly on the LCD, now and then far beyond it.
VyPoint CanvasSession::Point(const ByteSource& next) const {
    const auto coordinate = [&next] {
        const uint8_t high = next();
        const int32_t value = (high << 8 | next()) % 720 - 15;
        return high == 0xFF ? value * 100000 : value;
    };
    const int32_t x = coordinate();
    return {x, coordinate()};
}

// The centre or a corner of an object of the drawing (where users click and
// grab), or any point when the drawing is empty.
VyPoint CanvasSession::ObjectPoint(const ByteSource& next) const {
    const std::vector<int32_t>& order = m_core.Group().GetZOrderList();
    if (order.empty()) {
        return Point(next);
    }
    const VyRect r = m_core.Group().GetRegion(order[next() % order.size()]);
    const uint8_t where = next() % 5;
    const int64_t x = where == 0 ? (int64_t{r.left} + r.right) / 2 : where % 2 ? r.left : r.right;
    const int64_t y = where == 0 ? (int64_t{r.top} + r.bottom) / 2 : where < 3 ? r.top : r.bottom;
    const VyPoint screen = m_core.Fit().VirtualToScreen(
        VyPoint{static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)),
                static_cast<int32_t>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX))});
    return {screen.x + (next() % 5) - 2, screen.y + (next() % 5) - 2};
}

// A press, a few moves and a release, as a hand makes them.
void CanvasSession::Gesture(const ByteSource& next, VyModifiers modifiers) {
    const VyPoint from = next() % 2 ? ObjectPoint(next) : Point(next);
    const VyPoint to = Point(next);
    m_core.OnMouseMove(from, modifiers);
    m_core.OnLButtonDown(from, modifiers);
    const int steps = 1 + next() % 4;
    for (int i = 1; i <= steps; ++i) {
        m_core.OnMouseMove({static_cast<int32_t>(from.x + (int64_t{to.x} - from.x) * i / steps),
                            static_cast<int32_t>(from.y + (int64_t{to.y} - from.y) * i / steps)},
                           modifiers);
    }
    m_core.OnLButtonUp(to, modifiers);
}

// A value of the shape or text panel, set at once or by a slider drag
// (live previews, then the release records it).
void CanvasSession::PanelValue(const ByteSource& next, bool slider) {
    const uint8_t which = next() % 8;
    const std::string value = std::to_string(static_cast<int>(next() % 30) - 2);
    CVylObjectRepairAction repair;
    switch (which) {
        case 0:
            repair = CVylObjectRepairAction::Text(kKeyDotSize, value);
            break;
        case 1:
            repair = CVylObjectRepairAction::Text(kKeyDottedSpacing, value);
            break;
        case 2:
            repair = CVylObjectRepairAction::Text(kKeyColorSwitch, next() % 2 ? "1" : "0");
            break;
        case 3:
            repair = CVylObjectRepairAction::Bit(kKeyBoldState, next() % 2, next() % 2);
            break;
        case 4:
            repair = CVylObjectRepairAction::Text(kKeyInverse, next() % 2 ? "1" : "0");
            break;
        case 5:
            repair = CVylObjectRepairAction::Text(kKeyUnderline, next() % 2 ? "1" : "0");
            break;
        case 6:
            repair = CVylObjectRepairAction::Text(kKeyKorFontIndex, std::to_string(next() % 3));
            break;
        default:
            repair = CVylObjectRepairAction::Text(kKeyAlnumFontIndex, std::to_string(next() % 2));
            break;
    }
    if (slider) {
        for (int i = next() % 4; i > 0; --i) {
            m_core.TypicalRepair(
                CVylObjectRepairAction::Text(kKeyDotSize, std::to_string(next() % 26)), 1);
        }
    }
    // Now and then the slider's release never comes (a window opened over it).
    if (!slider || next() % 4 != 0) {
        m_core.TypicalRepair(repair, 0);
    }
}

// A region box of the status strip typed into and applied (Enter), or only
// typed, often followed by Tab (which browses to a neighbour).
void CanvasSession::RegionBox(const ByteSource& next, bool typedOnly) {
    static constexpr std::array<const char*, 6> kBoxes = {"left",   "right", "top",
                                                          "bottom", "width", "height"};
    const char* box = kBoxes[next() % kBoxes.size()];
    const int32_t value = static_cast<int32_t>(next() << 8 | next()) % 700 - 100;
    if (typedOnly && m_core.Selection().GetSelState() == 2) {
        m_typedBox = TypedBox{box, value, m_core.Selection().GetChiefUid()};
    } else {
        m_core.ChangeRegionBox(box, value);
    }
    if (next() % 2) {
        m_core.ProcessKeys(VyKey::kTab, {}, false);
    }
}

// The selection saved as a template and loaded again.
void CanvasSession::Template() {
    VyUidSet selected;
    m_core.Selection().GetEverySelUidMap(selected);
    CVylObjectGroup saved;
    int32_t counter = 0;
    saved.AppendObjects(true, m_core.Group(), &counter, &selected, true);
    CRevolver file;
    CVylObjectGroup loaded;
    if (saved.ObjGroupToRevolver(file) && loaded.ObjGroupFromRevolver(file)) {
        m_core.PasteFromObjectGroup(loaded);
    }
}

void CanvasSession::Picture(const ByteSource& next, bool drop) {
    // Mostly small (the checks extract every picture at every step), now
    // and then larger than the LCD.
    const bool large = next() % 16 == 0;
    const int32_t width = 1 + (next() << 8 | next()) % (large ? 400 : 48);
    const int32_t height = 1 + (next() << 8 | next()) % (large ? 300 : 48);
    const std::string bmp = PictureFile(width, height);
    if (drop) {
        m_core.CreatePictureAt(Point(next), bmp);
    } else {
        m_core.LoadChiefPicture(bmp);
    }
}

// The 편집 menu's commands, which act whatever has the focus.
void CanvasSession::MenuCommand(const ByteSource& next) {
    switch (next() % 9) {
        case 0:
            m_core.UndoEditActionAndDrawAll();
            break;
        case 1:
            m_core.RedoEditActionAndDrawAll();
            break;
        case 2:
            m_core.OnCut();
            break;
        case 3:
            m_core.OnCopy();
            break;
        case 4:
            m_core.OnPaste();
            break;
        case 5:
            m_core.OnDeleteObject();
            break;
        case 6:
            m_core.OnTab();
            break;
        case 7:
            m_core.SelectAll();
            break;
        default:
            m_core.OnAgain(1, 1, 1, 1, 1, 1);  // 재전송
            break;
    }
}

// The document saved and opened again, as the studio's open does.
void CanvasSession::OpenSaved() {
    CRevolver file;
    CVylEditActionGroup loaded;
    loaded.SetReplayLimits(2, 3, 4);
    if (m_core.History().EdtActionGrpToRevolver(file) &&
        loaded.EdtActionGrpFromRevolver(file, nullptr)) {
        m_core.History().ReplaceWith(loaded);
        m_core.OnAgain(1, 1, 1, 1, 1, 1);
    }
}

// The operations, the common ones several times, so that short streams
// already draw, pick, delete, undo and redo. The seeds count on this order.
const std::vector<CanvasSession::Operation>& CanvasSession::Operations() {
    using Next = const ByteSource&;
    static const std::vector<Operation> kOperations = [] {
        const Operation draw{"draw", [](CanvasSession& s, Next next, VyModifiers m) {
                                 s.m_core.SetTool(1 + next() % 7);
                                 s.Gesture(next, m);
                             }};
        const Operation click{"click object", [](CanvasSession& s, Next next, VyModifiers m) {
                                  const VyPoint at = s.ObjectPoint(next);
                                  s.m_core.OnMouseMove(at, m);
                                  s.m_core.OnLButtonDown(at, m);
                                  s.m_core.OnLButtonUp(at, m);
                              }};
        const Operation key{"key", [](CanvasSession& s, Next next, VyModifiers m) {
                                const auto key = static_cast<VyKey>(next() % 13);
                                s.m_core.ProcessKeys(key, m, next() % 4 != 0);
                            }};
        const Operation undo{"undo", [](CanvasSession& s, Next, VyModifiers) {
                                 s.m_core.ProcessKeys(VyKey::kZ, {false, true}, true);
                             }};
        const Operation redo{"redo", [](CanvasSession& s, Next, VyModifiers) {
                                 s.m_core.ProcessKeys(VyKey::kY, {false, true}, true);
                             }};
        return std::vector<Operation>{
            {"press",
             [](CanvasSession& s, Next next, VyModifiers m) {
                 s.m_core.OnLButtonDown(next() % 2 ? s.ObjectPoint(next) : s.Point(next), m);
             }},
            {"move",
             [](CanvasSession& s, Next next, VyModifiers m) {
                 s.m_core.OnMouseMove(next() % 2 ? s.ObjectPoint(next) : s.Point(next), m);
             }},
            {"release", [](CanvasSession& s, Next next,
                           VyModifiers m) { s.m_core.OnLButtonUp(s.Point(next), m); }},
            {"gesture", [](CanvasSession& s, Next next, VyModifiers m) { s.Gesture(next, m); }},
            draw,
            draw,
            click,
            click,
            {"tool",
             [](CanvasSession& s, Next next, VyModifiers) { s.m_core.SetTool(next() % 10); }},
            key,
            key,
            {"delete", [](CanvasSession& s, Next,
                          VyModifiers m) { s.m_core.ProcessKeys(VyKey::kDelete, m, true); }},
            {"arrow",
             [](CanvasSession& s, Next next, VyModifiers m) {
                 s.m_core.ProcessKeys(
                     static_cast<VyKey>(static_cast<int>(VyKey::kLeft) + next() % 4), m, true);
             }},
            {"shift up", [](CanvasSession& s, Next, VyModifiers) { s.m_core.OnShiftReleased(); }},
            undo,
            undo,
            redo,
            redo,
            {"popup",
             [](CanvasSession& s, Next next, VyModifiers) {
                 const auto command = static_cast<VyCanvasCommand>(next() % 20);
                 const VyPoint at = s.ObjectPoint(next);
                 s.m_core.OnRButtonDown(at);
                 s.m_core.OnRButtonUp(at);
                 s.m_core.RunCommand(command);
             }},
            {"right angle",
             [](CanvasSession& s, Next, VyModifiers) { s.m_core.LetRightAngleOneSel(); }},
            {"panel value",
             [](CanvasSession& s, Next next, VyModifiers) { s.PanelValue(next, false); }},
            {"slider", [](CanvasSession& s, Next next, VyModifiers) { s.PanelValue(next, true); }},
            {"region box",
             [](CanvasSession& s, Next next, VyModifiers) { s.RegionBox(next, false); }},
            {"type",
             [](CanvasSession& s, Next next, VyModifiers) {
                 const std::string text(next() % 6, static_cast<char>('a' + next() % 26));
                 s.m_core.TypeText(text);
             }},
            {"typed into a region box",
             [](CanvasSession& s, Next next, VyModifiers) { s.RegionBox(next, true); }},
            {"template", [](CanvasSession& s, Next, VyModifiers) { s.Template(); }},
            {"drop picture",
             [](CanvasSession& s, Next next, VyModifiers) { s.Picture(next, true); }},
            {"load picture",
             [](CanvasSession& s, Next next, VyModifiers) { s.Picture(next, false); }},
            {"real size",
             [](CanvasSession& s, Next, VyModifiers) { s.m_core.ResizeChiefToPicture(); }},
            {"grid",
             [](CanvasSession& s, Next next, VyModifiers) {
                 if (next() % 2) {
                     s.m_core.Grid().SetGridInt("use_grid", next() % 2);
                 } else {
                     s.m_core.Grid().SetGridInt("grid_size", static_cast<int>(next() % 40) - 5);
                 }
                 s.m_core.OnAgain(1, 0, 0, 0, 0, 0);
             }},
            {"window size",
             [](CanvasSession& s, Next next, VyModifiers) {
                 s.m_core.RecalcCanvasFit(200 + next() * 4, 150 + next() * 3);
             }},
            {"menu", [](CanvasSession& s, Next next, VyModifiers) { s.MenuCommand(next); }},
            {"new document",
             [](CanvasSession& s, Next, VyModifiers) {
                 s.m_historyReplaced = true;
                 s.m_core.RemoveEveryData();
                 s.m_core.OnAgain(1, 1, 1, 1, 1, 1);
             }},
            {"save and open",
             [](CanvasSession& s, Next, VyModifiers) {
                 s.m_historyReplaced = true;
                 s.OpenSaved();
             }},
        };
    }();
    return kOperations;
}

void CanvasSession::Step(const ByteSource& next) {
    m_historyReplaced = m_typedBox.has_value() || m_core.HasPendingPreview();
    const Operation& operation = Operations()[next() % Operations().size()];
    const VyModifiers modifiers = ModifiersOf(next());
    m_now += next() * 11;
    Note(operation.name);
    operation.run(*this, next, modifiers);
}

std::string CanvasSession::Check() {
    if (!m_fault.empty()) {
        return m_fault;
    }
    const CVylEditActionGroup& history = m_core.History();
    CVylObjectGroup replayed;
    if (!replayed.CreateObjectGroupFromEditActionGroup(history)) {
        return "(a) the history does not replay completely:\n" +
               history.GetEditActionGroupExp(true);
    }
    const std::string drawing = DrawingText(replayed);
    // A drag and a live preview show what is not recorded yet.
    const bool unsettled = m_core.GetMouseState() >= kMouseCreating || m_core.HasPendingPreview();
    if (!unsettled && DrawingText(m_core.Group()) != drawing) {
        return "(b) the drawing shown differs from the replay:\n" + DrawingText(m_core.Group()) +
               "--- replay:\n" + drawing;
    }
    CRevolver file;
    CVylEditActionGroup reopened;
    reopened.SetReplayLimits(2, 3, 4);
    if (!history.EdtActionGrpToRevolver(file) ||
        !reopened.EdtActionGrpFromRevolver(file, nullptr)) {
        return "(c) the history cannot be saved and opened again";
    }
    if (reopened.GetEditActionGroupExp(true) != history.GetEditActionGroupExp(true) ||
        reopened.GetCurrentIndex() != history.GetCurrentIndex()) {
        return "(c) saved and opened again, the history differs:\n" +
               reopened.GetEditActionGroupExp(true) + "\n--- before:\n" +
               history.GetEditActionGroupExp(true);
    }
    CVylObjectGroup reopenedDrawing;
    if (!reopenedDrawing.CreateObjectGroupFromEditActionGroup(reopened) ||
        DrawingText(reopenedDrawing) != drawing) {
        return "(c) saved and opened again, the drawing differs:\n" + DrawingText(reopenedDrawing) +
               "--- before:\n" + drawing;
    }
    VyUidSet selected;
    m_core.Selection().GetEverySelUidMap(selected);
    for (int32_t uid : selected) {
        if (m_core.Group().GetByObjUid(uid) == nullptr) {
            return "(d) the selection holds " + std::to_string(uid) +
                   ", which the drawing does not";
        }
    }
    if (!unsettled && UpdateBytes(m_core.DeviceContext(), m_core.Group()) !=
                          UpdateBytes(m_core.DeviceContext(), replayed)) {
        return "(e) the module would get other bytes than the replayed drawing's";
    }
    const std::string exact = ExactDrawingState(replayed);
    if (ExactDrawingState(history.GetCurrentDrawing()) != exact) {
        return "(h) the drawing rebuilt from checkpoints differs from the full replay:\n" +
               ExactDrawingState(history.GetCurrentDrawing()) + "--- replay:\n" + exact;
    }
    if (ExactDrawingState(reopened.GetCurrentDrawing()) != exact) {
        return "(h) the drawing rebuilt on opening differs from the full replay";
    }
    const bool replaced = std::exchange(m_historyReplaced, false);
    if (drawing == m_lastDrawing && !replaced &&
        (history.GetCount() != m_lastCount || history.GetCurrentIndex() != m_lastIndex)) {
        return "(f) an action that changes nothing was recorded:\n" +
               history.GetEditActionGroupExp(true);
    }
    m_lastDrawing = drawing;
    m_lastCount = history.GetCount();
    m_lastIndex = history.GetCurrentIndex();
    return {};
}

std::string CanvasSession::Trace() const {
    std::string text;
    for (const std::string& line : m_trace) {
        text += line + "\n";
    }
    return text;
}
