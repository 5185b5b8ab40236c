#include "editor/link/lcd_screen_mirror.h"

#include <algorithm>
#include <unordered_set>

#include "editor/command/extract_context.h"
#include "editor/document/full_update.h"

namespace {

// Room around each box. The virtual module draws dot for dot as the module
// does, so none is needed; a margin would make touching neighbours on a
// tightly laid out screen redraw one another in a chain.
constexpr int32_t kMargin = 0;
// Beyond this share of the full update's bytes the full update goes
// instead: it is hardly longer and needs no reckoning with the screen.
constexpr double kFullShare = 0.7;
constexpr size_t kBoxCacheLimit = 20000;
constexpr int32_t kUnitsPerDot = 10000;

// Objects in a list, bottom first, read as a drawing by the extraction.
class CVylObjectList : public CVylObjectSource {
  public:
    void Add(int32_t uid, const CVylObject* object) {
        m_order.push_back(uid);
        m_objects[uid] = object;
    }
    const std::vector<int32_t>& GetZOrderList() const override { return m_order; }
    const CVylObject* GetByObjUid(int32_t uid) const override {
        const auto it = m_objects.find(uid);
        return it == m_objects.end() ? nullptr : it->second;
    }

  private:
    std::vector<int32_t> m_order;
    std::unordered_map<int32_t, const CVylObject*> m_objects;
};

VyDotBox Union(const VyDotBox& a, const VyDotBox& b) {
    if (a.IsEmpty()) {
        return b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The object's own region in dots, on the screen: a module's glyphs may
// fill more of their cells than the virtual module's do.
VyDotBox RegionBox(const CVylObject& object) {
    const VyRect region = object.GetRegion().Normalized();
    const VyDotBox box{std::max(region.left / kUnitsPerDot, 0),
                       std::max(region.top / kUnitsPerDot, 0),
                       std::min(region.right / kUnitsPerDot, kLcdWidth - 1),
                       std::min(region.bottom / kUnitsPerDot, kLcdHeight - 1)};
    return box;
}

// The indices into old positions that keep their order: the longest
// increasing run (patience sorting), as flags over the candidates.
std::vector<bool> KeepInOrder(const std::vector<size_t>& oldIndex) {
    std::vector<size_t> tails;  // candidate index ending the best run of each length
    std::vector<ptrdiff_t> before(oldIndex.size(), -1);
    for (size_t i = 0; i < oldIndex.size(); ++i) {
        const auto at =
            std::lower_bound(tails.begin(), tails.end(), oldIndex[i],
                             [&](size_t tail, size_t value) { return oldIndex[tail] < value; });
        if (at != tails.begin()) {
            before[i] = static_cast<ptrdiff_t>(*(at - 1));
        }
        if (at == tails.end()) {
            tails.push_back(i);
        } else {
            *at = i;
        }
    }
    std::vector<bool> kept(oldIndex.size(), false);
    for (ptrdiff_t i = tails.empty() ? -1 : static_cast<ptrdiff_t>(tails.back()); i >= 0;
         i = before[static_cast<size_t>(i)]) {
        kept[static_cast<size_t>(i)] = true;
    }
    return kept;
}

bool IntersectsAny(const VyDotBox& box, const std::vector<VyDotBox>& boxes) {
    return std::any_of(boxes.begin(), boxes.end(),
                       [&](const VyDotBox& other) { return box.Intersects(other); });
}

// A filled box with its dots off: the eraser.
CVylObject EraserFor(int32_t uid, const VyDotBox& box) {
    CVylObject eraser;
    eraser.SetCommonAttrs(uid, kObjFilledBox,
                          {box.left * kUnitsPerDot, box.top * kUnitsPerDot,
                           box.right * kUnitsPerDot, box.bottom * kUnitsPerDot});
    eraser.Unique().SetString(kKeyColorSwitch, "0");
    return eraser;
}

}  // namespace

CVylLcdScreenMirror::CVylLcdScreenMirror(const CVylUnifont* glyphs) {
    m_measure.SetGlyphs(glyphs);
}

VyDotBox CVylLcdScreenMirror::BoxOf(const std::string& commands, const CVylObject& object) {
    const auto found = m_boxes.find(commands);
    VyDotBox written;
    if (found != m_boxes.end()) {
        written = found->second;
    } else {
        m_measure.ResetTouched();
        m_measure.Feed(commands);
        written = m_measure.GetFrame().GetTouched();
        if (m_boxes.size() >= kBoxCacheLimit) {
            m_boxes.clear();
        }
        m_boxes.emplace(commands, written);
    }
    return Union(written, RegionBox(object)).Grown(kMargin);
}

bool CVylLcdScreenMirror::Describe(const CVylDeviceContext& dc, const CVylObjectGroup& drawing,
                                   std::vector<Drawn>* out) {
    CVylCmdExtractContext context;
    context.Init(&dc, &drawing);
    out->reserve(drawing.GetZOrderList().size());
    VyByteArray bytes;
    for (int32_t uid : drawing.GetZOrderList()) {
        const CVylObject* object = drawing.GetByObjUid(uid);
        bytes.clear();
        if (object == nullptr || context.ExtractAlone(*object, bytes, nullptr) != kExtractOk) {
            return false;
        }
        Drawn& drawn = out->emplace_back();
        drawn.uid = uid;
        drawn.commands.assign(bytes.begin(), bytes.end());
        // The box is of the region as well, so the region is part of the key.
        drawn.box = BoxOf(drawn.commands, *object);
    }
    return true;
}

VyLcdUpdatePlan CVylLcdScreenMirror::PlanUpdate(const CVylDeviceContext& dc,
                                                const CVylObjectGroup& drawing, bool onlyChanges) {
    VyLcdUpdatePlan plan;
    plan.status = BuildFullLcdUpdate(dc, drawing, plan.bytes, plan.lengths);
    // The objects are described with their text lines laid out, on a copy:
    // the drawing stays as it is.
    CVylObjectGroup copy(drawing);
    plan.fullBytes = static_cast<int64_t>(plan.bytes.size());
    std::vector<Drawn> now;
    copy.AdoptLoops(dc);
    const bool described = plan.status == kExtractOk && Describe(dc, copy, &now);
    if (described && onlyChanges && m_known) {
        VyLcdUpdatePlan changes;
        changes.fullBytes = plan.fullBytes;
        if (PlanChanges(dc, copy, now, &changes) &&
            static_cast<double>(changes.bytes.size()) <
                kFullShare * static_cast<double>(plan.fullBytes)) {
            changes.full = false;
            plan = std::move(changes);
        }
    }
    copy.ReleaseLoops();
    // A drawing whose commands fail leaves a screen nobody reckons with.
    m_known = described;
    m_sent = std::move(now);
    return plan;
}

bool CVylLcdScreenMirror::PlanChanges(const CVylDeviceContext& dc, const CVylObjectGroup& drawing,
                                      const std::vector<Drawn>& now, VyLcdUpdatePlan* plan) const {
    // Objects whose commands stayed the same, in both stacking orders.
    std::unordered_map<int32_t, size_t> oldPosition;
    for (size_t i = 0; i < m_sent.size(); ++i) {
        oldPosition.emplace(m_sent[i].uid, i);
    }
    std::vector<size_t> candidates;  // into now
    std::vector<size_t> candidateOld;
    for (size_t i = 0; i < now.size(); ++i) {
        const auto it = oldPosition.find(now[i].uid);
        if (it != oldPosition.end() && m_sent[it->second].commands == now[i].commands) {
            candidates.push_back(i);
            candidateOld.push_back(it->second);
        }
    }
    // Of those, the most that keep their order stay untouched; the others
    // count as moved in the stack.
    const std::vector<bool> inOrder = KeepInOrder(candidateOld);
    std::vector<bool> keptNow(now.size(), false);
    std::vector<bool> keptOld(m_sent.size(), false);
    for (size_t c = 0; c < candidates.size(); ++c) {
        if (inOrder[c]) {
            keptNow[candidates[c]] = true;
            keptOld[candidateOld[c]] = true;
        }
    }
    std::vector<VyDotBox> erased;
    for (size_t i = 0; i < m_sent.size(); ++i) {
        if (!keptOld[i] && !m_sent[i].box.IsEmpty()) {
            erased.push_back(m_sent[i].box);
        }
    }
    // Bottom to top: an object is redrawn when it changed, writes where was
    // erased, or overlaps one redrawn below it (whose redraw paints over it).
    std::vector<VyDotBox> redrawn;
    CVylObjectList list;
    std::vector<CVylObject> erasers;
    erasers.reserve(erased.size());
    for (size_t i = 0; i < erased.size(); ++i) {
        erasers.push_back(EraserFor(-1 - static_cast<int32_t>(i), erased[i]));
    }
    for (const CVylObject& eraser : erasers) {
        list.Add(eraser.GetUid(), &eraser);
    }
    for (size_t i = 0; i < now.size(); ++i) {
        const VyDotBox& box = now[i].box;
        if (keptNow[i] && !IntersectsAny(box, erased) && !IntersectsAny(box, redrawn)) {
            continue;
        }
        redrawn.push_back(box);
        list.Add(now[i].uid, drawing.GetByObjUid(now[i].uid));
    }
    CVylCmdExtractContext context;
    context.Init(&dc, &list);
    context.ExtractCmdByteArrayAndAppend(plan->bytes, &plan->lengths);
    plan->status = context.GetStatus();
    return plan->status == kExtractOk;
}
