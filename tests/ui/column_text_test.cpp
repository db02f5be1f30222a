// SPDX-License-Identifier: MIT
#include "ui/column_text.h"

#include <string>

#include <QTest>

using Columns = std::vector<ColumnDef>;

namespace {

QString Describe(const Columns& columns) {
    QStringList parts;
    for (const ColumnDef& column : columns) {
        parts << QStringLiteral("[%1|%2]")
                     .arg(QString::fromStdString(column.heading))
                     .arg(column.width);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class ColumnTextTest : public QObject {
    Q_OBJECT

private slots:
    void parsesHeadingsAndWidths_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("result list keeps leading blanks")
            << "ROM Name,240; Closest Match,240;  New Name,240;"
            << "[ROM Name|240] [ Closest Match|240] [  New Name|240]";
        QTest::newRow("empty text") << ""
                                    << "";
        QTest::newRow("no final semicolon") << "A,10;B,20"
                                            << "[A|10] [B|20]";
        QTest::newRow("heading without comma ends it") << "A,10;B"
                                                       << "[A|10]";
        QTest::newRow("no digits gives 0") << "A,x;"
                                           << "[A|0]";
        QTest::newRow("digits up to a non-digit") << "A,15px;"
                                                  << "[A|15]";
        QTest::newRow("leading blanks and sign") << "A, \t-7;B,+8;"
                                                 << "[A|-7] [B|8]";
        QTest::newRow("comma at the very end") << "A,"
                                               << "[A|0]";
        QTest::newRow("empty heading") << ",5;"
                                       << "[|5]";
        QTest::newRow("width ends at semicolon, not comma") << "A,1,2;B,3;"
                                                            << "[A|1] [B|3]";
        QTest::newRow("huge width is clamped") << "A,99999999999;"
                                               << "[A|2147483647]";
    }

    void parsesHeadingsAndWidths() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Describe(ParseColumnText(text.toStdString())), expected);
    }

    void keepsHeadingBytes() {
        const std::string text = "caf\xc3\xa9 \xff,12;";
        const Columns columns = ParseColumnText(text);
        QCOMPARE(columns.size(), std::size_t{1});
        QCOMPARE(columns[0].heading, std::string("caf\xc3\xa9 \xff"));
    }
};

QTEST_APPLESS_MAIN(ColumnTextTest)
#include "column_text_test.moc"
