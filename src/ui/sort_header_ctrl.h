// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHeaderView>
#include <QSet>

/// The header of a CSortListCtrl. Draws a small triangle on the column the rows are sorted by,
/// pointing up for ascending and down for descending. A column that once carried the mark is
/// drawn by this class from then on, without the mark once another column has it.
class CSortHeaderCtrl : public QHeaderView {
    Q_OBJECT

public:
    explicit CSortHeaderCtrl(QWidget* parent = nullptr);

    /// Puts the mark on `column` in the given direction and repaints.
    void MarkSortColumn(int column, bool ascending);

    /// Applies stored column widths: a 32-bit little-endian count, then one 32-bit
    /// little-endian width per column. A count that differs from the number of columns changes
    /// nothing; a value that ends early applies the widths it holds in full.
    void ReadColumnWidths(const QByteArray& value);

    int SortColumn() const { return m_nSortColumn; }
    bool IsSortAscending() const { return m_bSortAscending; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawItem(QPainter* painter, const QRect& rect, int logicalIndex) const;
    void DrawSortMark(QPainter* painter, const QRect& rect) const;

    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
    int m_nPressedColumn = -1; ///< the section under a held mouse button, drawn pushed in
    QSet<int> m_ownerDrawn;    ///< every column that ever carried the mark
};
