#include "app/studio/object_list_model.h"

#include <QColor>
#include <QMimeData>
#include <QPalette>
#include <algorithm>

#include "editor/canvas/canvas_core.h"
#include "editor/canvas/ui_text.h"
#include "editor/frame/tool_icons.h"

namespace {

// The uids of dragged rows: decimal, comma separated.
constexpr const char* kUidsMime = "application/x-vylcd-object-uids";
const QSize kIconSize(16, 15);

// The tool that draws the kind, for its icon; arcs look like ellipses.
int32_t ToolOfKind(int32_t kind) {
    if (kind == kObjArc) {
        return kToolEllipse;
    }
    return kind >= kObjBox && kind <= kObjBitmap ? kind - 1 : -1;
}

}  // namespace

CObjectListModel::CObjectListModel(QObject* parent) : QAbstractListModel(parent) {}

bool CObjectListModel::SetRows(std::vector<VyObjectListRow> rows) {
    const bool sameObjects = rows.size() == m_rows.size() &&
                             std::equal(rows.begin(), rows.end(), m_rows.begin(),
                                        [](const VyObjectListRow& a, const VyObjectListRow& b) {
                                            return a.uid == b.uid;
                                        });
    if (!sameObjects) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
        return true;
    }
    int first = -1;
    int last = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].LooksLike(m_rows[i])) {
            first = first < 0 ? static_cast<int>(i) : first;
            last = static_cast<int>(i);
        }
    }
    m_rows = std::move(rows);
    if (first >= 0) {
        Q_EMIT dataChanged(index(first), index(last));
    }
    return false;
}

int32_t CObjectListModel::UidAt(int row) const {
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(row)].uid
                                                             : -1;
}

QString CObjectListModel::KindName(int32_t kind) {
    switch (kind) {
        case kObjBox:
            return tr("빈 박스");
        case kObjFilledBox:
            return tr("채워진 박스");
        case kObjEllipse:
            return tr("빈 원");
        case kObjFilledEllipse:
            return tr("채워진 원");
        case kObjLine:
            return tr("직선");
        case kObjText:
            return tr("문자");
        case kObjBitmap:
            return tr("그림");
        case kObjArc:
            return tr("호");
        default:
            return tr("알 수 없는 객체 (%1)").arg(kind);
    }
}

QString CObjectListModel::Description(const VyObjectListRow& row) {
    QString text =
        KindName(row.kind) + QLatin1Char(' ') + QString::fromStdString(RegionDotsText(row.dots));
    if (row.kind == kObjText) {
        text += QStringLiteral(" \"%1%2\"")
                    .arg(FromCp949(row.text), row.textCut ? QStringLiteral("…") : QString());
    }
    if (row.offLcd) {
        text += QLatin1Char(' ') + tr("[LCD 밖]");
    }
    return text;
}

QIcon CObjectListModel::KindIcon(int32_t kind, bool offLcd) const {
    const auto key = std::make_pair(kind, offLcd);
    auto found = m_icons.find(key);
    if (found == m_icons.end()) {
        const int32_t tool = ToolOfKind(kind);
        QIcon icon = tool < 0 ? QIcon() : ToolIcon(tool);
        if (offLcd && !icon.isNull()) {
            icon = QIcon(icon.pixmap(kIconSize, QIcon::Disabled));
        }
        found = m_icons.emplace(key, icon).first;
    }
    return found->second;
}

int CObjectListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant CObjectListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size())) {
        return {};
    }
    const VyObjectListRow& row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return Description(row);
        case Qt::DecorationRole:
            return KindIcon(row.kind, row.offLcd);
        case Qt::ToolTipRole:
            return row.offLcd ? tr("LCD 화면 밖에 있어 LCD에 표시되지 않는 객체입니다.")
                              : QVariant();
        case Qt::ForegroundRole:
            return row.offLcd ? QVariant(QPalette().color(QPalette::Disabled, QPalette::Text))
                              : QVariant();
        case Qt::UserRole:
            return row.uid;
        default:
            return {};
    }
}

// Rows are dragged, never dropped onto: a drop goes between them.
Qt::ItemFlags CObjectListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}

QStringList CObjectListModel::mimeTypes() const {
    return {QString::fromLatin1(kUidsMime)};
}

QMimeData* CObjectListModel::mimeData(const QModelIndexList& indexes) const {
    QStringList uids;
    for (const QModelIndex& index : indexes) {
        const int32_t uid = UidAt(index.row());
        if (index.isValid() && uid >= 0) {
            uids << QString::number(uid);
        }
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kUidsMime), uids.join(QLatin1Char(',')).toLatin1());
    return data;
}

VyUidSet CObjectListModel::UidsOf(const QMimeData* data) {
    VyUidSet uids;
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(kUidsMime))) {
        return uids;
    }
    for (const QByteArray& part : data->data(QString::fromLatin1(kUidsMime)).split(',')) {
        bool ok = false;
        const int uid = part.toInt(&ok);
        if (!ok || uid < 0) {
            return {};
        }
        uids.insert(uid);
    }
    return uids;
}

bool CObjectListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                       const QModelIndex&) const {
    return action == Qt::MoveAction && !UidsOf(data).empty();
}

bool CObjectListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                    int column, const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent) || !m_dropHandler) {
        return false;
    }
    // Dropped on a row: above it; on the empty space below the rows: last.
    if (row < 0) {
        row = parent.isValid() ? parent.row() : rowCount();
    }
    return m_dropHandler(UidsOf(data), std::clamp(row, 0, rowCount()));
}
