// "객체 목록": the drawing's objects listed top of the stacking order
// first. Its selection and the canvas's follow each other; dragging rows
// reorders the drawing (one undo step), and its menu brings the selection
// to the front or sends it to the back. It follows every change the canvas
// tells of; while hidden it catches up when shown.
#pragma once

#include <QDockWidget>
#include <QPointer>
#include <memory>
#include <vector>

#include "app/studio/object_list_model.h"
#include "editor/canvas/canvas_widget.h"

class QListView;
class QMenu;

class CObjectListDock : public QDockWidget {
    Q_OBJECT

  public:
    explicit CObjectListDock(CVylCanvas& canvas, QWidget* parent = nullptr);
    ~CObjectListDock() override;

    // Brings the rows and their selection up to date with the canvas
    // (public for tests and the benchmark; the canvas's changes call it).
    void Refresh();
    QListView& View() { return *m_view; }
    CObjectListModel& Model() { return *m_model; }
    // The list's menu, its items enabled for the selection.
    std::unique_ptr<QMenu> CreateContextMenu();
    // A drop of the objects of uids above the row (top first), as the
    // model hands it over.
    bool DropRows(const VyUidSet& uids, int row);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowSelection();
    void OnListSelectionChanged();
    // The selected uids (top first), then the chief.
    std::vector<int32_t> CanvasSelection() const;

    QPointer<CVylCanvas> m_canvas;
    CVylCanvasCore& m_core;
    int m_listener = 0;
    QListView* m_view = nullptr;
    CObjectListModel* m_model = nullptr;
    // The selection the list shows, as CanvasSelection gives it.
    std::vector<int32_t> m_shown;
    bool m_syncing = false;
    bool m_stale = true;
};
