#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string_view>

#include "editor/document/edit_history.h"
#include "editor/document/project_format.h"
#include "tests/support/object_builders.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int32_t U = kUnit;

void Draw(CVylEditActionGroup& history, int count) {
    for (int i = 0; i < count; ++i) {
        const int32_t uid = history.TakeObjectUid();
        CVylEditAction create = CVylEditAction::Create(uid, kObjBox, {i * U, 0, (i + 5) * U, 5 * U},
                                                       MakeShape(0, kObjBox, 0, 0, 0, 0).Unique());
        create.swift = 0;  // one undo step each
        history.AddEditAction(std::move(create));
    }
}

CFxAssignGroupEx FileTree(const CVylEditActionGroup& history) {
    CRevolver bytes;
    history.EdtActionGrpToRevolver(bytes);
    CFxAssignGroupEx tree;
    tree.FromRevolver(bytes);
    return tree;
}

CRevolver Encode(const CFxAssignGroupEx& tree) {
    CRevolver bytes;
    tree.ToRevolver(bytes);
    return bytes;
}

TEST(ProjectFile, WrittenKeys) {
    CVylEditActionGroup history;
    Draw(history, 2);
    const CFxAssignGroupEx tree = FileTree(history);
    EXPECT_EQ(tree.GetInt("action_count", 0), 2);
    EXPECT_EQ(tree.GetInt("ctoc", 0), 2);
    EXPECT_EQ(tree.GetInt("this_ver", 0), 100);
    EXPECT_EQ(tree.GetInt("min_ver", 0), 100);
    EXPECT_EQ(tree.GetString("internal_file_type"), "vyd");
    EXPECT_EQ(tree.GetString("lcd_type"), "3224");
    EXPECT_EQ(tree.GetString("reserved_87362"), "18932");
    EXPECT_TRUE(tree.Has("a1"));
}

TEST(ProjectFile, TheUndonePositionComesBack) {
    CVylEditActionGroup history;
    Draw(history, 10);
    history.TakeLinkerUid();
    CRevolver whole;
    ASSERT_TRUE(history.EdtActionGrpToRevolver(whole));
    for (int i = 0; i < 3; ++i) {
        history.UndoEditAction();
    }
    CRevolver bytes;
    ASSERT_TRUE(history.EdtActionGrpToRevolver(bytes));
    CVylEditActionGroup back;
    int32_t required = -1;
    ASSERT_TRUE(back.EdtActionGrpFromRevolver(bytes, &required));
    EXPECT_EQ(required, 0);
    EXPECT_EQ(back.GetCount(), 10u);
    EXPECT_EQ(back.GetCurrentIndex(), 6);
    EXPECT_EQ(back.GetObjectCounter(), 10);
    EXPECT_EQ(back.GetLinkerCounter(), 1);
    CVylObjectGroup group;
    ASSERT_TRUE(group.CreateObjectGroupFromEditActionGroup(back));
    EXPECT_EQ(group.GetCount(), 7u);
    back.RedoEditAction();
    EXPECT_EQ(back.GetCurrentIndex(), 7);

    // A history with every action applied is written as before, and a file
    // without the position (older ones) opens with every action applied.
    CFxAssignGroupEx tree;
    ASSERT_TRUE(tree.FromRevolver(whole));
    EXPECT_FALSE(tree.Has(kKeyAppliedCount));
    CFxAssignGroupEx partial = FileTree(history);
    EXPECT_EQ(partial.GetInt(kKeyAppliedCount, -1), 7);
    partial.Remove(kKeyAppliedCount);
    ASSERT_TRUE(back.EdtActionGrpFromRevolver(Encode(partial), nullptr));
    EXPECT_EQ(back.GetCurrentIndex(), 9);
    // Out of range, it is taken as far as it can go.
    partial.SetInt(kKeyAppliedCount, 99);
    ASSERT_TRUE(back.EdtActionGrpFromRevolver(Encode(partial), nullptr));
    EXPECT_EQ(back.GetCurrentIndex(), 9);
    partial.SetInt(kKeyAppliedCount, -4);
    ASSERT_TRUE(back.EdtActionGrpFromRevolver(Encode(partial), nullptr));
    EXPECT_EQ(back.GetCurrentIndex(), -1);
}

