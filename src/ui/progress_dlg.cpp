// SPDX-License-Identifier: MIT
#include "ui/progress_dlg.h"

#include "ui/dialog_units.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

CProgressDlg::CProgressDlg(QWidget* owner)
    : QDialog(owner), m_btnStop(new QPushButton(tr("STOP"), this)),
      m_progress(new QProgressBar(this)), m_labelStatus(new QLabel(this)),
      m_labelDetail(new QLabel(this)), m_animate(new QLabel(this)) {
    setWindowTitle(tr("Progress..."));
    setModal(false);
    CreateControls();
    connect(m_btnStop, &QPushButton::clicked, this, &CProgressDlg::OnOK);
}

void CProgressDlg::CreateControls() {
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(198, 85));

    m_btnStop->setObjectName(QStringLiteral("stopButton"));
    m_btnStop->setGeometry(units.ToPixels(7, 7, 50, 14));
    m_btnStop->setDefault(true);
    m_btnStop->hide();

    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setGeometry(units.ToPixels(7, 68, 184, 9));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);

    m_labelStatus->setObjectName(QStringLiteral("statusText"));
    m_labelStatus->setGeometry(units.ToPixels(7, 29, 184, 8));
    m_labelDetail->setObjectName(QStringLiteral("detailText"));
    m_labelDetail->setGeometry(units.ToPixels(7, 45, 184, 19));
    for (QLabel* label : {m_labelStatus, m_labelDetail}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
    }

    m_animate->setObjectName(QStringLiteral("animation"));
    m_animate->setGeometry(units.ToPixels(141, 7, 50, 40));
}

void CProgressDlg::Open(bool setRange, int upperBound, const QString& status,
                        const QString& detail) {
    Restart(setRange, upperBound, status, detail);
}

void CProgressDlg::Restart(bool setRange, int upperBound, const QString& status,
                           const QString& detail) {
    if (setRange) {
        SetRange(0, upperBound);
    }
    show();
    raise();
    activateWindow();
    m_nStep = 1;
    SetPosition(0);
    SetTexts(status, detail);
}

void CProgressDlg::SetTexts(const QString& status, const QString& detail) {
    m_strStatus = status;
    m_strDetail = detail;
    m_labelStatus->setText(m_strStatus);
    m_labelDetail->setText(m_strDetail);
}

void CProgressDlg::SetRange(int lower, int upper) {
    m_progress->setRange(lower, upper);
}

void CProgressDlg::SetPosition(int position) {
    m_progress->setValue(position);
}

int CProgressDlg::Position() const {
    return m_progress->value();
}

int CProgressDlg::Minimum() const {
    return m_progress->minimum();
}

int CProgressDlg::Maximum() const {
    return m_progress->maximum();
}

void CProgressDlg::OnStepIt() {
    const int position = Position() + m_nStep;
    SetPosition(position > Maximum() ? Minimum() : position);
}

void CProgressDlg::reject() {
    QDialog::reject();
    emit canceled();
}
