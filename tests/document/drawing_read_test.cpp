// The drawing-only read must give what reading the whole history and
// replaying it gives, for every file a full read accepts or refuses.
#include "editor/document/drawing_read.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/document/edit_history.h"
#include "tests/support/object_builders.h"

namespace {

constexpr int32_t U = kUnit;

CVylEditAction Box(int32_t uid, int i) {
    return CVylEditAction::Create(uid, kObjBox, {i * U, 0, (i + 5) * U, 5 * U},
                                  MakeShape(0, kObjBox, 0, 0, 0, 0).Unique());
}

CRevolver ProjectBytes(int boxes) {
    CVylEditActionGroup history;
    for (int i = 0; i < boxes; ++i) {
        history.AddEditAction(Box(history.TakeObjectUid(), i));
        history.AddEditAction(CVylEditAction::MoveSingle(i, {i * U, U, (i + 5) * U, 6 * U}));
    }
    CRevolver bytes;
    history.EdtActionGrpToRevolver(bytes);
    return bytes;
}

CRevolver Encoded(const CVylObjectGroup& group) {
    CRevolver bytes;
    group.ObjGroupToRevolver(bytes);
    return bytes;
}

// The full read: the whole history decoded, then replayed.
struct FullRead {
    int ok = 0;
    bool complete = true;
    CVylObjectGroup group;
};

FullRead ReadWhole(const CRevolver& bytes) {
    FullRead full;
    CVylEditActionGroup history;
    full.ok = history.EdtActionGrpFromRevolver(bytes, nullptr);
    if (full.ok) {
        full.complete = full.group.CreateObjectGroupFromEditActionGroup(history) != 0;
    }
    return full;
}

void ExpectSameAsWholeRead(const CRevolver& bytes) {
    const FullRead full = ReadWhole(bytes);
    CVylObjectGroup group;
    VyDrawingRead read;
    const int ok = ReadDrawingFromBytes(bytes, group, read);
    EXPECT_TRUE(read.isProject);
    ASSERT_EQ(ok, full.ok);
    if (ok) {
        EXPECT_EQ(read.complete, full.complete);
        EXPECT_EQ(Encoded(group), Encoded(full.group));
    }
}

// The project's tree with changes, written again.
template <typename Change>
CRevolver Changed(const CRevolver& bytes, Change&& change) {
    CFxAssignGroupEx tree;
    tree.FromRevolver(bytes);
    change(tree);
    CRevolver out;
    tree.ToRevolver(out);
    return out;
}

TEST(DrawingRead, ProjectsReadAsTheirReplay) {
    ExpectSameAsWholeRead(ProjectBytes(0));
    ExpectSameAsWholeRead(ProjectBytes(5));
    // Actions out of order, an action missing, a count short of the actions.
    const CRevolver five = ProjectBytes(5);
    ExpectSameAsWholeRead(Changed(five, [](CFxAssignGroupEx& tree) {
        CRevolver first;
        tree.GetBytes("a0", &first);
        tree.Remove("a0");
        tree.SetBytes("a0", first);
    }));
    ExpectSameAsWholeRead(Changed(five, [](CFxAssignGroupEx& tree) { tree.Remove("a9"); }));
    ExpectSameAsWholeRead(
        Changed(five, [](CFxAssignGroupEx& tree) { tree.SetInt("action_count", 3); }));
    ExpectSameAsWholeRead(
        Changed(five, [](CFxAssignGroupEx& tree) { tree.SetInt("action_count", -2); }));
    ExpectSameAsWholeRead(Changed(five, [](CFxAssignGroupEx& tree) { tree.SetInt("a4", 1); }));
    ExpectSameAsWholeRead(Changed(five, [](CFxAssignGroupEx& tree) { tree.SetInt("ctoc", -1); }));
    // Saved with actions undone, and with a position no file should hold.
    for (const int32_t applied : {0, 3, 7, 10, 42, -1}) {
        ExpectSameAsWholeRead(Changed(
            five, [applied](CFxAssignGroupEx& tree) { tree.SetInt("applied_count", applied); }));
    }
}

TEST(DrawingRead, AStoppedReplayAndANewerEditor) {
    // A second create of uid 0 stops the replay after the first box.
    const CRevolver twice = Changed(ProjectBytes(2), [](CFxAssignGroupEx& tree) {
        CRevolver first;
        tree.GetBytes("a0", &first);
        tree.SetBytes("a2", first);
    });
    ExpectSameAsWholeRead(twice);
    CVylObjectGroup group;
    VyDrawingRead read;
    ASSERT_TRUE(ReadDrawingFromBytes(twice, group, read));
    EXPECT_FALSE(read.complete);
    EXPECT_EQ(group.GetZOrderList().size(), 1u);

    const CRevolver newer =
        Changed(ProjectBytes(1), [](CFxAssignGroupEx& tree) { tree.SetInt("min_ver", 500); });
    EXPECT_FALSE(ReadDrawingFromBytes(newer, group, read));
    EXPECT_EQ(read.required, 500);
    const CRevolver cut = CRevolver::FromBytes(ProjectBytes(3).View().substr(0, 200));
    ExpectSameAsWholeRead(cut);
}

TEST(DrawingRead, TemplatesReadAsObjectGroups) {
    CVylObjectGroup source;
    for (int i = 0; i < 3; ++i) {
        source.InsertOnTop(i, MakeShape(i, kObjBox, i * U, 0, (i + 2) * U, 2 * U));
    }
    CVylObjectGroup group;
    VyDrawingRead read;
    ASSERT_TRUE(ReadDrawingFromBytes(Encoded(source), group, read));
    EXPECT_FALSE(read.isProject);
    EXPECT_EQ(Encoded(group), Encoded(source));
    EXPECT_FALSE(ReadDrawingFromBytes(CRevolver::FromBytes("\x89PNG"), group, read));
    EXPECT_FALSE(read.isProject);
}

}  // namespace