// A damaged file whose counters lag behind its uids must not hand out the
// uids of existing objects again.
TEST(ProjectFile, CountersLaggingBehindTheUidsAreRaised) {
    CVylEditActionGroup history;
    Draw(history, 3);
    history.AddEditAction(CVylEditAction::AddLinker(4));
    history.AddEditAction(CVylEditAction::AddPointToLinker(4, 2, 0));
    CFxAssignGroupEx tree = FileTree(history);
    tree.SetInt("ctoc", 0);
    tree.SetInt("ctlc", 0);
    CVylEditActionGroup back;
    ASSERT_TRUE(back.EdtActionGrpFromRevolver(Encode(tree), nullptr));
    EXPECT_EQ(back.GetObjectCounter(), 3);
    EXPECT_EQ(back.GetLinkerCounter(), 5);
}

TEST(ProjectFile, EmptyHistoryReadsWithZeroCounters) {
    CVylEditActionGroup history;
    history.TakeObjectUid();
    CFxAssignGroupEx tree = FileTree(history);
    EXPECT_EQ(tree.GetInt("action_count", -1), 0);
    EXPECT_EQ(tree.GetInt("ctoc", 0), 1);
    CVylEditActionGroup back;
    Draw(back, 1);
    ASSERT_TRUE(back.EdtActionGrpFromRevolver(Encode(tree), nullptr));
    EXPECT_EQ(back.GetCount(), 0u);
    EXPECT_EQ(back.GetObjectCounter(), 0);
}

TEST(ProjectFile, RefusalsThatKeepTheHistory) {
    CVylEditActionGroup source;
    Draw(source, 1);
    const CFxAssignGroupEx good = FileTree(source);

    CFxAssignGroupEx newer = good;
    newer.SetInt("min_ver", 120);
    CFxAssignGroupEx wrongType = good;
    wrongType.SetString("internal_file_type", "abc");
    CFxAssignGroupEx noVersion = good;
    noVersion.Remove("this_ver");

    for (const CFxAssignGroupEx* tree : {&newer, &wrongType, &noVersion}) {
        CVylEditActionGroup history;
        Draw(history, 3);
        int32_t required = -1;
        EXPECT_FALSE(history.EdtActionGrpFromRevolver(Encode(*tree), &required));
        EXPECT_EQ(history.GetCount(), 3u);
        EXPECT_EQ(required, tree == &newer ? 120 : 0);
    }
    EXPECT_EQ(VersionText(120), "v1.20");

    CFxAssignGroupEx otherLcd = good;
    otherLcd.SetString("lcd_type", "9999");
    CVylEditActionGroup history;
    EXPECT_TRUE(history.EdtActionGrpFromRevolver(Encode(otherLcd), nullptr));
}

TEST(ProjectFile, RefusalsThatEmptyTheHistory) {
    CVylEditActionGroup source;
    Draw(source, 5);
    CFxAssignGroupEx gap = FileTree(source);
    gap.Remove("a3");
    CFxAssignGroupEx negative = FileTree(source);
    negative.SetInt("ctlc", -4);
    CFxAssignGroupEx broken = FileTree(source);
    broken.SetBytes("a1", CRevolver::FromBytes("\x22\x01x"));
    for (const CFxAssignGroupEx* tree : {&gap, &negative, &broken}) {
        CVylEditActionGroup history;
        Draw(history, 2);
        EXPECT_FALSE(history.EdtActionGrpFromRevolver(Encode(*tree), nullptr));
        EXPECT_EQ(history.GetCount(), 0u);
        EXPECT_EQ(history.GetObjectCounter(), 0);
    }
    CVylEditActionGroup history;
    Draw(history, 2);
    EXPECT_FALSE(history.EdtActionGrpFromRevolver(CRevolver::FromBytes("\x22\x01x"), nullptr));
    EXPECT_EQ(history.GetCount(), 0u);
}

