// SPDX-License-Identifier: MIT
#include "ui/sort_list_model.h"

#include <utility>

ListCell MakeListCell(const QByteArray& bytes) {
    return {bytes, QString::fromUtf8(bytes)};
}

int SortListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SortListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant SortListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    const ListCell* cell = Cell(index.row(), index.column());
    return cell ? QVariant(cell->text) : QVariant();
}

QVariant SortListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return m_headings[section];
}

void SortListModel::AppendColumn(const QString& heading) {
    const int column = columnCount();
    beginInsertColumns({}, column, column);
    m_headings.push_back(heading);
    for (RowRecord& row : m_rows) {
        row.cells.resize(m_headings.size());
    }
    endInsertColumns();
}

int SortListModel::AppendRow(RowRecord record) {
    record.cells.resize(m_headings.size());
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_rows.push_back(std::move(record));
    endInsertRows();
    return row;
}

bool SortListModel::SetCell(int row, int column, const QByteArray& bytes) {
    if (!HasCell(row, column)) {
        return false;
    }
    m_rows[row].cells[column] = MakeListCell(bytes);
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
    return true;
}

bool SortListModel::RemoveRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    return true;
}

void SortListModel::RemoveAllRows() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void SortListModel::Reorder(const std::vector<int>& order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    std::vector<int> newRowOf(order.size());
    std::vector<RowRecord> reordered;
    reordered.reserve(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newRowOf[order[i]] = static_cast<int>(i);
        reordered.push_back(std::move(m_rows[order[i]]));
    }
    m_rows = std::move(reordered);

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        after.append(index(newRowOf[old.row()], old.column()));
    }
    changePersistentIndexList(before, after);

    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const ListCell* SortListModel::Cell(int row, int column) const {
    return HasCell(row, column) ? &m_rows[row].cells[column] : nullptr;
}

bool SortListModel::HasCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}
