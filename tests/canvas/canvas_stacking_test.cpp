// The stacking order as the object list changes it, and the selection it
// makes, on the GUI-free canvas.
#include <gtest/gtest.h>

#include "editor/document/stacking_order.h"
#include "tests/support/canvas_driver.h"

namespace {

using Order = std::vector<int32_t>;

struct Stack : CanvasDriver {
    // Four boxes side by side, bottom first.
    Stack() {
        for (int i = 0; i < 4; ++i) {
            uids.push_back(Draw(kToolBox, 10 + 40 * i, 10, 40 + 40 * i, 40));
        }
    }
    Order Z() const { return core.Group().GetZOrderList(); }
    void Select(const Order& selected) { core.SelectUids(selected, selected.front()); }
    Order uids;
};

TEST(CanvasStacking, ARestackIsOneUndoStepOfGoUpAndGoDownActions) {
    Stack c;
    const Order before = c.Z();
    const size_t actions = c.Actions();
    const Order target{c.uids[3], c.uids[0], c.uids[2], c.uids[1]};
    ASSERT_TRUE(c.core.Restack(target, {c.uids[3]}));
    EXPECT_EQ(c.Z(), target);
    // Three swaps bring the top box down, one more swaps the middle pair.
    ASSERT_EQ(c.Actions(), actions + 4);
    for (size_t i = actions; i < c.Actions(); ++i) {
        const int32_t kind = c.core.History().GetAction(i).kind;
        EXPECT_TRUE(kind == kActGoUp || kind == kActGoDown) << kind;
    }
    EXPECT_EQ(c.LastAction().rfind("go_", 0), 0u) << c.LastAction();
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Z(), before);
    EXPECT_EQ(c.core.History().GetCurrentIndex(), static_cast<int64_t>(actions) - 1);
    c.core.RedoEditActionAndDrawAll();
    EXPECT_EQ(c.Z(), target);
    EXPECT_FALSE(c.core.History().IsRedoable());

    // The next change is an undo step of its own.
    c.Select({c.uids[0]});
    c.core.Inflate();
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Z(), target);
}

TEST(CanvasStacking, ARestackThatChangesNothingOrIsNoReorderingIsRefused) {
    Stack c;
    const size_t actions = c.Actions();
    const int redraws = c.host.redraws;
    EXPECT_FALSE(c.core.Restack(c.Z(), {}));
    EXPECT_FALSE(c.core.Restack({c.uids[1], c.uids[0]}, {}));
    EXPECT_FALSE(c.core.Restack({c.uids[1], c.uids[0], c.uids[2], 99}, {}));
    EXPECT_FALSE(c.core.Restack({c.uids[1], c.uids[1], c.uids[2], c.uids[3]}, {}));
    EXPECT_EQ(c.Actions(), actions);
    EXPECT_EQ(c.host.redraws, redraws);
    // The last drawing's undo step is left as it was.
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.core.Group().GetCount(), 3u);
}

TEST(CanvasStacking, FrontAndBackMoveTheWholeSelectionInOneUndoStepEach) {
    Stack c;
    const Order before = c.Z();
    c.Select({c.uids[0], c.uids[2]});
    EXPECT_TRUE(c.core.IsCommandEnabled(VyCanvasCommand::kToFront));
    EXPECT_TRUE(c.core.IsCommandEnabled(VyCanvasCommand::kToBack));
    c.core.RunCommand(VyCanvasCommand::kToFront);
    const Order front{c.uids[1], c.uids[3], c.uids[0], c.uids[2]};
    EXPECT_EQ(c.Z(), front);
    EXPECT_FALSE(c.core.IsCommandEnabled(VyCanvasCommand::kToFront)) << "already there";
    const size_t actions = c.Actions();
    EXPECT_FALSE(c.core.BringToFront());
    EXPECT_EQ(c.Actions(), actions);

    c.core.RunCommand(VyCanvasCommand::kToBack);
    EXPECT_EQ(c.Z(), (Order{c.uids[0], c.uids[2], c.uids[1], c.uids[3]}));
    EXPECT_FALSE(c.core.IsCommandEnabled(VyCanvasCommand::kToBack));
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 2) << "the selection stays";
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Z(), front);
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Z(), before);

    // Nothing selected: nothing to move.
    c.Deselect();
    EXPECT_FALSE(c.core.IsCommandEnabled(VyCanvasCommand::kToFront));
    EXPECT_FALSE(c.core.IsCommandEnabled(VyCanvasCommand::kToBack));
    EXPECT_FALSE(c.core.SendToBack());
}

