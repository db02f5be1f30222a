// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

/// Asks for the New Name of one row: one edit field holding m_strName. Enter accepts the text;
/// Esc and the close box keep m_strName as it was.
class CNewFilenameDlg : public QDialog {
    Q_OBJECT

public:
    explicit CNewFilenameDlg(QWidget* parent = nullptr);

    /// The name shown and given back, as bytes. A name that is not valid UTF-8 comes back byte
    /// for byte as long as the user does not change its text.
    QByteArray m_strName;

    /// Shows m_strName and runs the dialog modally.
    int exec() override;

    QLineEdit& NameEdit() const { return *m_editName; }

private slots:
    /// Takes the edited text into m_strName and closes the dialog as accepted.
    void OnOkButton();

private:
    QLineEdit* m_editName;  ///< Qt child
    QPushButton* m_btnOk;   ///< hidden default button that turns Enter into OK; Qt child
    QString m_strShownText; ///< what the field showed when the run began
};
