// Rebuilding a history's drawing from checkpoints and decoded-on-demand
// actions gives exactly what replaying every action from the first gives,
// whatever the edits, undos, redos, cuts and stored actions that fail.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "editor/document/edit_history.h"
#include "tests/support/exact_drawing.h"
#include "tests/support/stored_history.h"

namespace {

constexpr int32_t kUnit = 10000;

// Random actions of all seventeen kinds over a few uids, so that many of
// them fail (missing objects, existing uids) or change nothing.
class RandomActions {
  public:
    explicit RandomActions(uint32_t seed) : m_random(seed) {}

    CVylEditAction Next(int32_t* uidCounter) {
        const int32_t uid = Int(0, 11);
        switch (Int(1, 17)) {
            case kActCreate:
                return CVylEditAction::Create(uid, Int(2, 9), Rect(), Attrs());
            case kActDelete:
                return CVylEditAction::Delete(uid);
            case kActCreResize:
                return CVylEditAction::CreResize(uid, Rect());
            case kActModResize:
                return CVylEditAction::ModResize(uid, Rect(), Int(0, 1) == 1);
            case kActMoveSingle:
                return CVylEditAction::MoveSingle(uid, Rect());
            case kActRepair:
                return CVylEditAction::Repair(uid, Repair(), Int(0, 1));
            case kActGoUp:
                return CVylEditAction::GoUp(uid);
            case kActGoDown:
                return CVylEditAction::GoDown(uid);
            case kActCreateMulti:
                return CVylEditAction::CreateMulti(Source(), uidCounter);
            case kActDeleteMulti:
                return CVylEditAction::DeleteMulti(Uids());
            case kActModResizeMultiOneCorner:
                return CVylEditAction::ModResizeMultiOneCorner(
                    Uids(), Int(1, 8), {Int(-5, 40) * kUnit, Int(-5, 40) * kUnit});
            case kActModResizeMultiBothCorners:
                return CVylEditAction::ModResizeMultiBothCorners(Uids(), Rect());
            case kActMoveMulti:
                return CVylEditAction::MoveMulti(Uids(), {Int(-3, 3) * kUnit, Int(-3, 3) * kUnit});
            case kActRepairMulti:
                return CVylEditAction::RepairMulti(Uids(), Repair(), Int(0, 1));
            case kActAddLinker:
                return CVylEditAction::AddLinker(Int(0, 3));
            case kActAddPointToLinker:
                return CVylEditAction::AddPointToLinker(Int(0, 3), uid, Int(0, 4));
            default:
                return CVylEditAction::DetachPointFromLinker(Int(0, 3), uid, Int(0, 4));
        }
    }

    int32_t Int(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(m_random);
    }

  private:
    VyRect Rect() {
        const int32_t left = Int(-10, 300);
        const int32_t top = Int(-10, 220);
        return {left * kUnit, top * kUnit, (left + Int(-5, 60)) * kUnit,
                (top + Int(-5, 40)) * kUnit};
    }
    CVylObjectUniqueAttr Attrs() {
        CVylObjectUniqueAttr attrs;
        attrs.SetString("dot_size", std::to_string(Int(1, 3)));
        if (Int(0, 1) == 1) {
            attrs.SetString("text_content", "t" + std::to_string(Int(0, 99)));
        }
        return attrs;
    }
    CVylObjectRepairAction Repair() {
        switch (Int(0, 2)) {
            case 0:
                return CVylObjectRepairAction::Text("dot_size", std::to_string(Int(1, 3)));
            case 1:
                return CVylObjectRepairAction::Bit("bold_state", Int(0, 3), Int(0, 1) == 1);
            default:
                return CVylObjectRepairAction::Text("text_content",
                                                    "r" + std::to_string(Int(0, 9)));
        }
    }
    VyUidSet Uids() {
        VyUidSet uids;
        for (int i = Int(1, 3); i > 0; --i) {
            uids.insert(Int(0, 11));
        }
        return uids;
    }
    CVylObjectGroup Source() {
        CVylObjectGroup source;
        for (int32_t i = Int(0, 2); i > 0; --i) {
            CVylObject object;
            object.SetCommonAttrs(i, Int(2, 9), Rect());
            source.InsertOnTop(i, object);
        }
        return source;
    }

