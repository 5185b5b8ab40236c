// The object list window: rows in stacking order, its selection and the
// canvas's following each other, reordering by drops and by its menu in one
// undo step each, the off-LCD mark, and random sequences of all of them.
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <algorithm>
#include <numeric>
#include <random>

#include "editor/tree/code_page.h"
#include "tests/app/studio/studio_fixture.h"

namespace {

using Uids = std::vector<int32_t>;

class StudioObjectList : public StudioFixture {
  protected:
    CObjectListDock& Dock() { return window->ObjectListDock(); }
    QListView& View() { return Dock().View(); }
    CObjectListModel& Model() { return Dock().Model(); }

    // Small boxes in rows of ten, none over another.
    Uids DrawBoxes(int count) {
        Uids uids;
        for (int i = 0; i < count; ++i) {
            const double left = 5 + 30 * (i % 10);
            const double top = 5 + 30 * (i / 10);
            uids.push_back(Mouse().Draw(kToolBox, left, top, left + 20, top + 20));
        }
        return uids;
    }
    // The list's uids and the drawing's, top first.
    Uids Rows() {
        Uids uids;
        for (int row = 0; row < Model().rowCount(); ++row) {
            uids.push_back(Model().data(Model().index(row), Qt::UserRole).toInt());
        }
        return uids;
    }
    Uids Stack() {
        const Uids& order = Core().Group().GetZOrderList();
        return Uids(order.rbegin(), order.rend());
    }
    // The selected uids of the list and of the canvas, top first.
    Uids ListSelection() {
        Uids uids;
        for (int row = 0; row < Model().rowCount(); ++row) {
            if (View().selectionModel()->isSelected(Model().index(row))) {
                uids.push_back(Model().UidAt(row));
            }
        }
        return uids;
    }
    Uids CanvasSelection() {
        Uids uids;
        for (int32_t uid : Stack()) {
            if (Core().Selection().IsUidSelected(uid)) {
                uids.push_back(uid);
            }
        }
        return uids;
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QModelIndex index = Model().index(row);
        View().scrollTo(index);
        QTest::mouseClick(View().viewport(), Qt::LeftButton, modifiers,
                          View().visualRect(index).center());
    }
    // What the view hands the model when rows are dropped above a row.
    bool DropRows(const std::vector<int>& rows, int above) {
        QModelIndexList indexes;
        for (int row : rows) {
            indexes << Model().index(row);
        }
        const std::unique_ptr<QMimeData> data(Model().mimeData(indexes));
        return Model().dropMimeData(data.get(), Qt::MoveAction, above, 0, QModelIndex());
    }
    bool TriggerListCommand(const QString& label) {
        const std::unique_ptr<QMenu> menu = Dock().CreateContextMenu();
        for (QAction* action : menu->actions()) {
            if (action->text() == label && action->isEnabled()) {
                action->trigger();
                return true;
            }
        }
        return false;
    }
    int64_t Position() { return Core().History().GetCurrentIndex(); }
};

TEST_F(StudioObjectList, IsADockOfTheViewMenuShowingOneRowAnObjectTopFirst) {
    StartWindow();
    MakeRoomy();
    EXPECT_TRUE(Dock().isVisible());
    EXPECT_EQ(Dock().windowTitle(), QStringLiteral("객체 목록"));
    EXPECT_EQ(window->dockWidgetArea(&Dock()), Qt::RightDockWidgetArea);
    QAction* toggle = Dock().toggleViewAction();
    EXPECT_EQ(toggle->text(), QStringLiteral("객체 목록"));
    bool inViewMenu = false;
    for (QAction* menu : window->menuBar()->actions()) {
        if (menu->text() == QStringLiteral("보기(&V)")) {
            inViewMenu = menu->menu()->actions().contains(toggle);
        }
    }
    EXPECT_TRUE(inViewMenu);
    EXPECT_EQ(Model().rowCount(), 0);

    const Uids boxes = DrawBoxes(2);
    const int32_t text = Mouse().Draw(kToolText, 100, 100, 200, 130);
    Core().TypeText(Utf8ToCp949("안녕하세요 여러분, 오늘의 화면입니다"));
    window->View().Canvas().OnAgain(1, 1, 1, 1, 1, 1);
    EXPECT_EQ(Rows(), (Uids{text, boxes[1], boxes[0]}));
    const QString first = Model().data(Model().index(2), Qt::DisplayRole).toString();
    EXPECT_EQ(first, QStringLiteral("빈 박스 (5,5)-(25,25)"));
    const QString shown = Model().data(Model().index(0), Qt::DisplayRole).toString();
    EXPECT_TRUE(
        shown.startsWith(QStringLiteral("문자 (100,100)-(200,130) \"안녕하세요 여러분, 오늘의 화")))
        << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("…\""))) << shown.toStdString();
    EXPECT_FALSE(Model().data(Model().index(0), Qt::DecorationRole).value<QIcon>().isNull());

    // Hidden, the list catches up once it is shown again.
    toggle->trigger();
    EXPECT_FALSE(Dock().isVisible());
    Trigger("edit_undo");
    Trigger("edit_undo");
    EXPECT_EQ(Rows().size(), 3u) << "not refreshed while hidden";
    toggle->trigger();
    EXPECT_TRUE(Dock().isVisible());
    EXPECT_EQ(Rows(), Stack());
    EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(StudioObjectList, ClickedRowsSelectTheirObjectsOnTheCanvas) {
    StartWindow();
    MakeRoomy();
    const Uids boxes = DrawBoxes(4);
    ASSERT_EQ(Rows(), (Uids{boxes[3], boxes[2], boxes[1], boxes[0]}));
    const size_t actions = Core().History().GetCount();
    ClickRow(1);
    EXPECT_EQ(CanvasSelection(), (Uids{boxes[2]}));
    EXPECT_EQ(Core().Selection().GetChiefUid(), boxes[2]);
    EXPECT_EQ(Core().GetMouseState(), kMouseSelected);
    // Shift extends from the row clicked before, Ctrl adds and takes away.
    ClickRow(3, Qt::ShiftModifier);
    EXPECT_EQ(CanvasSelection(), (Uids{boxes[2], boxes[1], boxes[0]}));
    ClickRow(2, Qt::ControlModifier);
    EXPECT_EQ(CanvasSelection(), (Uids{boxes[2], boxes[0]}));
    EXPECT_NE(Core().Selection().GetChiefUid(), boxes[1]);
    ClickRow(0, Qt::ControlModifier);
    EXPECT_EQ(CanvasSelection(), (Uids{boxes[3], boxes[2], boxes[0]}));
    EXPECT_EQ(Core().Selection().GetChiefUid(), boxes[3]) << "the row clicked last leads";
    EXPECT_EQ(ListSelection(), CanvasSelection());
    // A plain click keeps one.
    ClickRow(2);
    EXPECT_EQ(CanvasSelection(), (Uids{boxes[1]}));
    EXPECT_EQ(ListSelection(), (Uids{boxes[1]}));
    // Selecting in the list records nothing.
    EXPECT_EQ(Core().History().GetCount(), actions);
}

