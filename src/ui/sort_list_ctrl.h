// SPDX-License-Identifier: MIT
#pragma once

#include "ui/text_collation.h"

#include <string_view>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QTreeView>

class CSortHeaderCtrl;
class SortListModel;

/// A multi-column list of text rows that sorts by a column when its header is clicked: the
/// first click sorts ascending, each further click on the same column flips the direction.
/// Every row keeps its own copy of its texts as bytes; the list shows them decoded as UTF-8
/// and gives the original bytes back, so names that are not valid UTF-8 survive unchanged.
class CSortListCtrl : public QTreeView {
    Q_OBJECT

public:
    /// `controlId` names the stored column widths (see RestoreColumnWidths).
    explicit CSortListCtrl(int controlId, QWidget* parent = nullptr);

    /// Appends one column per "heading,width;" pair of `text` (see ParseColumnText).
    bool DefineColumns(std::string_view text);

    /// Applies the widths stored under "ListCtrls/<control id>" in the application's settings
    /// (see CSortHeaderCtrl::ReadColumnWidths). The settings are never written.
    void RestoreColumnWidths();

    /// Appends a row with one text per column and gives its index. The row goes to the end
    /// whatever the current sort. Missing texts are empty; texts beyond the columns are dropped.
    int AppendRow(const std::vector<std::string_view>& texts);

    /// False, and nothing changed, when the cell does not exist.
    bool SetCellText(int row, int column, std::string_view text);

    /// False when the row does not exist.
    bool DeleteRow(int row);
    bool DeleteAllRows();

    /// Sorts the rows by the texts of `column` in the user's word order and marks the column
    /// in the header. False, and nothing changed, when there is no such column.
    bool SortByColumn(int column, bool ascending);

    int RowCount() const;
    int ColumnCount() const { return m_nColumnCount; }
    /// The cell's text exactly as it was given; empty when the cell does not exist.
    QByteArray CellBytes(int row, int column) const;
    /// The cell's text as shown.
    QString CellText(int row, int column) const;
    /// The selected rows, in ascending order.
    std::vector<int> SelectedRows() const;

    /// Makes `row` the current row, where keyboard moves and shift-clicks start, without
    /// changing the selection. A row past the end marks the last row; none is marked when the
    /// list is empty.
    void SetSelectionMark(int row);
    /// The current row, or -1.
    int SelectionMark() const;

    int SortColumn() const { return m_nSortColumn; }
    bool IsSortAscending() const { return m_bSortAscending; }
    CSortHeaderCtrl& Header() const { return *m_header; }

signals:
    /// A key was pressed while the list has the focus.
    void keyPressed(int key);
    /// The list was double-clicked, on a row or not.
    void listDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private slots:
    void OnColumnClick(int column);

private:
    SortListModel* m_model;    ///< owned by this list as its Qt child
    CSortHeaderCtrl* m_header; ///< owned by this list as its Qt child
    TextCollation m_collation;
    int m_nControlId;
    int m_nColumnCount = 0;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
};
