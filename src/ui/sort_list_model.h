// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>

/// One cell of a row: the bytes it was given, and what the list shows of them.
struct ListCell {
    QByteArray bytes; ///< the text exactly as given; the sort and every reader use these
    QString text;     ///< `bytes` decoded as UTF-8, invalid sequences shown as U+FFFD
};

/// The cell for `bytes`.
ListCell MakeListCell(const QByteArray& bytes);

/// A row's private copies of its texts, one per column in column order.
struct RowRecord {
    std::vector<ListCell> cells;
};

/// The rows and column headings behind a CSortListCtrl. Rows stay in the order they were
/// appended until Reorder puts them in another.
class SortListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// Adds a column at the end; rows already present get an empty cell in it.
    void AppendColumn(const QString& heading);
    /// Adds a row at the end and gives its index.
    int AppendRow(RowRecord record);
    /// False when the cell does not exist.
    bool SetCell(int row, int column, const QByteArray& bytes);
    /// False when the row does not exist.
    bool RemoveRow(int row);
    void RemoveAllRows();
    /// Puts the row that stands at `order[i]` at index i; the selection follows its rows.
    void Reorder(const std::vector<int>& order);

    /// The cell, or nullptr when it does not exist.
    const ListCell* Cell(int row, int column) const;

private:
    bool HasCell(int row, int column) const;

    std::vector<QString> m_headings;
    std::vector<RowRecord> m_rows;
};
