// SPDX-License-Identifier: MIT
#include "ui/dialog_units.h"
#include "ui/progress_dlg.h"

#include <memory>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class ProgressDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_owner;
    CProgressDlg* m_progress = nullptr; ///< owned by m_owner

    QString LabelText(const char* name) const {
        return m_progress->findChild<QLabel*>(QLatin1String(name))->text();
    }

private slots:
    void init() {
        m_owner = std::make_unique<QWidget>();
        m_progress = new CProgressDlg(m_owner.get());
    }

    void cleanup() { m_owner.reset(); }

    void isLaidOutFromItsTemplate() {
        QCOMPARE(m_progress->windowTitle(), "Progress...");
        QVERIFY(!m_progress->isModal());
        QCOMPARE(m_progress->parentWidget(), m_owner.get());
        const DialogUnits units(m_progress->font());
        QCOMPARE(m_progress->size(), units.ToPixels(198, 85));
        QCOMPARE(m_progress->findChild<QProgressBar*>()->geometry(), units.ToPixels(7, 68, 184, 9));
        QCOMPARE(m_progress->findChild<QLabel*>("statusText")->geometry(),
                 units.ToPixels(7, 29, 184, 8));
        QCOMPARE(m_progress->findChild<QLabel*>("detailText")->geometry(),
                 units.ToPixels(7, 45, 184, 19));
        auto* stop = m_progress->findChild<QPushButton*>("stopButton");
        QCOMPARE(stop->text(), "STOP");
        QVERIFY(stop->isDefault());
    }

    void openSetsRangeAndTexts_data() {
        QTest::addColumn<bool>("setRange");
        QTest::addColumn<int>("maximum");
        QTest::newRow("range kept") << false << 100;
        QTest::newRow("range set") << true << 1000;
    }

    void openSetsRangeAndTexts() {
        QFETCH(bool, setRange);
        QFETCH(int, maximum);
        m_progress->Open(setRange, 1000, QStringLiteral("Looking for names, hang on..."), {});
        QVERIFY(m_progress->isVisible());
        QCOMPARE(m_progress->Minimum(), 0);
        QCOMPARE(m_progress->Maximum(), maximum);
        QCOMPARE(m_progress->Position(), 0);
        QCOMPARE(m_progress->Step(), 1);
        QCOMPARE(LabelText("statusText"), "Looking for names, hang on...");
        QCOMPARE(LabelText("detailText"), QString());
        QVERIFY(!m_progress->findChild<QPushButton*>("stopButton")->isVisible());
    }

    void stepsAndRestarts() {
        m_progress->Open(true, 3, QStringLiteral("Copying"), QStringLiteral("a.png"));
        m_progress->OnStepIt();
        m_progress->OnStepIt();
        QCOMPARE(m_progress->Position(), 2);
        m_progress->SetStep(5);
        m_progress->Restart(false, 0, QStringLiteral("Again"), QStringLiteral("b.png"));
        QCOMPARE(m_progress->Position(), 0);
        QCOMPARE(m_progress->Step(), 1);
        QCOMPARE(m_progress->Maximum(), 3);
        QCOMPARE(LabelText("statusText"), "Again");
        QCOMPARE(LabelText("detailText"), "b.png");
    }

    void stepPastTheEndStartsOver() {
        m_progress->Open(true, 2, QStringLiteral("x"), {});
        m_progress->OnStepIt();
        m_progress->OnStepIt();
        QCOMPARE(m_progress->Position(), 2);
        m_progress->OnStepIt();
        QCOMPARE(m_progress->Position(), 0);
    }

    void enterDoesNothingEscapeCancels() {
        m_progress->Open(false, 1000, QStringLiteral("Working"), {});
        QVERIFY(QTest::qWaitForWindowExposed(m_progress));
        QSignalSpy finished(m_progress, &QDialog::finished);
        QSignalSpy canceled(m_progress, &CProgressDlg::canceled);

        QTest::keyClick(m_progress, Qt::Key_Return);
        QTest::keyClick(m_progress, Qt::Key_Enter);
        QCOMPARE(finished.size(), 0);
        QVERIFY(m_progress->isVisible());

        QTest::keyClick(m_progress, Qt::Key_Escape);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(m_progress->result(), int(QDialog::Rejected));
        QCOMPARE(canceled.size(), 1);
    }
};

QTEST_MAIN(ProgressDlgTest)
#include "progress_dlg_test.moc"
