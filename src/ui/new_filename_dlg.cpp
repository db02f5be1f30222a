// SPDX-License-Identifier: MIT
#include "ui/new_filename_dlg.h"

#include "ui/dialog_units.h"

#include <QLineEdit>
#include <QPushButton>

CNewFilenameDlg::CNewFilenameDlg(QWidget* parent)
    : QDialog(parent), m_editName(new QLineEdit(this)),
      m_btnOk(new QPushButton(QStringLiteral("Button1"), this)) {
    setWindowTitle(tr("New Filename"));
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(264, 29));

    m_editName->setObjectName(QStringLiteral("nameEdit"));
    m_editName->setGeometry(units.ToPixels(7, 7, 250, 15));

    m_btnOk->setObjectName(QStringLiteral("okButton"));
    m_btnOk->setGeometry(units.ToPixels(57, 7, 50, 14));
    m_btnOk->setDefault(true);
    m_btnOk->hide();
    connect(m_btnOk, &QPushButton::clicked, this, &CNewFilenameDlg::OnOkButton);
    // Qt passes Enter only to a visible default button, so the field hands it on itself.
    connect(m_editName, &QLineEdit::returnPressed, m_btnOk, &QPushButton::click);
}

int CNewFilenameDlg::exec() {
    m_strShownText = QString::fromUtf8(m_strName);
    m_editName->setText(m_strShownText);
    m_editName->selectAll();
    m_editName->setFocus();
    return QDialog::exec();
}

void CNewFilenameDlg::OnOkButton() {
    // The field can only show a name that is not valid UTF-8 with replacement characters;
    // taking those back would change bytes the user never touched.
    if (m_editName->text() != m_strShownText) {
        m_strName = m_editName->text().toUtf8();
    }
    accept();
}
