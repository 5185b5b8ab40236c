// CObjectListModel: the object list's rows for a view, one an object, the
// top of the stacking order first: the kind's icon, a description (kind,
// region in dots, the start of a text) and the mark of an object wholly off
// the LCD. Dragged rows carry their objects' uids; a drop is handed to the
// list, which reorders the drawing.
#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <functional>
#include <map>
#include <vector>

#include "editor/document/object_list.h"
#include "editor/document/uid_set.h"

class CObjectListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    // The objects of uids to go above the row (rows count from the top; the
    // row count is below the last); true when the drawing changed.
    using DropHandler = std::function<bool(const VyUidSet& uids, int row)>;

    explicit CObjectListModel(QObject* parent = nullptr);

    void SetDropHandler(DropHandler handler) { m_dropHandler = std::move(handler); }
    // Shows the rows: the view is reset when the objects or their order
    // changed, else only the rows that look different are told again; true
    // when it was reset.
    bool SetRows(std::vector<VyObjectListRow> rows);
    const std::vector<VyObjectListRow>& Rows() const { return m_rows; }
    int32_t UidAt(int row) const;

    // "빈 박스 (10,20)-(150,70)", a text's start quoted after its region.
    static QString Description(const VyObjectListRow& row);
    static QString KindName(int32_t kind);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }

  private:
    QIcon KindIcon(int32_t kind, bool offLcd) const;
    // The uids a drag carries, or none for data of another kind.
    static VyUidSet UidsOf(const QMimeData* data);

    std::vector<VyObjectListRow> m_rows;
    DropHandler m_dropHandler;
    // Drawn once a kind (and once more greyed).
    mutable std::map<std::pair<int32_t, bool>, QIcon> m_icons;
};