TEST(CanvasStacking, WhatIsStillTypedIsRecordedBeforeTheRestack) {
    Stack c;
    c.Select({c.uids[1]});
    bool committed = false;
    c.core.AddPendingEditSource([&] {
        if (!committed) {
            committed = true;
            c.core.TypicalRepair(CVylObjectRepairAction::Text(kKeyDotSize, "3"), 0);
        }
    });
    ASSERT_TRUE(c.core.BringToFront());
    EXPECT_TRUE(committed);
    // The restack undoes alone, the typed value after it.
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.Z().back(), c.uids[3]);
    EXPECT_EQ(c.core.Group().GetByObjUid(c.uids[1])->Unique().GetString(kKeyDotSize), "3");
}

TEST(CanvasStacking, SelectingFromTheListSetsTheChiefAndLeavesUnknownUidsOut) {
    Stack c;
    c.Deselect();
    const int status = c.host.statusRefreshes;
    const int panels = c.host.panelRefreshes;
    c.core.SelectUids({c.uids[0], c.uids[2], 77}, c.uids[2]);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 2);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), c.uids[2]);
    EXPECT_EQ(c.core.GetMouseState(), kMouseSelected);
    EXPECT_GT(c.host.statusRefreshes, status);
    EXPECT_GT(c.host.panelRefreshes, panels);
    // A chief that is not selected: the lowest uid leads.
    c.core.SelectUids({c.uids[3], c.uids[1]}, 55);
    EXPECT_EQ(c.core.Selection().GetChiefUid(), c.uids[1]);
    c.core.SelectUids({}, -1);
    EXPECT_EQ(c.core.Selection().GetEverySelCount(), 0);
    EXPECT_EQ(c.core.GetMouseState(), kMouseIdle);
    // One object: the tools take its attributes, as after a click.
    c.core.ToolAttrs().SetString(kKeyDotSize, "7");
    c.core.SelectUids({c.uids[0]}, c.uids[0]);
    EXPECT_EQ(c.core.ToolAttrs().GetString(kKeyDotSize),
              c.core.Group().GetByObjUid(c.uids[0])->Unique().GetString(kKeyDotSize));
}

TEST(CanvasStacking, ChangeListenersHearEveryNotificationAfterTheHost) {
    CanvasDriver c;
    std::vector<int> heard;
    int redrawsSeen = -1;
    const int first = c.core.AddChangeListener([&] {
        heard.push_back(1);
        redrawsSeen = c.host.redraws;
    });
    int second = 0;
    second = c.core.AddChangeListener([&] {
        heard.push_back(2);
        // A listener may remove itself.
        c.core.RemoveChangeListener(second);
    });
    c.core.OnAgain(1, 0, 0, 0, 0, 0);
    EXPECT_EQ(heard, (std::vector<int>{1, 2}));
    EXPECT_EQ(redrawsSeen, c.host.redraws);
    c.Draw(kToolBox, 10, 10, 50, 50);
    EXPECT_EQ(heard.back(), 1);
    EXPECT_EQ(std::count(heard.begin(), heard.end(), 2), 1);
    c.core.RemoveChangeListener(first);
    const size_t count = heard.size();
    c.core.OnAgain(1, 1, 1, 1, 1, 1);
    EXPECT_EQ(heard.size(), count);
    c.core.RemoveChangeListener(12345);
}

}  // namespace
