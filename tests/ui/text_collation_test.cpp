// SPDX-License-Identifier: MIT
#include "ui/text_collation.h"

#include <QTest>

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

void AddOrderRows() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("expected");

    QTest::newRow("lower a before upper B") << "apple"
                                            << "Banana" << -1;
    QTest::newRow("upper A before lower b") << "Apple"
                                            << "banana" << -1;
    QTest::newRow("lower before upper when only case differs") << "alpha"
                                                               << "Alpha" << -1;
    QTest::newRow("prefix first") << "Alpha"
                                  << "Alpha Run" << -1;
    QTest::newRow("equal") << "Same (USA).zip"
                           << "Same (USA).zip" << 0;
    QTest::newRow("digits before letters") << "1942"
                                           << "Asteroids" << -1;
}

} // namespace

class TextCollationTest : public QObject {
    Q_OBJECT

private slots:
    void ordersWordsUnderThePosixLocale_data() { AddOrderRows(); }
    void ordersWordsUnderThePosixLocale() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, expected);
        const TextCollation collation(QLocale::c());
        QCOMPARE(Sign(collation.Compare(first, second)), expected);
        QCOMPARE(Sign(collation.Compare(second, first)), -expected);
    }

    void fallbackOrdersWords_data() { AddOrderRows(); }
    void fallbackOrdersWords() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, expected);
        QCOMPARE(Sign(TextCollation::FallbackCompare(first, second)), expected);
        QCOMPARE(Sign(TextCollation::FallbackCompare(second, first)), -expected);
    }

    void sortedOrderIsStableBothWays() {
        // ctest runs this with LC_ALL=C, so the system locale is the POSIX one here.
        const TextCollation collation(QLocale::system());
        const std::vector<QString> texts = {"beta", "Alpha", "beta", "alpha", "Gamma"};
        QCOMPARE(collation.SortedOrder(texts, true), (std::vector<int>{3, 1, 0, 2, 4}));
        QCOMPARE(collation.SortedOrder(texts, false), (std::vector<int>{4, 0, 2, 1, 3}));
    }
};

QTEST_APPLESS_MAIN(TextCollationTest)
#include "text_collation_test.moc"
