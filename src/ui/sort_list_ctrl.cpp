// SPDX-License-Identifier: MIT
#include "ui/sort_list_ctrl.h"

#include "ui/column_text.h"
#include "ui/sort_header_ctrl.h"
#include "ui/sort_list_model.h"

#include <algorithm>
#include <ranges>

#include <QKeyEvent>
#include <QSettings>

namespace {

QByteArray ToBytes(std::string_view text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

} // namespace

CSortListCtrl::CSortListCtrl(int controlId, QWidget* parent)
    : QTreeView(parent), m_model(new SortListModel(this)), m_header(new CSortHeaderCtrl(this)),
      m_nControlId(controlId) {
    setHeader(m_header);
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);

    m_header->setSectionsClickable(true);
    m_header->setSectionsMovable(false);
    m_header->setStretchLastSection(false);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_header->setMinimumSectionSize(0);
    connect(m_header, &QHeaderView::sectionClicked, this, &CSortListCtrl::OnColumnClick);
}

bool CSortListCtrl::DefineColumns(std::string_view text) {
    for (const ColumnDef& column : ParseColumnText(text)) {
        const int index = m_nColumnCount++;
        m_model->AppendColumn(QString::fromUtf8(column.heading));
        m_header->resizeSection(index, std::max(0, column.width));
    }
    return true;
}

void CSortListCtrl::RestoreColumnWidths() {
    const QSettings settings;
    const QByteArray value =
        settings.value(QStringLiteral("ListCtrls/%1").arg(m_nControlId)).toByteArray();
    if (!value.isEmpty()) {
        m_header->ReadColumnWidths(value);
    }
}

int CSortListCtrl::AppendRow(const std::vector<std::string_view>& texts) {
    RowRecord record;
    record.cells.reserve(m_nColumnCount);
    for (const std::string_view text : texts | std::views::take(m_nColumnCount)) {
        record.cells.push_back(MakeListCell(ToBytes(text)));
    }
    return m_model->AppendRow(std::move(record));
}

bool CSortListCtrl::SetCellText(int row, int column, std::string_view text) {
    return m_model->SetCell(row, column, ToBytes(text));
}

bool CSortListCtrl::DeleteRow(int row) {
    return m_model->RemoveRow(row);
}

bool CSortListCtrl::DeleteAllRows() {
    m_model->RemoveAllRows();
    return true;
}

bool CSortListCtrl::SortByColumn(int column, bool ascending) {
    if (column < 0 || column >= m_nColumnCount) {
        return false;
    }
    m_bSortAscending = ascending;
    m_nSortColumn = column;
    m_header->MarkSortColumn(column, ascending);

    std::vector<QString> texts;
    texts.reserve(RowCount());
    for (int row = 0; row < RowCount(); ++row) {
        texts.push_back(m_model->Cell(row, column)->text);
    }
    m_model->Reorder(m_collation.SortedOrder(texts, ascending));
    return true;
}

int CSortListCtrl::RowCount() const {
    return m_model->rowCount();
}

QByteArray CSortListCtrl::CellBytes(int row, int column) const {
    const ListCell* cell = m_model->Cell(row, column);
    return cell ? cell->bytes : QByteArray();
}

QString CSortListCtrl::CellText(int row, int column) const {
    const ListCell* cell = m_model->Cell(row, column);
    return cell ? cell->text : QString();
}

std::vector<int> CSortListCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::ranges::sort(rows);
    return rows;
}

void CSortListCtrl::SetSelectionMark(int row) {
    const int marked = std::min(row, RowCount() - 1);
    selectionModel()->setCurrentIndex(m_model->index(marked, 0), QItemSelectionModel::NoUpdate);
}

int CSortListCtrl::SelectionMark() const {
    return currentIndex().row();
}

void CSortListCtrl::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event->key());
    QTreeView::keyPressEvent(event);
}

void CSortListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

void CSortListCtrl::OnColumnClick(int column) {
    const bool ascending = column == m_nSortColumn ? !m_bSortAscending : true;
    SortByColumn(column, ascending);
}
