// SPDX-License-Identifier: MIT
#pragma once

#include "listing/file_listing.h"

#include <memory>
#include <string>

#include <QDialog>
#include <QIcon>

class CSortListCtrl;
class FolderPicker;
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
    /// The "Ignore everything in () and []'s" option; hidden until the option is offered.
    QCheckBox& IgnoreBracketsCheck() const { return *m_checkIgnoreBrackets; }
    void SetFolderPicker(std::unique_ptr<FolderPicker> picker);

public slots:
    /// Enter never closes the main window.
    void accept() override {}

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

private:
    void CreateControls();
    void ConnectCommands();
    void OnInitDialog();
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
