// SPDX-License-Identifier: MIT
// Builds the real application object, so it has its own main().
#include "ui/tallowick_app.h"

#include <QDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

/// Once the main dialog runs, presses `keys` on it in turn and records whether it was still
/// open after each.
void PressOnMainDialog(const QList<Qt::Key>& keys, QList<bool>* stillOpen) {
    QTimer::singleShot(0, [keys, stillOpen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        for (const Qt::Key key : keys) {
            if (key == Qt::Key_Return) {
                dialog->findChild<QPushButton*>("goButton")->setEnabled(true);
            }
            QTest::keyClick(dialog, key);
            stillOpen->append(dialog->isVisible());
        }
    });
}

} // namespace

class TallowickAppTest : public QObject {
    Q_OBJECT

private slots:
    void namesItselfAfterTheExecutable() {
        QCOMPARE(QCoreApplication::organizationName(), "Local AppWizard-Generated Applications");
        QCOMPARE(QCoreApplication::applicationName(), "tallowick_app_test");
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    void runsTheDialogUntilEscape() {
        QList<bool> stillOpen;
        PressOnMainDialog({Qt::Key_Return, Qt::Key_Escape}, &stillOpen);
        QCOMPARE(static_cast<CTallowickApp*>(qApp)->InitInstance(), 0);
        QCOMPARE(stillOpen, (QList<bool>{true, false}));
    }
};

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true); // the dialog reads settings: never the user's own
    CTallowickApp app(argc, argv);
    TallowickAppTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tallowick_app_test.moc"
