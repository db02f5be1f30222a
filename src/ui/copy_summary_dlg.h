// SPDX-License-Identifier: MIT
#pragma once

#include "copy/copy_rows.h"

#include <cstddef>

#include <QDialog>
#include <QString>

/// What a copy run did, in a few sentences: the files copied, the rows skipped for want of a
/// match, the copies that replaced an earlier one, how many failed, and where a stopped run
/// stopped. `rowCount` is the number of rows the run was given.
QString CopySummaryText(const tallowick::CopySummary& summary, std::size_t rowCount);

/// Every failed copy with its source, its target and why it failed, a line each.
QString CopyFailuresText(const tallowick::CopySummary& summary);

/// Tells the user what "Go!" or "Rename" did; lists every failed copy when there is any.
class CCopySummaryDlg : public QDialog {
    Q_OBJECT

public:
    CCopySummaryDlg(const tallowick::CopySummary& summary, std::size_t rowCount,
                    QWidget* parent = nullptr);
};
