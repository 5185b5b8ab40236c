#include "bench/bench_histories.h"

#include <string>

namespace {

constexpr int32_t kUnit = 10000;

CVylEditAction Edit(int i, int32_t lastUid) {
    // 64-bit: i * 7919 leaves 32 bits past about 271,000 actions.
    const auto uid = static_cast<int32_t>(int64_t{i} * 7919 % (int64_t{lastUid} + 1));
    const VyUidSet some{uid, (uid + 1) % (lastUid + 1), (uid + 3) % (lastUid + 1)};
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

}  // namespace

void FillMixedHistory(CVylEditActionGroup& history, int actions) {
    CVylObjectUniqueAttr attrs;
    attrs.SetString("dot_size", "1");
    attrs.SetString("color_switch", "1");
    int32_t lastUid = -1;
    for (int i = 0; i < actions; ++i) {
        if (i % 10 == 0) {
            lastUid = history.TakeObjectUid();
            const int32_t kind = 2 + lastUid % 6;
            CVylEditAction create =
                CVylEditAction::Create(lastUid, kind,
                                       {lastUid % 280 * kUnit, lastUid % 200 * kUnit,
                                        (lastUid % 280 + 30) * kUnit, (lastUid % 200 + 20) * kUnit},
                                       attrs);
            create.swift = 0;
            history.AddEditAction(std::move(create));
        } else {
            history.AddEditAction(Edit(i, lastUid));
        }
    }
}