    std::mt19937 m_random;
};

// What replaying every applied action from the first gives.
std::string FullReplay(const CVylEditActionGroup& history, bool* complete) {
    CVylObjectGroup group;
    *complete = group.CreateObjectGroupFromEditActionGroup(history) != 0;
    return ExactDrawingState(group);
}

void ExpectSameAsFullReplay(const CVylEditActionGroup& history, const std::string& step) {
    bool complete = false;
    const std::string full = FullReplay(history, &complete);
    ASSERT_EQ(ExactDrawingState(history.GetCurrentDrawing()), full) << step;
    ASSERT_EQ(history.ReplaysToCurrent(), complete) << step;
}

// A stored history of random actions that were never checked, so that some
// of them fail on replay, read back at a random position.
void ReadStoredHistory(CVylEditActionGroup& history, RandomActions& random) {
    std::vector<CVylEditAction> actions;
    int32_t counter = 20;
    const int count = random.Int(1, 300);
    for (int i = 0; i < count; ++i) {
        actions.push_back(random.Next(&counter));
    }
    CFxAssignGroupEx tree;
    ASSERT_TRUE(tree.FromRevolver(StoredHistoryBytes(actions, counter)));
    tree.SetInt(kKeyAppliedCount, random.Int(0, count));
    CRevolver bytes;
    tree.ToRevolver(bytes);
    CVylEditActionGroup loaded;
    loaded.SetReplayLimits(4, 4, 16);
    ASSERT_TRUE(loaded.EdtActionGrpFromRevolver(bytes, nullptr));
    history.ReplaceWith(loaded);
}

void RunSequence(uint32_t seed, int steps) {
    RandomActions random(seed);
    CVylEditActionGroup history;
    // Small spacing, few checkpoints and few decoded actions: a few thousand
    // steps then thin the checkpoints and decode from records, as a history
    // of a hundred thousand actions does.
    history.SetReplayLimits(4, 4, 16);
    for (int step = 0; step < steps; ++step) {
        const int choice = random.Int(0, 99);
        std::string what;
        if (choice < 70) {
            what = "add";
            history.AddEditAction(random.Next(history.ObjectCounter()));
        } else if (choice < 82) {
            what = "undo";
            history.UndoEditAction();
        } else if (choice < 92) {
            what = "redo";
            history.RedoEditAction();
        } else if (choice < 95) {
            what = "delete last";
            history.DeleteLastAction();
        } else if (choice < 97) {
            what = "swift";
            history.SetLastActionSwift(random.Int(0, 1));
        } else if (choice < 99) {
            what = "save and open";
            CRevolver file;
            ASSERT_TRUE(history.EdtActionGrpToRevolver(file));
            CVylEditActionGroup opened;
            opened.SetReplayLimits(4, 4, 16);
            ASSERT_TRUE(opened.EdtActionGrpFromRevolver(file, nullptr));
            ASSERT_EQ(opened.GetEditActionGroupExp(true), history.GetEditActionGroupExp(true));
            // Opening raises counters behind the uids in use, once; from
            // then on a file saves to the same bytes it was read from.
            CRevolver again;
            ASSERT_TRUE(opened.EdtActionGrpToRevolver(again));
            CVylEditActionGroup reopened;
            CRevolver third;
            ASSERT_TRUE(reopened.EdtActionGrpFromRevolver(again, nullptr));
            ASSERT_TRUE(reopened.EdtActionGrpToRevolver(third));
            // An empty history reads back without its counters.
            if (history.GetCount() != 0) {
                ASSERT_EQ(third.ToString(), again.ToString())
                    << "seed " << seed << " step " << step;
            }
            history.ReplaceWith(opened);
        } else {
            what = "stored history";
            ReadStoredHistory(history, random);
        }
        ExpectSameAsFullReplay(history, "seed " + std::to_string(seed) + " step " +
                                            std::to_string(step) + " (" + what + ")");
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
    EXPECT_LE(history.GetCheckpointCount(), 4U);
}

TEST(CheckpointReplay, RandomHistoriesRebuildAsTheFullReplay) {
    const auto seed = static_cast<uint32_t>(
        std::getenv("VY_SEED") ? std::strtoul(std::getenv("VY_SEED"), nullptr, 10)
                               : std::chrono::steady_clock::now().time_since_epoch().count());
    for (uint32_t run = 0; run < 4; ++run) {
        RunSequence(seed + run, 1500);
        if (HasFatalFailure()) {
            return;
        }
    }
}

// Long runs of actions, then walking back and forth over the whole history
// and jumping about: every position is rebuilt exactly.
TEST(CheckpointReplay, WalkingTheWholeHistory) {
    RandomActions random(7);
    CVylEditActionGroup history;
    history.SetReplayLimits(8, 6, 32);
    while (history.GetCount() < 600) {
        CVylEditAction action = random.Next(history.ObjectCounter());
        action.swift = 0;
        history.AddEditAction(std::move(action));
    }
    EXPECT_EQ(history.GetCheckpointInterval(), 128U);
    for (int back = 0; back < 600; back += 37) {
        for (int i = 0; i < 37; ++i) {
            history.UndoEditAction();
        }
        ExpectSameAsFullReplay(history, "back " + std::to_string(back));
    }
    while (history.IsRedoable()) {
        history.RedoEditAction();
        ExpectSameAsFullReplay(history, "redo at " + std::to_string(history.GetCurrentIndex()));
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_LE(history.GetCheckpointCount(), 6U);
}

// A new action after an undo drops the checkpoints the history no longer
// reaches, and the rebuilt drawing is that of the new branch.
TEST(CheckpointReplay, ANewBranchDropsTheOldCheckpoints) {
    CVylEditActionGroup history;
    history.SetReplayLimits(2, 100, 4);
    for (int32_t uid = 0; uid < 10; ++uid) {
        CVylEditAction create = CVylEditAction::Create(uid, kObjBox, {0, 0, kUnit, kUnit}, {});
        create.swift = 0;
        history.AddEditAction(std::move(create));
    }
    EXPECT_EQ(history.GetCheckpointCount(), 5U);
    for (int i = 0; i < 5; ++i) {
        history.UndoEditAction();
    }
    EXPECT_EQ(history.GetCurrentDrawing().GetCount(), 5U);
    CVylEditAction other = CVylEditAction::Create(50, kObjLine, {0, 0, kUnit, kUnit}, {});
    other.swift = 0;
    ASSERT_TRUE(history.AddEditAction(std::move(other)));
    EXPECT_EQ(history.GetCheckpointCount(), 3U);  // at 2, 4 and the new 6
    for (int i = 0; i < 3; ++i) {
        history.UndoEditAction();
    }
    history.RedoEditAction();
    history.RedoEditAction();
    history.RedoEditAction();
    ExpectSameAsFullReplay(history, "redone");
    EXPECT_NE(history.GetCurrentDrawing().GetByObjUid(50), nullptr);
    EXPECT_EQ(history.GetCurrentDrawing().GetByObjUid(6), nullptr);
}

}  // namespace
