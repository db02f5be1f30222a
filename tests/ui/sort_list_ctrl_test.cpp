// SPDX-License-Identifier: MIT
#include "temporary_settings.h"
#include "ui/sort_header_ctrl.h"
#include "ui/sort_list_ctrl.h"

#include <memory>

#include <QDataStream>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr std::string_view kResultColumns = "ROM Name,240; Closest Match,240;  New Name,240;";

QByteArray Widths(std::initializer_list<qint32> values) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    for (const qint32 value : values) {
        stream << value;
    }
    return bytes;
}

QStringList ColumnTexts(const CSortListCtrl& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.RowCount(); ++row) {
        texts << list.CellText(row, column);
    }
    return texts;
}

void ClickHeader(CSortListCtrl& list, int column) {
    CSortHeaderCtrl& header = list.Header();
    const QPoint centre(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                        header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

class SortListCtrlTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<CSortListCtrl> m_list;

    /// The result list with four rows, shown so that header clicks reach it.
    void FillResultList() {
        m_list->DefineColumns(kResultColumns);
        m_list->AppendRow({"Charlie.zip", "charlie.png", "Charlie.png"});
        m_list->AppendRow({"alpha.zip", "", ""});
        m_list->AppendRow({"Bravo.zip", "bravo.png", "Bravo.png"});
        m_list->AppendRow({"delta.zip", "Delta.png", "delta.png"});
        m_list->resize(900, 300);
        m_list->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_list.get()));
    }

