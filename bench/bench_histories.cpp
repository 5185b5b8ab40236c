#include "bench/bench_histories.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int32_t kUnit = 10000;

int32_t Pick(const std::vector<int32_t>& live, int64_t i) {
    return live[static_cast<size_t>(i % static_cast<int64_t>(live.size()))];
}

CVylEditAction Edit(int i, const std::vector<int32_t>& live) {
    // 64-bit: i * 7919 leaves 32 bits past about 271,000 actions.
    const int64_t at = int64_t{i} * 7919;
    const int32_t uid = Pick(live, at);
    const VyUidSet some{uid, Pick(live, at + 1), Pick(live, at + 3)};
    switch (i % 9) {
        case 1:
            return CVylEditAction::MoveSingle(
                uid, {i % 200 * kUnit, 10 * kUnit, (i % 200 + 40) * kUnit, 60 * kUnit});
        case 2:
            return CVylEditAction::Repair(
                uid, CVylObjectRepairAction::Text("dot_size", std::to_string(1 + i % 3)), 0);
        case 3:
            return CVylEditAction::MoveMulti(some, {kUnit, -kUnit});
        case 4:
            return CVylEditAction::ModResize(uid, {0, 0, (20 + i % 50) * kUnit, 30 * kUnit}, true);
        case 5:
            return CVylEditAction::RepairMulti(
                some, CVylObjectRepairAction::Bit("bold_state", i % 2, true), 0);
        case 6:
            return CVylEditAction::ModResizeMultiBothCorners(some, {0, 0, 100 * kUnit, 80 * kUnit});
        case 7:
            return CVylEditAction::GoUp(uid);
        default:
            return CVylEditAction::Repair(
                uid, CVylObjectRepairAction::Text("text_content", "abc " + std::to_string(i)), 0);
    }
}

CVylEditAction CreateNext(CVylEditActionGroup& history, std::vector<int32_t>& live) {
    CVylObjectUniqueAttr attrs;
    attrs.SetString("dot_size", "1");
    attrs.SetString("color_switch", "1");
    const int32_t uid = history.TakeObjectUid();
    live.push_back(uid);
    const int32_t kind = 2 + uid % 6;
    CVylEditAction create = CVylEditAction::Create(
        uid, kind,
        {uid % 280 * kUnit, uid % 200 * kUnit, (uid % 280 + 30) * kUnit, (uid % 200 + 20) * kUnit},
        attrs);
    create.swift = 0;
    return create;
}

CVylEditAction DeleteOne(int i, std::vector<int32_t>& live) {
    const size_t at = static_cast<size_t>(int64_t{i} * 7919 % static_cast<int64_t>(live.size()));
    const int32_t uid = live[at];
    live[at] = live.back();
    live.pop_back();
    return CVylEditAction::Delete(uid);
}

}  // namespace

void FillMixedHistory(CVylEditActionGroup& history, int actions, int objects) {
    std::vector<int32_t> live;
    const int most = std::max(objects, 1);
    // The screen is laid out first, then edited; a delete in every ten
    // actions, followed by a create, keeps it at its size.
    // An edit that changes nothing is refused; the next step records another.
    for (int i = 0; history.GetCount() < static_cast<size_t>(actions); ++i) {
        if (static_cast<int>(live.size()) < most || i % 10 == 0) {
            history.AddEditAction(static_cast<int>(live.size()) >= most
                                      ? DeleteOne(i, live)
                                      : CreateNext(history, live));
        } else {
            history.AddEditAction(Edit(i, live));
        }
    }
}