TEST(ProjectFile, FilesOnDisk) {
    VyTempFolder dir;
    const std::string path = dir.File("work.vyd");
    CVylEditActionGroup history;
    Draw(history, 4);
    history.AddEditAction(
        CVylEditAction::ModResizeMultiBothCorners({0, 1}, {0, 0, 50 * U, 50 * U}));
    ASSERT_TRUE(history.EditActionGroupToFile(path));

    CVylEditActionGroup back;
    int32_t required = -1;
    ASSERT_TRUE(back.EditActionGroupFromFile(path, &required));
    CVylObjectGroup group;
    ASSERT_TRUE(group.CreateObjectGroupFromEditActionGroup(back));
    CVylObjectGroup expected;
    expected.CreateObjectGroupFromEditActionGroup(history);
    EXPECT_EQ(group.GetRegion(1), expected.GetRegion(1));
    EXPECT_EQ(group.GetRegion(1).right, 50 * U);

    EXPECT_FALSE(back.EditActionGroupFromFile(dir.File("missing.vyd"), &required));
    EXPECT_EQ(required, 0);
    EXPECT_EQ(back.GetCount(), 5u);

    // A write that cannot happen leaves the previous file whole.
    std::filesystem::permissions(
        dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool canStillWrite = ::access(dir.Path().c_str(), W_OK) == 0;
    CVylEditActionGroup other;
    if (!canStillWrite) {
        EXPECT_FALSE(other.EditActionGroupToFile(path));
        CVylEditActionGroup reread;
        EXPECT_TRUE(reread.EditActionGroupFromFile(path, nullptr));
        EXPECT_EQ(reread.GetCount(), 5u);
    }
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);

    std::FILE* file = std::fopen(path.c_str(), "w+b");
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(history.ToFile(file));
    CVylEditActionGroup fromStream;
    EXPECT_TRUE(fromStream.FromFile(file, &required));
    EXPECT_EQ(fromStream.GetCount(), 5u);
    std::fclose(file);
}

}  // namespace

namespace {

// A tree's bytes value decoded, changed and put back.
void EditNested(CFxAssignGroupEx& tree, std::string_view key,
                const std::function<void(CFxAssignGroupEx&)>& edit) {
    CRevolver bytes;
    ASSERT_TRUE(tree.GetBytes(key, &bytes));
    CFxAssignGroupEx nested;
    ASSERT_TRUE(nested.FromRevolver(bytes));
    edit(nested);
    tree.SetBytes(key, Encode(nested));
}

// Files keep the bytes they were read from, sharing them; a file whose
// repair is of a type this editor cannot write opens, shows its drawing,
// undoes, and refuses to be saved rather than losing the repair.
TEST(ProjectFile, ARepairOfAnUnknownTypeOpensButIsNotSaved) {
    CVylEditActionGroup history;
    Draw(history, 2);
    history.AddEditAction(
        CVylEditAction::Repair(0, CVylObjectRepairAction::Text("dot_size", "3"), 0));
    CFxAssignGroupEx tree = FileTree(history);
    EditNested(tree, "a2", [](CFxAssignGroupEx& action) {
        EditNested(action, "oea", [](CFxAssignGroupEx& part) {
            EditNested(part, "rp", [](CFxAssignGroupEx& repair) { repair.SetInt("typ", 99); });
        });
    });
    CVylEditActionGroup opened;
    ASSERT_TRUE(opened.EdtActionGrpFromRevolver(Encode(tree), nullptr));
    EXPECT_EQ(opened.GetCount(), 3U);
    EXPECT_TRUE(opened.ReplaysToCurrent());
    EXPECT_EQ(opened.GetCurrentDrawing().GetCount(), 2U);
    CRevolver saved;
    EXPECT_FALSE(opened.EdtActionGrpToRevolver(saved));
    opened.UndoEditAction();
    EXPECT_EQ(opened.GetCurrentIndex(), 1);
    EXPECT_EQ(opened.GetCurrentDrawing().GetCount(), 2U);
    // Cut off by a new action, the unknown repair no longer stops saving.
    Draw(opened, 1);
    EXPECT_TRUE(opened.EdtActionGrpToRevolver(saved));
}

}  // namespace
