#include "editor/document/object_selection.h"

#include <gtest/gtest.h>

#include "tests/support/selectable_group.h"

namespace {

TEST(ObjectSelection, ChiefAndSlaves) {
    CVylObjectSelection selection;
    EXPECT_EQ(selection.GetSelState(), 1);
    EXPECT_EQ(selection.GetSelExp(), "0 objs selected:\r\nslaves=");
    EXPECT_EQ(selection.GetSelectedUidListExp(), "[-1:]");
    selection.EnsureChiefSel(4);
    EXPECT_EQ(selection.GetSelState(), 2);

    selection.SetMultiSelection({9, 5, 2}, false);
    EXPECT_EQ(selection.GetChiefUid(), 2);
    selection.EnsureChiefSel(5);
    EXPECT_EQ(selection.GetEverySelCount(), 3);
    EXPECT_EQ(selection.GetSelExp(), "3 objs selected:\r\nchief=5\r\nslaves=2,9");
    EXPECT_EQ(selection.GetSelectedUidListExp(), "[5:2/9]");
    EXPECT_TRUE(selection.IsUidSelected(9));
    EXPECT_FALSE(selection.IsUidSelected(4));

    // Adding the chief again must not count it twice (nor make a line its
    // own slave, which a join would take for two objects).
    selection.AddSelObj(5);
    EXPECT_EQ(selection.GetEverySelCount(), 3);
    EXPECT_EQ(selection.GetSelectedUidListExp(), "[5:2/9]");
    VyUidSet all;
    selection.GetEverySelUidMap(all);
    EXPECT_EQ(all, (VyUidSet{2, 5, 9}));
}

TEST(ObjectSelection, FlagSetsTheEditingState) {
    CVylObjectSelection selection;
    int32_t state = 0;
    selection.SetEditingStateSink([&](int32_t s) { state = s; });
    selection.SetSingleSelection(1, false);
    EXPECT_EQ(state, 0);
    selection.SetMultiSelection({1, 2}, true);
    EXPECT_EQ(state, 3);
}

TEST(ObjectSelection, QueriesSkipObjectsTheGroupNoLongerHas) {
    SelectableGroup s;
    s.Add(MakeObject(1, kObjBox, 0, 0, 1, 1));
    s.Add(MakeObject(2, kObjFilledEllipse, 0, 0, 1, 1));
    s.Add(MakeObject(3, kObjText, 0, 0, 1, 1));
    s.Add(MakeObject(4, kObjBitmap, 0, 0, 1, 1));
    s.Add(MakeObject(5, kObjBox, 0, 0, 1, 1));

    s.selection.SetMultiSelection({1, 2}, false);
    EXPECT_EQ(s.selection.GetSelectedObjectsCommonLocalUi(), 1);
    EXPECT_EQ(s.selection.GetSelectedObjectsCommonKind(), 0);
    s.selection.SetMultiSelection({1, 3}, false);
    EXPECT_EQ(s.selection.GetSelectedObjectsCommonLocalUi(), 0);
    s.selection.SetMultiSelection({1, 5, 42}, false);
    EXPECT_EQ(s.selection.GetSelectedObjectsCommonKind(), kObjBox);
    s.selection.SetSingleSelection(4, false);
    EXPECT_EQ(s.selection.GetSelectedObjectsCommonLocalUi(), 3);
    EXPECT_EQ(s.selection.GetChiefSelectedObjKind(), kObjBitmap);

    s.selection.SetMultiSelection({2, 3, 4}, false);
    EXPECT_TRUE(s.selection.IsObjectKindAnySelected(kObjText));
    EXPECT_FALSE(s.selection.IsObjectKindAnySelected(kObjBox));
    VyUidSet kinds;
    s.selection.GetAllSelectedObjectKindMap(kinds);
    EXPECT_EQ(kinds, (VyUidSet{kObjText, kObjFilledEllipse, kObjBitmap}));

    s.selection.SetSingleSelection(4, false);
    s.group.Delete(4);
    EXPECT_EQ(s.selection.GetChiefSelectedObj(), nullptr);
    EXPECT_EQ(s.selection.GetChiefSelectedObjKind(), 0);
    EXPECT_EQ(s.selection.GetSelState(), 2);
}

TEST(ObjectSelection, LocalUiOfKinds) {
    EXPECT_EQ(LocalUiOfKind(kObjLine), 1);
    EXPECT_EQ(LocalUiOfKind(kObjText), 2);
    EXPECT_EQ(LocalUiOfKind(kObjArc), 0);
}

}  // namespace
