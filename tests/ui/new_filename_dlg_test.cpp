// SPDX-License-Identifier: MIT
#include "modal_answerer.h"
#include "ui/dialog_units.h"
#include "ui/new_filename_dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class NewFilenameDlgTest : public QObject {
    Q_OBJECT

private slots:
    void isLaidOutFromItsTemplate() {
        CNewFilenameDlg dialog;
        QCOMPARE(dialog.windowTitle(), "New Filename");
        const DialogUnits units(dialog.font());
        QCOMPARE(dialog.size(), units.ToPixels(264, 29));
        QCOMPARE(dialog.NameEdit().geometry(), units.ToPixels(7, 7, 250, 15));
        auto* ok = dialog.findChild<QPushButton*>("okButton");
        QCOMPARE(ok->geometry(), units.ToPixels(57, 7, 50, 14));
        QVERIFY(ok->isDefault());
        QVERIFY(ok->isHidden());
        QVERIFY(dialog.m_strName.isEmpty());
    }

    // Each case: the name given, what the user types over it (nothing: leaves it), the key that
    // ends the run, and the name that comes back.
    void endsWithTheNameTheUserMeant_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray latin1Name("Caf\xe9 (Europe).png");
        QTest::newRow("Enter takes the typed name")
            << QByteArray("Game (USA).png") << "Game (Europe).png" << int(Qt::Key_Return)
            << int(QDialog::Accepted) << QByteArray("Game (Europe).png");
        QTest::newRow("keypad Enter too") << QByteArray("a.png") << "b.png" << int(Qt::Key_Enter)
                                          << int(QDialog::Accepted) << QByteArray("b.png");
        QTest::newRow("Esc keeps the name")
            << QByteArray("Game (USA).png") << "other.png" << int(Qt::Key_Escape)
            << int(QDialog::Rejected) << QByteArray("Game (USA).png");
        QTest::newRow("an empty name is taken as typed")
            << QByteArray("a.png") << "" << int(Qt::Key_Return) << int(QDialog::Accepted)
            << QByteArray();
        QTest::newRow("untouched bytes that are not UTF-8 survive Enter")
            << latin1Name << QString() << int(Qt::Key_Return) << int(QDialog::Accepted)
            << latin1Name;
        QTest::newRow("UTF-8 typed over them")
            << latin1Name << QString::fromUtf8("Caf\xc3\xa9.png") << int(Qt::Key_Return)
            << int(QDialog::Accepted) << QByteArray("Caf\xc3\xa9.png");
    }

    void endsWithTheNameTheUserMeant() {
        QFETCH(QByteArray, name);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, result);
        QFETCH(QByteArray, expected);

        CNewFilenameDlg dialog;
        dialog.m_strName = name;
        QString shown;
        const ModalAnswerer user([&](QWidget* window) {
            auto* edit = window->findChild<QLineEdit*>("nameEdit");
            shown = edit->text();
            if (!typed.isNull()) {
                edit->setText(typed);
            }
            QTest::keyClick(edit, Qt::Key(key));
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(user.Answered(), 1);
        QCOMPARE(shown, QString::fromUtf8(name));
        QCOMPARE(dialog.m_strName, expected);
    }
};

QTEST_MAIN(NewFilenameDlgTest)
#include "new_filename_dlg_test.moc"
