// SPDX-License-Identifier: MIT
#include "temporary_settings.h"
#include "ui/dialog_units.h"
#include "ui/folder_picker.h"
#include "ui/sort_header_ctrl.h"
#include "ui/sort_list_ctrl.h"
#include "ui/tallowick_dlg.h"

#include <memory>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

/// Answers the folder picker in the user's place, and remembers what it was asked.
class FakeFolderPicker final : public FolderPicker {
public:
    explicit FakeFolderPicker(std::optional<QString> answer) : m_answer(std::move(answer)) {}

    std::optional<QString> PickFolder(const QString& title, QWidget* /*owner*/) override {
        m_titles << title;
        return m_answer;
    }

    QStringList m_titles;

private:
    std::optional<QString> m_answer;
};

} // namespace

class TallowickDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<CTallowickDlg> m_dialog;

    QPushButton* Button(const char* name) const {
        return m_dialog->findChild<QPushButton*>(QLatin1String(name));
    }

private slots:
    void initTestCase() { m_settings = std::make_unique<TemporarySettings>(); }

    void init() {
        TemporarySettings::Clear();
        m_dialog = std::make_unique<CTallowickDlg>();
        // Enter clicks a focused "Browse": the user then cancels the picker.
        m_dialog->SetFolderPicker(std::make_unique<FakeFolderPicker>(std::nullopt));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void cleanup() { m_dialog.reset(); }

    void startsWithEmptyListAndGoDisabled() {
        QCOMPARE(m_dialog->windowTitle(), "Tallowick");
        QVERIFY(!m_dialog->windowIcon().isNull());
        const CSortListCtrl& list = m_dialog->ResultList();
        QCOMPARE(list.ColumnCount(), 3);
        const QStringList headings = {"ROM Name", " Closest Match", "  New Name"};
        for (int column = 0; column < 3; ++column) {
            QCOMPARE(list.model()->headerData(column, Qt::Horizontal).toString(), headings[column]);
            QCOMPARE(list.Header().sectionSize(column), 240);
        }
        QCOMPARE(list.RowCount(), 0);
        QCOMPARE(list.SortColumn(), -1);
        QVERIFY(!Button("goButton")->isEnabled());
        // A focused button stands in as the default; "Go!" is the default elsewhere.
        m_dialog->ResultList().setFocus();
        QVERIFY(Button("goButton")->isDefault());
        QCOMPARE(list.selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list.selectionBehavior(), QAbstractItemView::SelectRows);
    }

    void placesControlsAtTheirTemplatePositions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("units");
        QTest::addColumn<QString>("text");

        QTest::newRow("Go!") << "goButton" << QRect(312, 18, 30, 16) << "Go!";
        QTest::newRow("source") << "browseSourceButton" << QRect(9, 20, 50, 14) << "Browse";
        QTest::newRow("ROM") << "browseRomButton" << QRect(109, 20, 50, 14) << "Browse";
        QTest::newRow("destination") << "browseDestButton" << QRect(220, 20, 50, 14) << "Browse";
        QTest::newRow("option") << "ignoreBracketsCheck" << QRect(9, 35, 115, 10)
                                << "Ignore everything in () and []'s";
        QTest::newRow("list") << "resultList" << QRect(0, 48, 349, 153) << "";
    }

    void placesControlsAtTheirTemplatePositions() {
        QFETCH(QString, name);
        QFETCH(QRect, units);
        QFETCH(QString, text);
        const DialogUnits convert(m_dialog->font());
        auto* control = m_dialog->findChild<QWidget*>(name);
        QVERIFY(control);
        const QRect expected =
            convert.ToPixels(units.x(), units.y(), units.width(), units.height());
        if (name == "ignoreBracketsCheck") {
            // Grows to the right rather than cut its text off.
            QCOMPARE(control->pos(), expected.topLeft());
            QCOMPARE(control->height(), expected.height());
            QVERIFY(control->width() >= expected.width());
            QVERIFY(control->width() >= control->sizeHint().width());
        } else {
            QCOMPARE(control->geometry(), expected);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            QCOMPARE(button->text(), text);
        }
        QCOMPARE(m_dialog->size(), convert.ToPixels(350, 201));
    }

    void showsTheCaptions() {
        QStringList captions;
        for (const QLabel* label : m_dialog->findChildren<QLabel*>()) {
            captions << label->text();
        }
        captions.sort();
        QCOMPARE(captions, (QStringList{"Destination Folder\n(renamed files will be copied here)",
                                        "Files to rename (.png's .avi's, etc)",
                                        "ROM folder\n(where to get target filename)"}));
    }

    void optionCheckBoxIsShownUnchecked() {
        QVERIFY(m_dialog->IgnoreBracketsCheck().isVisible());
        QVERIFY(!m_dialog->IgnoreBracketsCheck().isChecked());
    }

    void listFollowsTheDialogSize_data() {
        QTest::addColumn<QSize>("growth");
        QTest::newRow("wider") << QSize(120, 0);
        QTest::newRow("taller") << QSize(0, 90);
        QTest::newRow("both") << QSize(57, 33);
        QTest::newRow("smaller") << QSize(-100, -60);
    }

    void listFollowsTheDialogSize() {
        QFETCH(QSize, growth);
        const QRect before = m_dialog->ResultList().geometry();
        m_dialog->resize(m_dialog->size() + growth);
        const QRect after = m_dialog->ResultList().geometry();
        QCOMPARE(after.topLeft(), before.topLeft());
        QCOMPARE(after.size(), before.size() + growth);
    }

    void listKeepsItsMarginsToTheEdges() {
        const DialogUnits convert(m_dialog->font());
        const QRect list = m_dialog->ResultList().geometry();
        QCOMPARE(list.left(), 0);
        QCOMPARE(m_dialog->width() - (list.right() + 1),
                 convert.ToPixels(350, 0).width() - convert.ToPixels(349, 0).width());
        QCOMPARE(m_dialog->height() - (list.bottom() + 1), 0);
    }

    void survivesAClientAreaSmallerThanTheMargins() {
        const QSize dialogBefore = m_dialog->size();
        const QRect listBefore = m_dialog->ResultList().geometry();
        m_dialog->resize(1, 1);
        QCOMPARE(m_dialog->ResultList().size(), QSize(0, 0));
        QCOMPARE(m_dialog->ResultList().pos(), listBefore.topLeft());

        m_dialog->resize(dialogBefore + QSize(10, 20));
        QCOMPARE(m_dialog->ResultList().geometry(), listBefore.adjusted(0, 0, 10, 20));
    }

    void enterAndGoNeverClose() {
        Button("goButton")->setEnabled(true);
        QSignalSpy finished(m_dialog.get(), &QDialog::finished);
        QTest::keyClick(m_dialog.get(), Qt::Key_Return);
        QTest::keyClick(m_dialog.get(), Qt::Key_Enter);
        QTest::mouseClick(Button("goButton"), Qt::LeftButton);
        QCOMPARE(finished.size(), 0);
        QVERIFY(m_dialog->isVisible());
    }

    void escapeAndCloseBoxReject_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Esc") << false;
        QTest::newRow("close box") << true;
    }

    void escapeAndCloseBoxReject() {
        QFETCH(bool, closeBox);
        QSignalSpy finished(m_dialog.get(), &QDialog::finished);
        if (closeBox) {
            QVERIFY(m_dialog->close());
        } else {
            QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        }
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QVERIFY(!m_dialog->isVisible());
    }

    void browseForFolderWritesOnlyOnSuccess_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("path");

        QTest::newRow("picked") << std::optional<QString>(QStringLiteral("/srv/roms")) << 1
                                << QByteArray("/srv/roms");
        QTest::newRow("root") << std::optional<QString>(QStringLiteral("/")) << 1
                              << QByteArray("/");
        QTest::newRow("non-ASCII") << std::optional<QString>(QString::fromUtf8("/m\xc3\xa9"
                                                                               "dia"))
                                   << 1
                                   << QByteArray("/m\xc3\xa9"
                                                 "dia");
        QTest::newRow("cancelled") << std::optional<QString>() << 0 << QByteArray("untouched/");
    }

    void browseForFolderWritesOnlyOnSuccess() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(int, result);
        QFETCH(QByteArray, path);
        FakeFolderPicker picker(answer);
        std::string folder = "untouched/";
        QCOMPARE(BrowseForFolder(folder, QStringLiteral("Pick one"), picker), result);
        QCOMPARE(QByteArray::fromStdString(folder), path);
        QCOMPARE(picker.m_titles, QStringList{"Pick one"});
    }
};

QTEST_MAIN(TallowickDlgTest)
#include "tallowick_dlg_test.moc"