private slots:
    void initTestCase() { m_settings = std::make_unique<TemporarySettings>(); }

    void init() {
        TemporarySettings::Clear();
        m_list = std::make_unique<CSortListCtrl>(1003);
    }

    void cleanup() { m_list.reset(); }

    void definesColumns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("widths");

        QTest::newRow("result list")
            << QString::fromLatin1(kResultColumns.data())
            << QStringList{"ROM Name", " Closest Match", "  New Name"} << QList<int>{240, 240, 240};
        QTest::newRow("empty") << "" << QStringList{} << QList<int>{};
        QTest::newRow("no final semicolon")
            << "A,10;B,20" << QStringList{"A", "B"} << QList<int>{10, 20};
        QTest::newRow("trailing heading without comma")
            << "A,10;B" << QStringList{"A"} << QList<int>{10};
        QTest::newRow("width with unit") << "A,15px;" << QStringList{"A"} << QList<int>{15};
    }

    void definesColumns() {
        QFETCH(QString, text);
        QFETCH(QStringList, headings);
        QFETCH(QList<int>, widths);

        QVERIFY(m_list->DefineColumns(text.toStdString()));

        QCOMPARE(m_list->ColumnCount(), headings.size());
        QCOMPARE(m_list->model()->columnCount(), headings.size());
        for (int column = 0; column < headings.size(); ++column) {
            QCOMPARE(m_list->model()->headerData(column, Qt::Horizontal).toString(),
                     headings[column]);
            QCOMPARE(m_list->Header().sectionSize(column), widths[column]);
        }
    }

    void headerClicksToggleTheSort() {
        FillResultList();
        const struct {
            int column;
            bool ascending;
            QStringList order;
        } steps[] = {
            {0, true, {"alpha.zip", "Bravo.zip", "Charlie.zip", "delta.zip"}},
            {0, false, {"delta.zip", "Charlie.zip", "Bravo.zip", "alpha.zip"}},
            {0, true, {"alpha.zip", "Bravo.zip", "Charlie.zip", "delta.zip"}},
            {2, true, {"alpha.zip", "Bravo.zip", "Charlie.zip", "delta.zip"}},
            {2, false, {"delta.zip", "Charlie.zip", "Bravo.zip", "alpha.zip"}},
            {1, true, {"alpha.zip", "Bravo.zip", "Charlie.zip", "delta.zip"}},
        };
        for (const auto& step : steps) {
            ClickHeader(*m_list, step.column);
            QCOMPARE(m_list->SortColumn(), step.column);
            QCOMPARE(m_list->IsSortAscending(), step.ascending);
            QCOMPARE(m_list->Header().SortColumn(), step.column);
            QCOMPARE(m_list->Header().IsSortAscending(), step.ascending);
            QCOMPARE(ColumnTexts(*m_list, 0), step.order);
        }
    }

    void rowsKeepTheirCellsWhenSorted() {
        FillResultList();
        QVERIFY(m_list->SortByColumn(1, false));
        QCOMPARE(ColumnTexts(*m_list, 1),
                 (QStringList{"Delta.png", "charlie.png", "bravo.png", ""}));
        QCOMPARE(ColumnTexts(*m_list, 0),
                 (QStringList{"delta.zip", "Charlie.zip", "Bravo.zip", "alpha.zip"}));
    }

    void rowAppendedAfterSortGoesToTheEnd() {
        FillResultList();
        QVERIFY(m_list->SortByColumn(0, true));
        QCOMPARE(m_list->AppendRow({"aardvark.zip", "", ""}), 4);
        QCOMPARE(ColumnTexts(*m_list, 0).constLast(), "aardvark.zip");
        QCOMPARE(m_list->Header().SortColumn(), 0);
        QVERIFY(m_list->Header().IsSortAscending());

        // Emptying and refilling keeps the mark too.
        QVERIFY(m_list->DeleteAllRows());
        m_list->AppendRow({"b", "", ""});
        m_list->AppendRow({"a", "", ""});
        QCOMPARE(ColumnTexts(*m_list, 0), (QStringList{"b", "a"}));
        QCOMPARE(m_list->Header().SortColumn(), 0);
    }

    void sortSelectsByClickAndFollowsSelection() {
        FillResultList();
        m_list->selectionModel()->select(m_list->model()->index(0, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        m_list->selectionModel()->select(m_list->model()->index(3, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(m_list->SelectedRows(), (std::vector<int>{0, 3}));

        QVERIFY(m_list->SortByColumn(0, true));
        // Charlie and delta were selected; they now stand at 2 and 3.
        QCOMPARE(m_list->SelectedRows(), (std::vector<int>{2, 3}));
    }

    void selectsSeveralFullRowsWithTheMouse() {
        FillResultList();
        const QRect first = m_list->visualRect(m_list->model()->index(0, 2));
        const QRect third = m_list->visualRect(m_list->model()->index(2, 1));
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, third.center());
        QCOMPARE(m_list->SelectedRows(), (std::vector<int>{0, 2}));
    }

    void cellsKeepTheirBytes() {
        m_list->DefineColumns("A,10;B,10;");
        const std::string invalid = "bad \xff\xfe name.zip";
        const std::string accented = "Pok\xc3\xa9mon.gb";
        QCOMPARE(m_list->AppendRow({invalid, accented}), 0);
        QCOMPARE(m_list->CellBytes(0, 0).toStdString(), invalid);
        QCOMPARE(m_list->CellText(0, 1), QString::fromUtf8("Pok\xc3\xa9mon.gb"));

        QVERIFY(m_list->SetCellText(0, 1, invalid));
        QCOMPARE(m_list->CellBytes(0, 1).toStdString(), invalid);
    }

    void refusesCellsThatDoNotExist() {
        m_list->DefineColumns("A,10;B,10;");
        m_list->AppendRow({"one", "two"});
        QVERIFY(!m_list->SetCellText(1, 0, "x"));
        QVERIFY(!m_list->SetCellText(0, 2, "x"));
        QVERIFY(!m_list->SetCellText(-1, 0, "x"));
        QCOMPARE(m_list->CellText(0, 0), "one");
        QVERIFY(!m_list->DeleteRow(1));
        QVERIFY(!m_list->SortByColumn(2, true));
        QCOMPARE(m_list->SortColumn(), -1);
        QVERIFY(m_list->DeleteRow(0));
        QCOMPARE(m_list->RowCount(), 0);
    }

    void appendRowFillsMissingTextsAndDropsExtraOnes() {
        m_list->DefineColumns("A,10;B,10;");
        m_list->AppendRow({"only"});
        m_list->AppendRow({"a", "b", "ignored"});
        QCOMPARE(m_list->CellText(0, 1), QString());
        QCOMPARE(m_list->CellText(1, 1), "b");
        QCOMPARE(m_list->model()->columnCount(), 2);
    }

    void restoresStoredWidths_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QList<int>>("widths");

        QTest::newRow("count 3 applied") << Widths({3, 100, 50, 300}) << QList<int>{100, 50, 300};
        QTest::newRow("count 2 ignored") << Widths({2, 100, 50}) << QList<int>{240, 240, 240};
        QTest::newRow("count 4 ignored") << Widths({4, 1, 2, 3, 4}) << QList<int>{240, 240, 240};
        QTest::newRow("short value applies whole widths")
            << Widths({3, 100, 50}) + QByteArray("\x2c\x01", 2) << QList<int>{100, 50, 240};
        QTest::newRow("bytes after the widths ignored")
            << Widths({3, 10, 20, 30, 40}) << QList<int>{10, 20, 30};
        QTest::newRow("count cut short") << QByteArray("\x03\x00", 2) << QList<int>{240, 240, 240};
        QTest::newRow("nothing stored") << QByteArray() << QList<int>{240, 240, 240};
    }

    void restoresStoredWidths() {
        QFETCH(QByteArray, stored);
        QFETCH(QList<int>, widths);
        if (!stored.isEmpty()) {
            TemporarySettings::StoreColumnWidths(stored);
        }
        m_list->DefineColumns(kResultColumns);
        m_list->RestoreColumnWidths();
        for (int column = 0; column < widths.size(); ++column) {
            QCOMPARE(m_list->Header().sectionSize(column), widths[column]);
        }
    }

    void reportsKeysAndDoubleClicks() {
        FillResultList();
        QSignalSpy keys(m_list.get(), &CSortListCtrl::keyPressed);
        QSignalSpy doubleClicks(m_list.get(), &CSortListCtrl::listDoubleClicked);
        QTest::keyClick(m_list.get(), Qt::Key_Delete);
        QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {},
                           m_list->viewport()->rect().bottomLeft() + QPoint(5, -5));
        QCOMPARE(keys.size(), 1);
        QCOMPARE(keys.first().first().toInt(), int(Qt::Key_Delete));
        QCOMPARE(doubleClicks.size(), 1);
    }
};

QTEST_MAIN(SortListCtrlTest)
#include "sort_list_ctrl_test.moc"
