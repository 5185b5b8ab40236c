#include "app/studio/object_list_dock.h"

#include <QCoreApplication>
#include <QListView>
#include <QMenu>
#include <QScopedValueRollback>
#include <algorithm>

#include "editor/document/stacking_order.h"

namespace {

struct VyListCommand {
    VyCanvasCommand command;
    const char* label;
};

// The canvas popup's own items and texts.
constexpr VyListCommand kListCommands[] = {
    {VyCanvasCommand::kGoUp, QT_TRANSLATE_NOOP("CVyeEditor", "한 단계 앞으로")},
    {VyCanvasCommand::kGoDown, QT_TRANSLATE_NOOP("CVyeEditor", "한 단계 뒤로")},
    {VyCanvasCommand::kToFront, QT_TRANSLATE_NOOP("CVyeEditor", "맨 앞으로")},
    {VyCanvasCommand::kToBack, QT_TRANSLATE_NOOP("CVyeEditor", "맨 뒤로")},
};

}  // namespace

CObjectListDock::CObjectListDock(CVylCanvas& canvas, QWidget* parent)
    : QDockWidget(tr("객체 목록"), parent), m_canvas(&canvas), m_core(canvas.Core()) {
    setObjectName(QStringLiteral("objectList"));
    m_model = new CObjectListModel(this);
    m_model->SetDropHandler([this](const VyUidSet& uids, int row) { return DropRows(uids, row); });
    m_view = new QListView(this);
    m_view->setObjectName(QStringLiteral("objectListView"));
    m_view->setModel(m_model);
    m_view->setUniformItemSizes(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setDragDropMode(QAbstractItemView::InternalMove);
    m_view->setDefaultDropAction(Qt::MoveAction);
    m_view->setDropIndicatorShown(true);
    m_view->setIconSize(QSize(16, 15));
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    setWidget(m_view);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CObjectListDock::OnListSelectionChanged);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        CreateContextMenu()->exec(m_view->viewport()->mapToGlobal(at));
    });
    m_listener = m_core.AddChangeListener([this] { Refresh(); });
}

CObjectListDock::~CObjectListDock() {
    m_syncing = true;
    if (m_canvas) {
        m_core.RemoveChangeListener(m_listener);
    }
}

void CObjectListDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    if (m_stale) {
        Refresh();
    }
}

void CObjectListDock::Refresh() {
    if (!m_canvas || !isVisible()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const CVylDeviceContext& dc = m_core.DeviceContext();
    bool reset = false;
    {
        // A reset drops the view's selection without a word, as wanted.
        const QScopedValueRollback<bool> syncing(m_syncing, true);
        reset = m_model->SetRows(ObjectListRows(m_core.Group(), m_core.Selection(),
                                                dc.GetInt(kKeyResolutionX, 320),
                                                dc.GetInt(kKeyResolutionY, 240)));
    }
    std::vector<int32_t> selection = CanvasSelection();
    if (reset || selection != m_shown) {
        m_shown = std::move(selection);
        ShowSelection();
    }
}

std::vector<int32_t> CObjectListDock::CanvasSelection() const {
    std::vector<int32_t> selection;
    for (const VyObjectListRow& row : m_model->Rows()) {
        if (row.selected) {
            selection.push_back(row.uid);
        }
    }
    selection.push_back(m_core.Selection().GetChiefUid());
    return selection;
}

// The rows of the canvas's selection, as few ranges as they make, and the
// chief's row current and in sight.
void CObjectListDock::ShowSelection() {
    const std::vector<VyObjectListRow>& rows = m_model->Rows();
    const int count = static_cast<int>(rows.size());
    QItemSelection selection;
    int start = -1;
    int chiefRow = -1;
    const int32_t chief = m_core.Selection().GetChiefUid();
    for (int i = 0; i <= count; ++i) {
        const bool selected = i < count && rows[static_cast<size_t>(i)].selected;
        if (selected && rows[static_cast<size_t>(i)].uid == chief) {
            chiefRow = i;
        }
        if (selected && start < 0) {
            start = i;
        } else if (!selected && start >= 0) {
            selection.select(m_model->index(start), m_model->index(i - 1));
            start = -1;
        }
    }
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    QItemSelectionModel* model = m_view->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (chiefRow >= 0) {
        model->setCurrentIndex(m_model->index(chiefRow), QItemSelectionModel::NoUpdate);
        m_view->scrollTo(m_model->index(chiefRow));
    }
}

// The chief is the row clicked last when it is selected, else the top one.
void CObjectListDock::OnListSelectionChanged() {
    if (m_syncing || !m_canvas) {
        return;
    }
    const QItemSelectionModel* model = m_view->selectionModel();
    std::vector<int> rows;
    for (const QModelIndex& index : model->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    std::vector<int32_t> uids;
    for (int row : rows) {
        uids.push_back(m_model->UidAt(row));
    }
    const QModelIndex current = model->currentIndex();
    int32_t chief = uids.empty() ? -1 : uids.front();
    if (current.isValid() && model->isSelected(current)) {
        chief = m_model->UidAt(current.row());
    }
    m_shown = uids;
    m_shown.push_back(chief);
    m_core.SelectUids(uids, chief);
}

bool CObjectListDock::DropRows(const VyUidSet& uids, int row) {
    if (!m_canvas) {
        return false;
    }
    const std::vector<int32_t> order = OrderWithUidsAtRow(m_core.Group().GetZOrderList(), uids,
                                                          static_cast<size_t>(std::max(row, 0)));
    return m_core.Restack(order, uids);
}

std::unique_ptr<QMenu> CObjectListDock::CreateContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    for (const VyListCommand& entry : kListCommands) {
        QAction* action = menu->addAction(QCoreApplication::translate("CVyeEditor", entry.label));
        const VyCanvasCommand command = entry.command;
        action->setEnabled(m_canvas && m_core.IsCommandEnabled(command));
        connect(action, &QAction::triggered, this, [this, command] {
            if (m_canvas) {
                m_core.RunCommand(command);
            }
        });
    }
    return menu;
}
