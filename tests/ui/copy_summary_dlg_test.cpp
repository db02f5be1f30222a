// SPDX-License-Identifier: MIT
#include "ui/copy_summary_dlg.h"

#include <QPlainTextEdit>
#include <QTest>

using tallowick::CopySummary;

Q_DECLARE_METATYPE(tallowick::CopySummary)

class CopySummaryDlgTest : public QObject {
    Q_OBJECT

private slots:
    void saysWhatWasDone_data() {
        QTest::addColumn<CopySummary>("summary");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QString>("text");

        CopySummary one;
        one.rowsDone = 1;
        one.copied = 1;
        QTest::newRow("one copy") << one << 1 << "Copied 1 file.\nNothing failed.";

        CopySummary mixed;
        mixed.rowsDone = 9;
        mixed.copied = 5;
        mixed.skippedNoMatch = 2;
        mixed.failures = {{3, "/s/a.png", "/d/b.png", "No space left on device"},
                          {7, "/s/c.png", "/d/../c.png", "not a plain file name"}};
        QTest::newRow("failures") << mixed << 9
                                  << "Copied 5 files.\nSkipped 2 rows without a match.\n"
                                     "2 copies failed:";

        CopySummary stopped;
        stopped.rowsDone = 3;
        stopped.copied = 2;
        stopped.skippedNoMatch = 1;
        stopped.cancelled = true;
        QTest::newRow("stopped") << stopped << 40
                                 << "Stopped after 3 of 40 rows.\nCopied 2 files.\n"
                                    "Skipped 1 row without a match.\nNothing failed.";

        CopySummary nothing;
        QTest::newRow("no rows") << nothing << 0 << "Copied 0 files.\nNothing failed.";
    }

    void saysWhatWasDone() {
        QFETCH(CopySummary, summary);
        QFETCH(int, rowCount);
        QFETCH(QString, text);
        QCOMPARE(CopySummaryText(summary, std::size_t(rowCount)), text);
    }

    void listsEveryFailureWithSourceTargetAndReason() {
        CopySummary summary;
        summary.failures = {{3, "/s/a.png", "/d/b.png", "No space left on device"},
                            {7, "/s/c.png", "/d/../c.png", "not a plain file name"}};
        CCopySummaryDlg dialog(summary, 9);
        const auto* list = dialog.findChild<QPlainTextEdit*>("failureList");
        QVERIFY(list != nullptr);
        QCOMPARE(list->toPlainText(), "Source: /s/a.png\nTarget: /d/b.png\n"
                                      "Reason: No space left on device\n\n"
                                      "Source: /s/c.png\nTarget: /d/../c.png\n"
                                      "Reason: not a plain file name");
    }

    void aRunWithoutFailuresHasNoList() {
        CopySummary summary;
        summary.copied = 4;
        CCopySummaryDlg dialog(summary, 4);
        QCOMPARE(dialog.findChild<QPlainTextEdit*>("failureList"), nullptr);
        QCOMPARE(dialog.windowTitle(), "Copying done");
    }
};

QTEST_MAIN(CopySummaryDlgTest)
#include "copy_summary_dlg_test.moc"
