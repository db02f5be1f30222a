// SPDX-License-Identifier: MIT
#pragma once

#include "listing/file_listing.h"
#include "matching/lookup_pass.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QIcon>
#include <QPointer>

class CProgressDlg;
class CSortListCtrl;
class FolderPicker;
struct JobState;
class QCheckBox;
class QPushButton;

/// The main window: three folder pickers, "Go!" and the result list. Esc and the close box end
/// it (rejected); Enter and "Go!" never close it.
class CTallowickDlg : public QDialog {
    Q_OBJECT

public:
    /// The id under which the result list's column widths are stored.
    static constexpr int kResultListId = 1003;

    explicit CTallowickDlg(QWidget* parent = nullptr);
    ~CTallowickDlg() override;

    CSortListCtrl& ResultList() const { return *m_listResults; }
    /// The "Ignore everything in () and []'s" option, read by every lookup pass.
    QCheckBox& IgnoreBracketsCheck() const { return *m_checkIgnoreBrackets; }
    void SetFolderPicker(std::unique_ptr<FolderPicker> picker);

    const std::string& SourceFolder() const { return m_strSourceFolder; }
    const std::string& RomFolder() const { return m_strRomFolder; }
    const std::string& DestFolder() const { return m_strDestFolder; }
    int LastPassRowCount() const { return m_nRowCount; }
    /// True while a lookup pass or a copy runs under the progress window.
    bool IsJobRunning() const { return !m_progressRunning.isNull(); }

    /// Called on the worker thread each time the running job has finished an item, with the
    /// number done so far; lets tests act at a known point of the work.
    void SetWorkObserver(std::function<void(std::size_t done)> observer);

    /// Deletes every selected row and marks the row that took the place of the last one.
    void DeleteSelectedRows();
    /// Lets the user edit the New Name of each selected row in turn, in a New Filename dialog.
    void EditSelectedNames();

public slots:
    /// Enter never closes the main window.
    void accept() override {}
    /// Esc and the close box end the program; while a job runs they only stop the job, so that
    /// nothing is left half done behind the user's back.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void OnBrowseSource();
    void OnBrowseRom();
    void OnBrowseDest();
    void OnGo();
    void OnListRightClick(const QPoint& position);
    void OnListKeyDown(int key);
    void OnListDoubleClick();
    void OnIgnoreBracketsToggled();

private:
    void CreateControls();
    void ConnectCommands();
    void OnInitDialog();
    /// Runs the lookup pass over the two listings under the progress window and gives the rows
    /// found, all of them unless the user stopped the pass.
    std::vector<tallowick::ResultRow> LookUpNamesWithProgress();
    void AppendRows(const std::vector<tallowick::ResultRow>& rows);
    /// Copies the files of the selected rows at once, the way "Go!" copies every row.
    void RenameSelectedRows();
    tallowick::ResultRow RowAt(int row) const;
    /// Copies the rows' files under the progress window, then tells the user what was done.
    void CopyRowsAndReport(const std::vector<tallowick::ResultRow>& rows);
    /// Runs `work` off the user-interface thread under a progress window that shows `status`
    /// and counts up to `itemCount`. The commands that start jobs are off meanwhile.
    void RunJob(std::size_t itemCount, const QString& status,
                const std::function<void(JobState&)>& work);
    void SetJobCommandsEnabled(bool enabled);
    /// Records `done` for the progress window and tells the work observer.
    void ReportDone(JobState& state, std::size_t done) const;
    /// Records the list's distances to the dialog's edges (`record`), or places the list by
    /// them so that it follows the dialog's size.
    void LayoutList(bool record);

    QIcon m_hIcon;
    std::string m_strSourceFolder; ///< folder of the files to rename, bytes; '/'-terminated
    std::string m_strRomFolder;    ///< folder whose file names are wanted, bytes
    std::string m_strDestFolder;   ///< folder that receives the copies, bytes
    tallowick::CFileListing m_sourceListing;
    tallowick::CFileListing m_romListing;
    int m_nRowCount = 0; ///< rows that the last lookup pass added
    std::unique_ptr<FolderPicker> m_folderPicker;
    QPointer<CProgressDlg> m_progressRunning; ///< the running job's window; null when idle
    std::function<void(std::size_t)> m_workObserver;

    QPushButton* m_btnGo; ///< Qt child, as are all controls below
    QPushButton* m_btnBrowseSource;
    QPushButton* m_btnBrowseRom;
    QPushButton* m_btnBrowseDest;
    QCheckBox* m_checkIgnoreBrackets;
    CSortListCtrl* m_listResults;

    // The list's distances to the dialog's edges, in pixels, recorded once.
    int m_nListLeftMargin = 0;
    int m_nListTopGap = 0; ///< from the bottom of the option check box
    int m_nListRightMargin = 0;
    int m_nListBottomMargin = 0;
    bool m_bLayoutRecorded = false;
};
