// SPDX-License-Identifier: MIT
#include "ui/tallowick_dlg.h"

#include "copy/copy_rows.h"
#include "ui/app_icon.h"
#include "ui/background_job.h"
#include "ui/copy_summary_dlg.h"
#include "ui/dialog_units.h"
#include "ui/folder_picker.h"
#include "ui/new_filename_dlg.h"
#include "ui/progress_dlg.h"
#include "ui/sort_list_ctrl.h"

#include <algorithm>
#include <climits>
#include <ranges>

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>

using tallowick::ResultRow;

namespace {

constexpr std::string_view kResultColumns = "ROM Name,240; Closest Match,240;  New Name,240;";
constexpr int kColumnRomName = 0;
constexpr int kColumnClosestMatch = 1;
constexpr int kColumnNewName = 2;

std::string_view BytesView(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

/// A centred caption above a button; a carriage return in `text` starts a new line. Only a
/// caption without line breaks of its own is wrapped: the others would lose their last word to
/// a font a few pixels wider than expected.
QLabel* MakeCaption(const QString& text, const QRect& geometry, QWidget* parent) {
    const bool hasLineBreaks = text.contains(QLatin1Char('\r'));
    auto* label = new QLabel(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(!hasLineBreaks);
    label->setGeometry(geometry);
    return label;
}

QPushButton* MakeButton(const QString& text, const QString& name, const QRect& geometry,
                        QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

CTallowickDlg::CTallowickDlg(QWidget* parent)
    : QDialog(parent), m_hIcon(AppIcon()),
      m_folderPicker(std::make_unique<FileDialogFolderPicker>()) {
    CreateControls();
    ConnectCommands();
    OnInitDialog();
}

CTallowickDlg::~CTallowickDlg() = default;

void CTallowickDlg::SetFolderPicker(std::unique_ptr<FolderPicker> picker) {
    m_folderPicker = std::move(picker);
}

void CTallowickDlg::CreateControls() {
    setWindowTitle(QStringLiteral("Tallowick"));
    const DialogUnits units(font());
    resize(units.ToPixels(350, 201));

    // Created in tab order.
    m_btnGo =
        MakeButton(tr("Go!"), QStringLiteral("goButton"), units.ToPixels(312, 18, 30, 16), this);
    m_btnGo->setDefault(true);
    MakeCaption(tr("Files to rename (.png's .avi's, etc)"), units.ToPixels(0, 0, 68, 20), this);
    m_btnBrowseSource = MakeButton(tr("Browse"), QStringLiteral("browseSourceButton"),
                                   units.ToPixels(9, 20, 50, 14), this);
    MakeCaption(tr("ROM folder\r(where to get target filename)"), units.ToPixels(77, 0, 113, 18),
                this);
    m_btnBrowseRom = MakeButton(tr("Browse"), QStringLiteral("browseRomButton"),
                                units.ToPixels(109, 20, 50, 14), this);

    m_listResults = new CSortListCtrl(kResultListId, this);
    m_listResults->setObjectName(QStringLiteral("resultList"));
    m_listResults->setGeometry(units.ToPixels(0, 48, 349, 153));

    m_checkIgnoreBrackets = new QCheckBox(tr("Ignore everything in () and []'s"), this);
    m_checkIgnoreBrackets->setObjectName(QStringLiteral("ignoreBracketsCheck"));
    m_checkIgnoreBrackets->setGeometry(units.ToPixels(9, 35, 115, 10));
    // Nothing stands to its right: grow it where the font's text would be cut off.
    m_checkIgnoreBrackets->resize(
        std::max(m_checkIgnoreBrackets->width(), m_checkIgnoreBrackets->sizeHint().width()),
        m_checkIgnoreBrackets->height());

    MakeCaption(tr("Destination Folder\r(renamed files will be copied here)"),
                units.ToPixels(189, 0, 119, 17), this);
    m_btnBrowseDest = MakeButton(tr("Browse"), QStringLiteral("browseDestButton"),
                                 units.ToPixels(220, 20, 50, 14), this);
}

void CTallowickDlg::ConnectCommands() {
    connect(m_btnBrowseSource, &QPushButton::clicked, this, &CTallowickDlg::OnBrowseSource);
    connect(m_btnBrowseRom, &QPushButton::clicked, this, &CTallowickDlg::OnBrowseRom);
    connect(m_btnGo, &QPushButton::clicked, this, &CTallowickDlg::OnGo);
    connect(m_btnBrowseDest, &QPushButton::clicked, this, &CTallowickDlg::OnBrowseDest);
    connect(m_listResults, &QWidget::customContextMenuRequested, this,
            &CTallowickDlg::OnListRightClick);
    connect(m_listResults, &CSortListCtrl::keyPressed, this, &CTallowickDlg::OnListKeyDown);
    connect(m_listResults, &CSortListCtrl::listDoubleClicked, this,
            &CTallowickDlg::OnListDoubleClick);
    connect(m_checkIgnoreBrackets, &QCheckBox::toggled, this,
            &CTallowickDlg::OnIgnoreBracketsToggled);
}

void CTallowickDlg::OnInitDialog() {
    LayoutList(true);
    setWindowIcon(m_hIcon);
    m_listResults->DefineColumns(kResultColumns);
    m_listResults->RestoreColumnWidths();
    m_strDestFolder.clear();
    m_btnGo->setEnabled(false);
}

void CTallowickDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_bLayoutRecorded) {
        LayoutList(false);
    }
}

void CTallowickDlg::LayoutList(bool record) {
    const QRect client = rect();
    const int checkBottom = m_checkIgnoreBrackets->geometry().bottom() + 1;
    if (record) {
        const QRect list = m_listResults->geometry();
        m_nListLeftMargin = list.left();
        m_nListTopGap = list.top() - checkBottom;
        m_nListRightMargin = client.width() - (list.left() + list.width());
        m_nListBottomMargin = client.height() - (list.top() + list.height());
        m_bLayoutRecorded = true;
    } else {
        // A client area smaller than the margins (a minimised window) gives an empty list.
        const int top = checkBottom + m_nListTopGap;
        const int width = std::max(0, client.width() - m_nListRightMargin - m_nListLeftMargin);
        const int height = std::max(0, client.height() - m_nListBottomMargin - top);
        m_listResults->setGeometry(m_nListLeftMargin, top, width, height);
    }
    update();
}

// The commands behind the buttons and the list.

void CTallowickDlg::OnBrowseSource() {
    if (BrowseForFolder(m_strSourceFolder, tr("Folder of files to rename..."), *m_folderPicker,
                        this) != 1) {
        return;
    }
    m_strSourceFolder += '/';
    tallowick::RelistFolder(m_sourceListing, m_strSourceFolder);
    m_listResults->DeleteAllRows();
}

void CTallowickDlg::OnBrowseRom() {
    if (BrowseForFolder(m_strRomFolder, tr("Folder of files to get filenames from..."),
                        *m_folderPicker, this) != 1) {
        return;
    }
    m_strRomFolder += '/';
    tallowick::RelistFolder(m_romListing, m_strRomFolder);
    // The new rows go below those of earlier passes.
    AppendRows(LookUpNamesWithProgress());
}

void CTallowickDlg::OnBrowseDest() {
    if (BrowseForFolder(m_strDestFolder, tr("Destination folder for renamed files..."),
                        *m_folderPicker, this) != 1) {
        return;
    }
    m_strDestFolder += '/';
    m_btnGo->setEnabled(true);
}

void CTallowickDlg::OnGo() {
    // Every row that the list holds, as it shows them. The last pass's row count would leave
    // out rows, or take rows of an earlier pass instead, once a second ROM pick has appended.
    std::vector<ResultRow> rows;
    rows.reserve(m_listResults->RowCount());
    for (int row = 0; row < m_listResults->RowCount(); ++row) {
        rows.push_back(RowAt(row));
    }
    CopyRowsAndReport(rows);
}

void CTallowickDlg::RenameSelectedRows() {
    std::vector<ResultRow> rows;
    for (const int row : m_listResults->SelectedRows()) {
        rows.push_back(RowAt(row));
    }
    CopyRowsAndReport(rows);
}

ResultRow CTallowickDlg::RowAt(int row) const {
    return {m_listResults->CellBytes(row, kColumnRomName).toStdString(),
            m_listResults->CellBytes(row, kColumnClosestMatch).toStdString(),
            m_listResults->CellBytes(row, kColumnNewName).toStdString(), 0.0F};
}

void CTallowickDlg::CopyRowsAndReport(const std::vector<ResultRow>& rows) {
    if (m_strDestFolder.empty()) {
        return; // "Go!" and "Rename" are off until then; an empty folder would name the root
    }
    tallowick::CopySummary summary;
    RunJob(rows.size(), tr("Copying files..."), [&](JobState& state) {
        const tallowick::CopyControl control{
            [&](const tallowick::RowCopyReport& report) { ReportDone(state, report.rowsDone); },
            &state.cancelRequested};
        summary = tallowick::CopyRows(rows, m_strSourceFolder, m_strDestFolder, {}, control);
    });
    CCopySummaryDlg(summary, rows.size(), this).exec();
}

void CTallowickDlg::OnIgnoreBracketsToggled() {
    if (m_strRomFolder.empty()) {
        return; // the next ROM pick reads the option
    }
    // Rows found with the other setting would sit among the new ones with no telling them
    // apart, so the new pass replaces every row of the list.
    std::vector<ResultRow> rows = LookUpNamesWithProgress();
    m_listResults->DeleteAllRows();
    AppendRows(rows);
}

std::vector<ResultRow> CTallowickDlg::LookUpNamesWithProgress() {
    const std::vector<std::string> romPaths = tallowick::PathsOf(m_romListing);
    const std::vector<std::string> sourcePaths = tallowick::PathsOf(m_sourceListing);
    const bool ignoreBrackets = m_checkIgnoreBrackets->isChecked();
    std::vector<ResultRow> rows;
    RunJob(romPaths.size(), tr("Looking for names, hang on..."), [&](JobState& state) {
        const tallowick::LookupControl control{[&](std::size_t done) { ReportDone(state, done); },
                                               &state.cancelRequested};
        rows = tallowick::LookUpNames(romPaths, sourcePaths, ignoreBrackets, control);
    });
    m_nRowCount = static_cast<int>(rows.size());
    return rows;
}

void CTallowickDlg::AppendRows(const std::vector<ResultRow>& rows) {
    for (const ResultRow& row : rows) {
        m_listResults->AppendRow({row.romName, row.closestMatch, row.newName});
    }
}

void CTallowickDlg::RunJob(std::size_t itemCount, const QString& status,
                           const std::function<void(JobState&)>& work) {
    CProgressDlg progress(this);
    progress.Open(true, static_cast<int>(std::min<std::size_t>(itemCount, INT_MAX)), status, {});
    m_progressRunning = &progress;
    // Turning the focused button off moves the focus on; it comes back afterwards, so that the
    // keyboard goes on from the button the user pressed.
    const QPointer<QWidget> focused = focusWidget();
    SetJobCommandsEnabled(false);
    RunWithProgress(progress, work);
    SetJobCommandsEnabled(true);
    m_progressRunning = nullptr;
    progress.hide();
    activateWindow(); // the progress window took it when it came to the front
    if (focused) {
        focused->setFocus();
    }
}

void CTallowickDlg::SetJobCommandsEnabled(bool enabled) {
    const std::initializer_list<QWidget*> jobStarters = {m_btnBrowseSource, m_btnBrowseRom,
                                                         m_btnBrowseDest, m_checkIgnoreBrackets};
    for (QWidget* control : jobStarters) {
        control->setEnabled(enabled);
    }
    m_btnGo->setEnabled(enabled && !m_strDestFolder.empty());
}

void CTallowickDlg::ReportDone(JobState& state, std::size_t done) const {
    state.done = done;
    if (m_workObserver) {
        m_workObserver(done);
    }
}

void CTallowickDlg::SetWorkObserver(std::function<void(std::size_t)> observer) {
    m_workObserver = std::move(observer);
}

void CTallowickDlg::reject() {
    if (m_progressRunning) {
        m_progressRunning->reject();
        return;
    }
    QDialog::reject();
}

// The row commands. None runs while a job does: they would start a second job or change the
// rows under it.

void CTallowickDlg::OnListRightClick(const QPoint& position) {
    if (IsJobRunning() || m_listResults->SelectedRows().empty()) {
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("rowMenu"));
    QAction* rename = menu.addAction(tr("Rename"));
    const QAction* modify = menu.addAction(tr("Modify"));
    const QAction* remove = menu.addAction(tr("Delete"));
    rename->setEnabled(!m_strDestFolder.empty());

    const QAction* chosen = menu.exec(m_listResults->viewport()->mapToGlobal(position));
    if (chosen == rename) {
        RenameSelectedRows();
    } else if (chosen == remove) {
        DeleteSelectedRows();
    } else if (chosen == modify) {
        EditSelectedNames();
    }
}

void CTallowickDlg::OnListKeyDown(int key) {
    if (key == Qt::Key_Delete && !IsJobRunning()) {
        DeleteSelectedRows();
    }
}

void CTallowickDlg::OnListDoubleClick() {
    if (!IsJobRunning()) {
        EditSelectedNames();
    }
}

void CTallowickDlg::DeleteSelectedRows() {
    const std::vector<int> selected = m_listResults->SelectedRows();
    // Every selected row goes: the selection need not follow each removal, which with many
    // scattered rows would take seconds.
    m_listResults->clearSelection();
    // From the last row up, so that the rows still to delete keep their indexes.
    for (const int row : std::views::reverse(selected)) {
        m_listResults->DeleteRow(row);
    }
    // Where the last selected row stood once the rows above it were gone: the row after it.
    const int mark = selected.empty() ? 0 : selected.back() - static_cast<int>(selected.size() - 1);
    m_listResults->SetSelectionMark(mark);
}

void CTallowickDlg::EditSelectedNames() {
    CNewFilenameDlg dialog(this);
    for (const int row : m_listResults->SelectedRows()) {
        dialog.m_strName = m_listResults->CellBytes(row, kColumnNewName);
        dialog.exec(); // after Esc m_strName still holds the row's name
        m_listResults->SetCellText(row, kColumnNewName, BytesView(dialog.m_strName));
    }
}
