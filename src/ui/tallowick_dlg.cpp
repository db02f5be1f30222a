// SPDX-License-Identifier: MIT
#include "ui/tallowick_dlg.h"

#include "ui/app_icon.h"
#include "ui/dialog_units.h"
#include "ui/folder_picker.h"
#include "ui/sort_list_ctrl.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr std::string_view kResultColumns = "ROM Name,240; Closest Match,240;  New Name,240;";

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
    m_checkIgnoreBrackets->hide();

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

void CTallowickDlg::OnBrowseSource() {}

void CTallowickDlg::OnBrowseRom() {}

void CTallowickDlg::OnBrowseDest() {}

void CTallowickDlg::OnGo() {}

void CTallowickDlg::OnListRightClick(const QPoint& /*position*/) {}

void CTallowickDlg::OnListKeyDown(int /*key*/) {}

void CTallowickDlg::OnListDoubleClick() {}
