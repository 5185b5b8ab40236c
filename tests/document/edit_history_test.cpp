#include "editor/document/edit_history.h"

#include <gtest/gtest.h>

#include "editor/document/edit_pacing.h"
#include "editor/document/object_selection.h"
#include "tests/support/object_builders.h"

namespace {

// A box of the uid, created with the swift flag given.
CVylEditAction Created(int32_t uid, int32_t swift) {
    CVylEditAction action = CVylEditAction::Create(uid, kObjBox, {0, 0, 10000, 10000}, {});
    action.swift = swift;
    return action;
}

// A history that creates uids 1.. with the given swift flags.
void Fill(CVylEditActionGroup& history, std::initializer_list<int32_t> swifts) {
    int32_t uid = 1;
    for (int32_t swift : swifts) {
        history.AddEditAction(Created(uid++, swift));
    }
}

TEST(EditHistory, UndoAndRedoFollowSwiftFlags) {
    CVylEditActionGroup history;
    EXPECT_FALSE(history.IsUndoable());
    EXPECT_FALSE(history.IsRedoable());
    Fill(history, {1, 0, 1, 0});
    history.UndoEditAction();
    EXPECT_EQ(history.GetCurrentIndex(), 1);
    history.UndoEditAction();
    EXPECT_EQ(history.GetCurrentIndex(), -1);
    EXPECT_FALSE(history.IsUndoable());
    history.RedoEditAction();
    EXPECT_EQ(history.GetCurrentIndex(), 1);
    history.RedoEditAction();
    EXPECT_EQ(history.GetCurrentIndex(), 3);
    EXPECT_FALSE(history.IsRedoable());

    // A trailing swift action does not run past the end.
    CVylEditActionGroup open;
    Fill(open, {0, 1});
    open.UndoEditAction();
    open.UndoEditAction();
    open.RedoEditAction();
    EXPECT_EQ(open.GetCurrentIndex(), 0);
    open.RedoEditAction();
    EXPECT_EQ(open.GetCurrentIndex(), 1);
}

TEST(EditHistory, AddingCutsTheUndoneTail) {
    CVylEditActionGroup history;
    int notices = 0;
    history.SetActionAddedSink([&] { ++notices; });
    Fill(history, {0, 0, 0});
    history.UndoEditAction();
    history.AddEditAction(Created(9, 0));
    EXPECT_EQ(history.GetCount(), 3u);
    EXPECT_FALSE(history.IsRedoable());
    EXPECT_EQ(history.GetAction(2).GetUid(), 9);
    history.UndoEditAction();
    history.UndoEditAction();
    history.UndoEditAction();
    history.AddEditAction(Created(7, 0));
    EXPECT_EQ(history.GetCount(), 1u);
    EXPECT_EQ(notices, 5);
}

TEST(EditHistory, DeletingTheLastAction) {
    CVylEditActionGroup history;
    EXPECT_FALSE(history.DeleteLastAction());
    Fill(history, {0, 0, 0});
    history.UndoEditAction();
    ASSERT_TRUE(history.DeleteLastAction());
    EXPECT_EQ(history.GetCurrentIndex(), 1);
    ASSERT_TRUE(history.DeleteLastAction());
    EXPECT_EQ(history.GetCurrentIndex(), 0);
}

TEST(EditHistory, TypingBurstsLeaveOneRepair) {
    CVylEditActionGroup history;
    Fill(history, {0, 0});
    int64_t now = 1000;
    CVylEditPacing pacing([&] { return now; });
    std::string text;
    for (int i = 0; i < 10; ++i) {
        text += static_cast<char>('a' + i);
        AddTextContentChange(history, pacing, 1, text);
        now += 399;
    }
    ASSERT_EQ(history.GetCount(), 3u);
    EXPECT_EQ(history.GetAction(2).repair.textValue, "abcdefghij");
    now += 1;
    AddTextContentChange(history, pacing, 1, "x");
    EXPECT_EQ(history.GetCount(), 4u);

    history.SetSwiftToLastActionIfTextRepair();
    EXPECT_EQ(history.GetAction(3).swift, 1);
    history.AddEditAction(CVylEditAction::MoveSingle(1, {0, 0, 50000, 50000}));
    EXPECT_FALSE(history.DeleteLastActionIfTextRepair());

    // Typing in another object at once keeps the first object's change.
    AddTextContentChange(history, pacing, 1, "one");
    now += 10;
    AddTextContentChange(history, pacing, 2, "two");
    ASSERT_EQ(history.GetCount(), 7u);
    EXPECT_EQ(history.GetAction(5).repair.textValue, "one");
    EXPECT_EQ(history.GetAction(6).repair.textValue, "two");
}

TEST(EditHistory, RepeatedMovesHaveSeparateClocks) {
    int64_t now = 0;
    CVylEditPacing pacing([&] { return now; });
    EXPECT_FALSE(pacing.TakeRepeatedMove(false));
    now = 999;
    EXPECT_TRUE(pacing.TakeRepeatedMove(false));
    EXPECT_FALSE(pacing.TakeRepeatedMove(true));
    now = 1999;
    EXPECT_FALSE(pacing.TakeRepeatedMove(false));
}

TEST(EditHistory, CountersAndReset) {
    CVylEditActionGroup history;
    CVylObjectSelection selection;
    history.AttachSelection(&selection);
    selection.SetMultiSelection({1, 2}, false);
    EXPECT_EQ(history.TakeObjectUid(), 0);
    EXPECT_EQ(history.TakeObjectUid(), 1);
    EXPECT_EQ(history.TakeLinkerUid(), 0);
    *history.ObjectCounter() = 2147483647;
    EXPECT_EQ(history.TakeObjectUid(), 2147483647);
    EXPECT_EQ(history.TakeObjectUid(), 1);
    Fill(history, {0});
    history.ResetAllEditActionGroup();
    EXPECT_EQ(history.GetCount(), 0u);
    EXPECT_EQ(history.GetObjectCounter(), 0);
    EXPECT_EQ(history.GetLinkerCounter(), 0);
    EXPECT_EQ(selection.GetSelState(), 1);
    EXPECT_EQ(selection.GetEverySelCount(), 0);
}

TEST(EditHistory, TextDump) {
    CVylEditActionGroup history;
    EXPECT_EQ(history.GetEditActionGroupExp(false), "");
    for (int32_t uid : {4, 9, 3}) {
        history.AddEditAction(Created(uid, 0));
    }
    history.AddEditAction(CVylEditAction::MoveMulti({4, 9}, {1, 1}));
    history.AddEditAction(
        CVylEditAction::Repair(3, CVylObjectRepairAction::Text("text_content", "x"), 0));
    history.AddEditAction(CVylEditAction::AddLinker(3));
    history.AddEditAction(CVylEditAction::AddPointToLinker(3, 5, 4));
    history.AddEditAction(CVylEditAction::DetachPointFromLinker(3, 5, 4));
    history.AddEditAction(CVylEditAction::Create(0, kObjBox, {0, 0, 200000, 100000}, {}));
    EXPECT_EQ(history.GetEditActionGroupExp(false),
              "create[kind:2] 4 \r\ncreate[kind:2] 9 \r\ncreate[kind:2] 3 \r\n"
              "move_multi 4/9\r\nrepair[text_content] 3 \r\nadd_linker LINKER=3<SW>\r\n"
              "add_point_to_linker 5|4 is LINKED TO 3\r\n"
              "detach_point_from_linker 5|4for 3 is UNLINKED<SW>\r\n"
              "create[kind:2] 0  *<SW>");
    history.UndoEditAction();
    const std::string withRegions = history.GetEditActionGroupExp(true);
    EXPECT_NE(withRegions.find("\r\nadd_point_to_linker 5|4 is LINKED TO 3 *\r\n"),
              std::string::npos);
    EXPECT_NE(withRegions.find("\r\ncreate[kind:2] 0 0,0,200000,100000<SW>"), std::string::npos);
}

TEST(EditHistory, VersionText) {
    EXPECT_EQ(VersionText(120), "v1.20");
    EXPECT_EQ(VersionText(100), "v1.00");
    EXPECT_EQ(VersionText(1305), "v13.05");
}

}  // namespace