TEST_F(StudioObjectList, TheCanvasSelectionShowsInTheList) {
    StartWindow();
    MakeRoomy();
    const Uids boxes = DrawBoxes(3);
    // The box drawn last stays selected.
    EXPECT_EQ(ListSelection(), (Uids{boxes[2]}));
    CVylCanvas* canvas = &window->View().Canvas();
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, Mouse().At(15, 15));
    EXPECT_EQ(CanvasSelection(), (Uids{boxes[0]}));
    EXPECT_EQ(ListSelection(), (Uids{boxes[0]}));
    EXPECT_EQ(View().currentIndex().row(), 2);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, Mouse().At(45, 15));
    EXPECT_EQ(ListSelection(), (Uids{boxes[1], boxes[0]}));
    QTest::keyClick(canvas, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ListSelection(), (Uids{boxes[2], boxes[1], boxes[0]}));
    // An empty place: nothing selected.
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, Mouse().At(300, 220));
    EXPECT_TRUE(CanvasSelection().empty());
    EXPECT_TRUE(ListSelection().empty());
}

TEST_F(StudioObjectList, AMovedObjectUpdatesItsRowWithoutResettingTheList) {
    StartWindow();
    MakeRoomy();
    const Uids boxes = DrawBoxes(3);
    ClickRow(1);
    QSignalSpy resets(&Model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(&Model(), &QAbstractItemModel::dataChanged);
    CVylCanvas* canvas = &window->View().Canvas();
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_EQ(resets.count(), 0);
    ASSERT_GE(changes.count(), 1);
    EXPECT_EQ(changes.last().at(0).value<QModelIndex>().row(), 1);
    EXPECT_EQ(changes.last().at(1).value<QModelIndex>().row(), 1);
    EXPECT_TRUE(Model()
                    .data(Model().index(1), Qt::DisplayRole)
                    .toString()
                    .contains(QStringLiteral("(40,5)-(60,25)")));
    EXPECT_EQ(ListSelection(), (Uids{boxes[1]})) << "the selection stays";
    // A reorder resets it, with the selection shown again.
    ASSERT_TRUE(TriggerListCommand(QStringLiteral("맨 앞으로")));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(Rows(), (Uids{boxes[1], boxes[2], boxes[0]}));
    EXPECT_EQ(ListSelection(), (Uids{boxes[1]}));
}

TEST_F(StudioObjectList, DroppedRowsReorderTheDrawingInOneUndoStep) {
    StartWindow();
    MakeRoomy();
    const Uids boxes = DrawBoxes(5);
    const Uids before = Stack();
    const int64_t position = Position();
    // The bottom row dropped above the second: from the bottom to 4th place.
    ASSERT_TRUE(DropRows({4}, 1));
    const Uids once{boxes[4], boxes[0], boxes[3], boxes[2], boxes[1]};
    EXPECT_EQ(Stack(), once);
    EXPECT_EQ(Rows(), once);
    // Three go_up actions, one undo step.
    EXPECT_EQ(Position(), position + 3);
    Trigger("edit_undo");
    EXPECT_EQ(Stack(), before);
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(Position(), position);
    Trigger("edit_redo");
    EXPECT_EQ(Stack(), once);

    // Two rows together below the last, keeping their order.
    ASSERT_TRUE(DropRows({0, 2}, 5));
    const Uids twice{boxes[0], boxes[2], boxes[1], boxes[4], boxes[3]};
    EXPECT_EQ(Stack(), twice);
    EXPECT_EQ(Rows(), twice);
    // Dropped onto a row: above it.
    const std::unique_ptr<QMimeData> data(Model().mimeData({Model().index(4)}));
    ASSERT_TRUE(Model().dropMimeData(data.get(), Qt::MoveAction, -1, 0, Model().index(0)));
    EXPECT_EQ(Rows(), (Uids{boxes[3], boxes[0], boxes[2], boxes[1], boxes[4]}));
    Trigger("edit_undo");
    Trigger("edit_undo");
    EXPECT_EQ(Stack(), once);
    Trigger("edit_undo");
    EXPECT_EQ(Stack(), before);
}

TEST_F(StudioObjectList, DropsThatMoveNothingOrCarryOtherDataChangeNothing) {
    StartWindow();
    MakeRoomy();
    DrawBoxes(3);
    const Uids before = Stack();
    const size_t actions = Core().History().GetCount();
    EXPECT_FALSE(DropRows({1}, 1)) << "onto its own place";
    EXPECT_FALSE(DropRows({1}, 2));
    QMimeData text;
    text.setText(QStringLiteral("1,2"));
    EXPECT_FALSE(Model().canDropMimeData(&text, Qt::MoveAction, 0, 0, QModelIndex()));
    EXPECT_FALSE(Model().dropMimeData(&text, Qt::MoveAction, 0, 0, QModelIndex()));
    for (const char* bad : {"", "x", "1,,2", "-4", "99999999999"}) {
        QMimeData broken;
        broken.setData(Model().mimeTypes().first(), QByteArray(bad));
        EXPECT_FALSE(Model().dropMimeData(&broken, Qt::MoveAction, 0, 0, QModelIndex())) << bad;
    }
    const std::unique_ptr<QMimeData> data(Model().mimeData({Model().index(2)}));
    EXPECT_FALSE(Model().dropMimeData(data.get(), Qt::CopyAction, 0, 0, QModelIndex()));
    // Uids the drawing no longer holds are left out.
    QMimeData gone;
    gone.setData(Model().mimeTypes().first(), QByteArray("4711"));
    EXPECT_FALSE(Model().dropMimeData(&gone, Qt::MoveAction, 0, 0, QModelIndex()));
    EXPECT_EQ(Stack(), before);
    EXPECT_EQ(Core().History().GetCount(), actions);
    // The view drags its rows and drops between them.
    EXPECT_EQ(View().dragDropMode(), QAbstractItemView::InternalMove);
    EXPECT_TRUE(Model().flags(Model().index(0)).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_FALSE(Model().flags(Model().index(0)).testFlag(Qt::ItemIsDropEnabled));
}

TEST_F(StudioObjectList, TheListMenuBringsToTheFrontAndSendsToTheBackInOneStepEach) {
    StartWindow();
    MakeRoomy();
    const Uids boxes = DrawBoxes(4);
    const Uids before = Stack();
    ClickRow(3);
    ClickRow(1, Qt::ControlModifier);
    ASSERT_EQ(CanvasSelection(), (Uids{boxes[2], boxes[0]}));
    EXPECT_FALSE(TriggerListCommand(QStringLiteral("한 단계 앞으로"))) << "two selected";
    ASSERT_TRUE(TriggerListCommand(QStringLiteral("맨 앞으로")));
    const Uids front{boxes[2], boxes[0], boxes[3], boxes[1]};
    EXPECT_EQ(Rows(), front);
    EXPECT_EQ(ListSelection(), (Uids{boxes[2], boxes[0]}));
    EXPECT_FALSE(TriggerListCommand(QStringLiteral("맨 앞으로"))) << "already in front";
    ASSERT_TRUE(TriggerListCommand(QStringLiteral("맨 뒤로")));
    const Uids back{boxes[3], boxes[1], boxes[2], boxes[0]};
    EXPECT_EQ(Rows(), back);
    Trigger("edit_undo");
    EXPECT_EQ(Rows(), front);
    Trigger("edit_undo");
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(Stack(), before);
    // One object a step at a time, as the canvas popup does it.
    ClickRow(2);
    ASSERT_TRUE(TriggerListCommand(QStringLiteral("한 단계 앞으로")));
    EXPECT_EQ(Rows(), (Uids{boxes[3], boxes[1], boxes[2], boxes[0]}));
}

TEST_F(StudioObjectList, ObjectsWhollyOffTheLcdAreMarked) {
    StartWindow();
    MakeRoomy();
    const Uids boxes = DrawBoxes(2);
    CVylCanvas* canvas = &window->View().Canvas();
    // The top box moved past the right edge (a move is never held on the LCD).
    const auto moveTop = [&](double dots) {
        Core().SelectUids({boxes[1]}, boxes[1]);
        Core().OffsetMove(static_cast<int32_t>(dots * 10000), 0);
        canvas->OnAgain(1, 1, 1, 1, 1, 1);
    };
    moveTop(290);
    ASSERT_EQ(Core().Group().GetRegion(boxes[1]).left, 325 * 10000);
    ASSERT_EQ(Rows(), (Uids{boxes[1], boxes[0]}));
    const QModelIndex offRow = Model().index(0);
    const QModelIndex onRow = Model().index(1);
    EXPECT_EQ(Model().data(offRow, Qt::DisplayRole).toString(),
              QStringLiteral("빈 박스 (325,5)-(345,25) [LCD 밖]"));
    EXPECT_FALSE(Model().data(onRow, Qt::DisplayRole).toString().contains(QStringLiteral("LCD")));
    EXPECT_FALSE(Model().data(offRow, Qt::ToolTipRole).toString().isEmpty());
    EXPECT_FALSE(Model().data(onRow, Qt::ToolTipRole).isValid());
    EXPECT_TRUE(Model().data(offRow, Qt::ForegroundRole).value<QColor>().isValid());
    EXPECT_FALSE(Model().data(onRow, Qt::ForegroundRole).isValid());
    EXPECT_NE(Model().data(offRow, Qt::DecorationRole).value<QIcon>().cacheKey(),
              Model().data(onRow, Qt::DecorationRole).value<QIcon>().cacheKey());

    // Back over the last column, the mark goes; undone, it is there again.
    moveTop(-10);
    EXPECT_FALSE(Model().data(Model().index(0), Qt::ForegroundRole).isValid());
    EXPECT_EQ(Model().data(Model().index(0), Qt::DisplayRole).toString(),
              QStringLiteral("빈 박스 (315,5)-(335,25)"));
    Trigger("edit_undo");
    EXPECT_TRUE(Model().data(Model().index(0), Qt::ForegroundRole).isValid());
}

// Random reorders, fronts, backs, undos and redos: after each step the list
// shows the drawing's stacking order and its selection, and undoing all of
// them brings the first order back.
TEST_F(StudioObjectList, RandomSequencesKeepTheListOnTheDrawing) {
    StartWindow();
    MakeRoomy();
    const Uids boxes = DrawBoxes(12);
    const Uids original = Stack();
    const int64_t start = Position();
    std::mt19937 random(97531);
    const auto pick = [&](int count) {
        std::vector<int> rows(static_cast<size_t>(Model().rowCount()));
        std::iota(rows.begin(), rows.end(), 0);
        std::shuffle(rows.begin(), rows.end(), random);
        rows.resize(static_cast<size_t>(count));
        return rows;
    };
    const auto selectRows = [&](const std::vector<int>& rows) {
        ClickRow(rows.front());
        for (size_t i = 1; i < rows.size(); ++i) {
            ClickRow(rows[i], Qt::ControlModifier);
        }
    };
    int reordered = 0;
    for (int step = 0; step < 120; ++step) {
        const Uids before = Stack();
        const int action = static_cast<int>(random() % 6);
        const int count = 1 + static_cast<int>(random() % 3);
        SCOPED_TRACE(testing::Message() << "step " << step << " action " << action);
        switch (action) {
            case 0:
                DropRows(pick(count), static_cast<int>(random() % 13));
                break;
            case 1:
                selectRows(pick(count));
                TriggerListCommand(QStringLiteral("맨 앞으로"));
                break;
            case 2:
                selectRows(pick(count));
                TriggerListCommand(QStringLiteral("맨 뒤로"));
                break;
            case 3:
                selectRows(pick(1));
                TriggerListCommand(random() % 2 == 0 ? QStringLiteral("한 단계 앞으로")
                                                     : QStringLiteral("한 단계 뒤로"));
                break;
            case 4:
                if (Position() > start) {
                    Trigger("edit_undo");
                }
                break;
            default:
                Trigger("edit_redo");
                break;
        }
        ASSERT_EQ(Rows(), Stack());
        ASSERT_EQ(ListSelection(), CanvasSelection());
        ASSERT_GE(Position(), start) << "the boxes stay drawn";
        reordered += Stack() != before ? 1 : 0;
    }
    EXPECT_GT(reordered, 60) << "most steps change the order";
    while (Position() > start) {
        Trigger("edit_undo");
    }
    EXPECT_EQ(Stack(), original);
    EXPECT_EQ(Rows(), original);
    EXPECT_EQ(Core().Group().GetCount(), boxes.size());
}

}  // namespace
