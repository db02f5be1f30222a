// SPDX-License-Identifier: MIT
#include "listing/file_listing.h"
#include "matching/lookup_pass.h"
#include "modal_answerer.h"
#include "scripted_folder_picker.h"
#include "temp_dir.h"
#include "temporary_settings.h"
#include "ui/progress_dlg.h"
#include "ui/sort_list_ctrl.h"
#include "ui/tallowick_dlg.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using tallowick::ResultRow;
using tallowick::testing_support::TempDir;

namespace {

const std::vector<std::string> kRomNames = {
    "Alex Kidd in Miracle World (USA, Europe).sms", "Fantasy Zone (World).sms",
    "Golden Axe (USA, Europe).sms", "Shinobi (USA, Europe).sms", "Zzyzx Unmatched.sms"};
const std::vector<std::string> kSourceNames = {
    "Alex Kidd in Miracle World (USA, Europe).png", "Fantasy Zone (Japan).png",
    "Golden Axe (Europe).png", "Shinobi (Europe).png", "Wonder Boy (USA).png"};

using Row = std::vector<QByteArray>;

Row RowOf(const ResultRow& row) {
    return {QByteArray::fromStdString(row.romName), QByteArray::fromStdString(row.closestMatch),
            QByteArray::fromStdString(row.newName)};
}

/// The rows that the core's lookup pass makes of the two folders.
std::vector<Row> LookUpRows(const std::string& sourceFolder, const std::string& romFolder,
                            bool ignoreBrackets) {
    tallowick::CFileListing sources;
    tallowick::CFileListing roms;
    tallowick::RelistFolder(sources, sourceFolder);
    tallowick::RelistFolder(roms, romFolder);
    std::vector<Row> rows;
    for (const ResultRow& row : tallowick::LookUpNames(
             tallowick::PathsOf(roms), tallowick::PathsOf(sources), ignoreBrackets)) {
        rows.push_back(RowOf(row));
    }
    return rows;
}

std::vector<Row> RowsOf(const CSortListCtrl& list) {
    std::vector<Row> rows;
    for (int row = 0; row < list.RowCount(); ++row) {
        rows.push_back({list.CellBytes(row, 0), list.CellBytes(row, 1), list.CellBytes(row, 2)});
    }
    return rows;
}

/// Every file of `folder` by name, with the SHA-256 of its content.
std::map<QString, QByteArray> Checksums(const std::string& folder) {
    std::map<QString, QByteArray> sums;
    const QDir dir(QString::fromStdString(folder));
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly)) {
            sums[name] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        }
    }
    return sums;
}

/// The file's content, read by its path's bytes (which need not be UTF-8).
QByteArray Content(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return "(missing)";
    }
    const std::string content{std::istreambuf_iterator<char>(file), {}};
    return QByteArray::fromStdString(content);
}

/// What the summary after a copy said, read by the user who then closes it.
struct CopySummaryShown {
    int shown = 0;
    QString title;
    QString text;
    QString failures;
};

/// Holds the running job's worker once it has done `items` items, until the user-interface
/// thread has run `action`: lets a test look at, or act on, a job that is surely still running.
class WorkPause {
public:
    WorkPause(CTallowickDlg& dialog, std::size_t items, std::function<void()> action)
        : m_action(std::move(action)) {
        dialog.SetWorkObserver([this, items](std::size_t done) {
            if (done >= items && !m_paused.exchange(true)) {
                m_pausedAt = done;
                while (!m_released) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            }
        });
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            if (m_paused && !m_released) {
                m_action();
                m_released = true;
            }
        });
        m_poll.start(2);
    }

    bool Happened() const { return m_released; }
    /// The count of items done that the worker was held at.
    std::size_t PausedAt() const { return m_pausedAt; }

private:
    std::function<void()> m_action;
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_released{false};
    std::atomic<std::size_t> m_pausedAt{0};
    QTimer m_poll;
};

} // namespace

class MainCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporarySettings> m_settings;
    std::unique_ptr<TempDir> m_source;
    std::unique_ptr<TempDir> m_roms;
    std::unique_ptr<TempDir> m_dest;
    std::unique_ptr<CTallowickDlg> m_dialog;
    ScriptedFolderPicker* m_picker = nullptr; ///< owned by m_dialog

    QPushButton* Button(const char* name) const {
        return m_dialog->findChild<QPushButton*>(QLatin1String(name));
    }
    CSortListCtrl& List() const { return m_dialog->ResultList(); }

    /// Clicks `button` and picks `folder` in the picker it opens.
    void Pick(const char* button, const std::string& folder) {
        m_picker->Answer(QFile::decodeName(QByteArray::fromStdString(folder)));
        QTest::mouseClick(Button(button), Qt::LeftButton);
    }
    void PickAll() {
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        Pick("browseDestButton", m_dest->Path());
    }

    static void AddFiles(const TempDir& folder, const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            folder.AddFile(name, "content of " + name);
        }
    }

    void SelectRows(const std::vector<int>& rows) {
        List().clearSelection();
        for (const int row : rows) {
            List().selectionModel()->select(List().model()->index(row, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
        }
    }

    /// Right-clicks the list and gives the texts and states of the menu that opens, choosing
    /// `choice` in it (nothing: the menu is dismissed). Empty when no menu opened.
    QStringList RightClick(const QString& choice = {}) {
        QStringList items;
        const ModalAnswerer user([&](QWidget* window) {
            auto* menu = qobject_cast<QMenu*>(window);
            if (menu == nullptr) {
                return; // a dialog opened by the chosen command
            }
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                items << action->text() + (action->isEnabled() ? "" : " (greyed)");
                if (action->text() == choice) {
                    chosen = action;
                }
            }
            if (chosen != nullptr) {
                menu->setActiveAction(chosen);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                QTest::keyClick(menu, Qt::Key_Escape);
            }
        });
        emit List().customContextMenuRequested(QPoint(5, 5));
        return items;
    }

    /// Runs `command`, reads the summary that follows it and closes that.
    CopySummaryShown Copy(const std::function<void()>& command) {
        CopySummaryShown summary;
        const ModalAnswerer user([&](QWidget* window) {
            if (qobject_cast<QMenu*>(window) != nullptr) {
                return;
            }
            ++summary.shown;
            summary.title = window->windowTitle();
            summary.text = window->findChild<QLabel*>("summaryText")->text();
            if (const auto* list = window->findChild<QPlainTextEdit*>("failureList")) {
                summary.failures = list->toPlainText();
            }
            qobject_cast<QDialog*>(window)->accept();
        });
        command();
        return summary;
    }
    CopySummaryShown PressGo() {
        return Copy([this] { QTest::mouseClick(Button("goButton"), Qt::LeftButton); });
    }

    /// The files that copying these rows makes: New Name → content of the Closest Match.
    std::map<QString, QByteArray> ExpectedCopies(const std::vector<Row>& rows) const {
        std::map<QString, QByteArray> copies;
        for (const Row& row : rows) {
            if (!row[1].isEmpty()) {
                copies[QString::fromUtf8(row[2])] = QCryptographicHash::hash(
                    Content(*m_source / row[1].toStdString()), QCryptographicHash::Sha256);
            }
        }
        return copies;
    }

private slots:
    void initTestCase() { m_settings = std::make_unique<TemporarySettings>(); }

    void init() {
        m_source = std::make_unique<TempDir>();
        m_roms = std::make_unique<TempDir>();
        m_dest = std::make_unique<TempDir>();
        AddFiles(*m_source, kSourceNames);
        AddFiles(*m_roms, kRomNames);
        m_dialog = std::make_unique<CTallowickDlg>();
        auto picker = std::make_unique<ScriptedFolderPicker>();
        m_picker = picker.get();
        m_dialog->SetFolderPicker(std::move(picker));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void cleanup() {
        m_dialog.reset();
        m_source.reset();
        m_roms.reset();
        m_dest.reset();
    }

    void picksAskWithTheirTitlesAndEndInASeparator() {
        PickAll();
        QCOMPARE(m_picker->m_titles, (QStringList{"Folder of files to rename...",
                                                  "Folder of files to get filenames from...",
                                                  "Destination folder for renamed files..."}));
        QCOMPARE(m_dialog->SourceFolder(), m_source->Path() + '/');
        QCOMPARE(m_dialog->RomFolder(), m_roms->Path() + '/');
        QCOMPARE(m_dialog->DestFolder(), m_dest->Path() + '/');
        QVERIFY(Button("goButton")->isEnabled());
    }

    void romPickFillsTheListAsTheLookupPassDoes() {
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        const std::vector<Row> expected = LookUpRows(m_source->Path(), m_roms->Path(), false);
        QCOMPARE(RowsOf(List()), expected);
        QCOMPARE(m_dialog->LastPassRowCount(), int(kRomNames.size()));
        QVERIFY(!Button("goButton")->isEnabled()); // no destination yet
        QVERIFY(m_dialog->findChild<CProgressDlg*>() == nullptr);
    }

    void aCancelledPickChangesNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("source") << "browseSourceButton";
        QTest::newRow("ROM") << "browseRomButton";
        QTest::newRow("destination") << "browseDestButton";
    }

    void aCancelledPickChangesNothing() {
        QFETCH(QString, button);
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        const std::vector<Row> rowsBefore = RowsOf(List());
        int itemsLookedUp = 0;
        m_dialog->SetWorkObserver([&](std::size_t) { ++itemsLookedUp; });

        m_picker->Answer(std::nullopt);
        QTest::mouseClick(Button(button.toLatin1().constData()), Qt::LeftButton);

        QCOMPARE(RowsOf(List()), rowsBefore);
        QCOMPARE(m_dialog->SourceFolder(), m_source->Path() + '/');
        QCOMPARE(m_dialog->RomFolder(), m_roms->Path() + '/');
        QCOMPARE(m_dialog->DestFolder(), "");
        QVERIFY(!Button("goButton")->isEnabled());
        QCOMPARE(itemsLookedUp, 0);
    }

    void sourcePickEmptiesTheListButKeepsTheRowCount() {
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        Pick("browseSourceButton", m_source->Path());
        QCOMPARE(List().RowCount(), 0);
        QCOMPARE(m_dialog->LastPassRowCount(), int(kRomNames.size()));
    }

    void secondRomPickAppendsItsRows() {
        TempDir moreRoms;
        AddFiles(moreRoms, {"Shinobi (Japan).sms", "Golden Axe Warrior (USA).sms"});
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        Pick("browseRomButton", moreRoms.Path());

        std::vector<Row> expected = LookUpRows(m_source->Path(), m_roms->Path(), false);
        const std::vector<Row> second = LookUpRows(m_source->Path(), moreRoms.Path(), false);
        expected.insert(expected.end(), second.begin(), second.end());
        QCOMPARE(RowsOf(List()), expected);
        QCOMPARE(m_dialog->LastPassRowCount(), 2);
    }

    void lookupRunsUnderTheProgressWindowWithTheCommandsOff() {
        Pick("browseSourceButton", m_source->Path());
        Pick("browseDestButton", m_dest->Path());
        QString status;
        int maximum = -1;
        bool visible = false;
        QStringList enabledDuringJob;
        const WorkPause pause(*m_dialog, 1, [&] {
            const auto* progress = m_dialog->findChild<CProgressDlg*>();
            status = progress->Status();
            maximum = progress->Maximum();
            visible = progress->isVisible();
            for (const char* name : {"browseSourceButton", "browseRomButton", "browseDestButton",
                                     "goButton", "ignoreBracketsCheck"}) {
                if (m_dialog->findChild<QWidget*>(name)->isEnabled()) {
                    enabledDuringJob << name;
                }
            }
        });
        Pick("browseRomButton", m_roms->Path());

        QVERIFY(pause.Happened());
        QCOMPARE(status, "Looking for names, hang on...");
        QCOMPARE(maximum, int(kRomNames.size()));
        QVERIFY(visible);
        QCOMPARE(enabledDuringJob, QStringList());
        QVERIFY(Button("browseRomButton")->isEnabled());
        QVERIFY(Button("goButton")->isEnabled());
        QVERIFY(m_dialog->IgnoreBracketsCheck().isEnabled());
    }

    void theKeyboardFocusReturnsToTheButtonPressed() {
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        Pick("browseSourceButton", m_source->Path());
        QPushButton* rom = Button("browseRomButton");
        rom->setFocus();
        m_picker->Answer(QString::fromStdString(m_roms->Path()));
        QTest::keyClick(rom, Qt::Key_Space);
        QCOMPARE(List().RowCount(), int(kRomNames.size()));
        QTRY_COMPARE(QApplication::focusWidget(), rom);
    }

    // Esc and the close box of the progress window, and those of the main window while it
    // works, stop the pass; the rows found so far stay and the main window stays open.
    void stoppingTheLookupKeepsTheRowsFoundSoFar_data() {
        QTest::addColumn<bool>("fromMainWindow");
        QTest::newRow("progress window") << false;
        QTest::newRow("main window") << true;
    }

    void stoppingTheLookupKeepsTheRowsFoundSoFar() {
        QFETCH(bool, fromMainWindow);
        // Enough work that the pass is surely not done when it first reports: the threaded
        // pass first reports when its first ROM file is done, however far the others got.
        std::vector<std::string> manyRoms;
        std::vector<std::string> manySources;
        for (int i = 0; i < 2000; ++i) {
            manyRoms.push_back("Shinobi Part " + std::to_string(i) + " (USA).sms");
            manySources.push_back("Shinobi Stage " + std::to_string(i * 3) + " (Japan).png");
        }
        TempDir roms;
        TempDir sources;
        AddFiles(roms, manyRoms);
        AddFiles(sources, manySources);
        Pick("browseSourceButton", sources.Path());
        const WorkPause pause(*m_dialog, 1, [&] {
            if (fromMainWindow) {
                m_dialog->close();
            } else {
                QTest::keyClick(m_dialog->findChild<CProgressDlg*>(), Qt::Key_Escape);
            }
        });
        Pick("browseRomButton", roms.Path());

        QVERIFY(pause.Happened());
        if (pause.PausedAt() == manyRoms.size()) {
            QSKIP("the pass had done every ROM file by its first report");
        }
        QVERIFY(m_dialog->isVisible());
        const std::vector<Row> rows = RowsOf(List());
        QVERIFY(rows.size() >= pause.PausedAt());
        QVERIFY2(rows.size() < manyRoms.size(), "the pass was not stopped");
        const std::vector<Row> all = LookUpRows(sources.Path(), roms.Path(), false);
        QCOMPARE(rows, std::vector<Row>(all.begin(), all.begin() + rows.size()));
        QCOMPARE(m_dialog->LastPassRowCount(), int(rows.size()));
        QVERIFY(!m_dialog->IsJobRunning());
    }

    void deleteRemovesTheSelectedRowsAndMarksTheNext_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("Delete key") << false;
        QTest::newRow("context menu") << true;
    }

    void deleteRemovesTheSelectedRowsAndMarksTheNext() {
        QFETCH(bool, byMenu);
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        const std::vector<Row> before = RowsOf(List());
        SelectRows({1, 3});
        if (byMenu) {
            RightClick("Delete");
        } else {
            QTest::keyClick(&List(), Qt::Key_Delete);
        }
        QCOMPARE(RowsOf(List()), (std::vector<Row>{before[0], before[2], before[4]}));
        QCOMPARE(List().SelectionMark(), 2);
        QVERIFY(List().SelectedRows().empty());
        QCOMPARE(m_dialog->LastPassRowCount(), 5);
    }

    void deleteWithNothingSelectedOnlyMarksTheFirstRow() {
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        List().clearSelection();
        QTest::keyClick(&List(), Qt::Key_Delete);
        QCOMPARE(List().RowCount(), 5);
        QCOMPARE(List().SelectionMark(), 0);
    }

    void theRowMenuOffersRenameOnlyWithADestination() {
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        List().clearSelection();
        QCOMPARE(RightClick(), QStringList());

        SelectRows({0});
        QCOMPARE(RightClick(), (QStringList{"Rename (greyed)", "Modify", "Delete"}));
        Pick("browseDestButton", m_dest->Path());
        QCOMPARE(RightClick(), (QStringList{"Rename", "Modify", "Delete"}));
        QCOMPARE(List().RowCount(), 5);
    }

    void modifyEditsEachSelectedRowInTurn_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("context menu") << true;
        QTest::newRow("double-click") << false;
    }

    void modifyEditsEachSelectedRowInTurn() {
        QFETCH(bool, byMenu);
        Pick("browseSourceButton", m_source->Path());
        Pick("browseRomButton", m_roms->Path());
        const std::vector<Row> before = RowsOf(List());
        SelectRows({0, 2});

        QStringList shown;
        const ModalAnswerer user([&](QWidget* window) {
            if (qobject_cast<QMenu*>(window) != nullptr) {
                return; // the row menu is answered by RightClick
            }
            QCOMPARE(window->windowTitle(), "New Filename");
            auto* edit = window->findChild<QLineEdit*>("nameEdit");
            shown << edit->text();
            if (shown.size() == 1) {
                edit->setText(QStringLiteral("Renamed.png"));
                QTest::keyClick(edit, Qt::Key_Return);
            } else {
                QTest::keyClick(edit, Qt::Key_Escape);
            }
        });
        if (byMenu) {
            RightClick("Modify");
        } else {
            emit List().listDoubleClicked();
        }

        QCOMPARE(shown,
                 (QStringList{QString::fromUtf8(before[0][2]), QString::fromUtf8(before[2][2])}));
        QCOMPARE(List().CellBytes(0, 2), "Renamed.png");
        QCOMPARE(List().CellBytes(2, 2), before[2][2]);
    }

    void theOptionIsShownUncheckedAndRerunsTheLookup() {
        TempDir sources;
        TempDir roms;
        AddFiles(sources, {"Ax.png", "Game (Europe).png", "Game (USA).png"});
        AddFiles(roms, {"Ax (USA, Europe, Brazil) (Rev 2).sms", "Game (USA).sms"});
        QCheckBox& option = m_dialog->IgnoreBracketsCheck();
        QVERIFY(option.isVisible());
        QVERIFY(!option.isChecked());

        Pick("browseSourceButton", sources.Path());
        // A pass begins where the count of ROM files done starts again from below.
        int passes = 0;
        std::size_t lastDone = SIZE_MAX;
        m_dialog->SetWorkObserver([&](std::size_t done) {
            passes += done <= lastDone ? 1 : 0;
            lastDone = done;
        });
        QTest::mouseClick(&option, Qt::LeftButton); // no ROM folder yet: nothing runs
        QCOMPARE(passes, 0);
        QCOMPARE(List().RowCount(), 0);

        Pick("browseRomButton", roms.Path());
        const std::vector<Row> withOption = LookUpRows(sources.Path(), roms.Path(), true);
        const std::vector<Row> without = LookUpRows(sources.Path(), roms.Path(), false);
        QVERIFY(withOption != without);
        QCOMPARE(RowsOf(List()), withOption);

        QTest::mouseClick(&option, Qt::LeftButton);
        QCOMPARE(RowsOf(List()), without);
        QTest::mouseClick(&option, Qt::LeftButton);
        QCOMPARE(RowsOf(List()), withOption);
        QCOMPARE(passes, 3);
    }

    void goCopiesTheMatchedFilesAndLeavesTheSourcesAlone() {
        const auto sourcesBefore = Checksums(m_source->Path());
        PickAll();
        const std::vector<Row> rows = RowsOf(List());
        const CopySummaryShown summary = PressGo();

        QCOMPARE(Checksums(m_dest->Path()), ExpectedCopies(rows));
        QCOMPARE(Checksums(m_dest->Path()).size(), std::size_t(4));
        QCOMPARE(Checksums(m_source->Path()), sourcesBefore);
        QCOMPARE(summary.shown, 1);
        QCOMPARE(summary.title, "Copying done");
        QCOMPARE(summary.text, "Copied 4 files.\nSkipped 1 row without a match.\nNothing failed.");
        QCOMPARE(summary.failures, "");
    }

    void goAfterASecondRomPickCopiesEveryRowShown() {
        TempDir moreRoms;
        AddFiles(moreRoms, {"Wonder Boy (Japan).sms"});
        PickAll();
        Pick("browseRomButton", moreRoms.Path());
        QCOMPARE(List().RowCount(), 6);
        QCOMPARE(m_dialog->LastPassRowCount(), 1);

        const CopySummaryShown summary = PressGo();
        QCOMPARE(Checksums(m_dest->Path()), ExpectedCopies(RowsOf(List())));
        QVERIFY(QFile::exists(QString::fromStdString(*m_dest / "Wonder Boy (Japan).png")));
        QVERIFY(summary.text.startsWith("Copied 5 files."));
    }

    // Two rows with the same New Name: the copy of the row shown lower wins.
    void goCopiesInTheOrderShown() {
        PickAll();
        const std::vector<Row> rows = RowsOf(List());
        List().SetCellText(0, 2, "same.png");
        List().SetCellText(1, 2, "same.png");
        PressGo();
        QCOMPARE(Content(*m_dest / "same.png"), Content(*m_source / rows[1][1].toStdString()));

        List().SortByColumn(0, false);
        const CopySummaryShown summary = PressGo();
        QCOMPARE(Content(*m_dest / "same.png"), Content(*m_source / rows[0][1].toStdString()));
        QVERIFY(summary.text.contains("1 copy replaced the copy of an earlier row"));
    }

    // Names that are not valid UTF-8 keep their bytes from the listing to the copy, also
    // through a New Filename run that leaves the name as it is.
    void namesThatAreNotUtf8KeepTheirBytes() {
        TempDir sources;
        TempDir roms;
        sources.AddFile("Caf\xe9 Racer (Europe).png", "latin-1 image");
        roms.AddFile("Caf\xe9 Racer (USA).sms");
        Pick("browseSourceButton", sources.Path());
        Pick("browseRomButton", roms.Path());
        Pick("browseDestButton", m_dest->Path());
        QCOMPARE(List().CellBytes(0, 2), "Caf\xe9 Racer (USA).png");

        SelectRows({0});
        const ModalAnswerer user([](QWidget* window) {
            QTest::keyClick(window->findChild<QLineEdit*>("nameEdit"), Qt::Key_Return);
        });
        m_dialog->EditSelectedNames();
        QCOMPARE(List().CellBytes(0, 2), "Caf\xe9 Racer (USA).png");

        PressGo();
        QCOMPARE(Content(*m_dest / "Caf\xe9 Racer (USA).png"), "latin-1 image");
    }

    void renameCopiesTheSelectedRowsAtOnce() {
        PickAll();
        const std::vector<Row> rows = RowsOf(List());
        SelectRows({0, 2, 3});
        const CopySummaryShown summary = Copy([this] { RightClick("Rename"); });

        QCOMPARE(Checksums(m_dest->Path()), ExpectedCopies({rows[0], rows[2], rows[3]}));
        QCOMPARE(summary.text, "Copied 3 files.\nNothing failed.");
    }

    void aFailedCopyIsReportedAndTheOthersAreMade_data() {
        QTest::addColumn<QByteArray>("newName");
        QTest::addColumn<bool>("removeSource");
        QTest::newRow("source gone") << QByteArray() << true;
        QTest::newRow("name climbs out of the folder") << QByteArray("../escaped.png") << false;
        QTest::newRow("name with a folder") << QByteArray("sub/x.png") << false;
        QTest::newRow("empty name") << QByteArray("") << false;
    }

    void aFailedCopyIsReportedAndTheOthersAreMade() {
        QFETCH(QByteArray, newName);
        QFETCH(bool, removeSource);
        PickAll();
        std::vector<Row> rows = RowsOf(List());
        if (removeSource) {
            QVERIFY(QFile::remove(QString::fromStdString(*m_source / rows[1][1].toStdString())));
        } else {
            List().SetCellText(1, 2, newName.toStdString());
        }
        const QString target = QString::fromStdString(
            m_dest->Path() + '/' + (removeSource ? rows[1][2] : newName).toStdString());

        const CopySummaryShown summary = PressGo();

        QCOMPARE(summary.text, "Copied 3 files.\nSkipped 1 row without a match.\n1 copy failed:");
        const QString source = QString::fromStdString(*m_source / rows[1][1].toStdString());
        const QStringList lines = summary.failures.split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], "Source: " + source);
        QCOMPARE(lines[1], "Target: " + target);
        QVERIFY2(lines[2].startsWith("Reason: ") && lines[2].size() > 12, qPrintable(lines[2]));
        rows.erase(rows.begin() + 1);
        QCOMPARE(Checksums(m_dest->Path()), ExpectedCopies(rows));
        QVERIFY(!QFile::exists(QString::fromStdString(*m_dest / "../escaped.png")));
    }

    void stoppingGoKeepsTheCopiesMadeSoFar() {
        PickAll();
        const std::vector<Row> rows = RowsOf(List());
        const WorkPause pause(*m_dialog, 1, [this] {
            QTest::keyClick(m_dialog->findChild<CProgressDlg*>(), Qt::Key_Escape);
        });
        const CopySummaryShown summary = PressGo();

        QVERIFY(pause.Happened());
        QCOMPARE(summary.title, "Copying stopped");
        QCOMPARE(summary.text, "Stopped after 1 of 5 rows.\nCopied 1 file.\nNothing failed.");
        QCOMPARE(Checksums(m_dest->Path()), ExpectedCopies({rows[0]}));
    }

    // The window keeps handling paint requests, and the bar follows the pass, while a long
    // lookup pass runs. The pass is made long by holding the worker a moment at its first
    // report, unless TALLOWICK_LONG_LOOKUP_FILES asks for a real one over that many ROM and
    // source files.
    void keepsRepaintingWhileALongLookupRuns() {
        const int realFiles = qEnvironmentVariableIntValue("TALLOWICK_LONG_LOOKUP_FILES");
        const int files = realFiles > 0 ? realFiles : 200;
        TempDir sources;
        TempDir roms;
        for (int i = 0; i < files; ++i) {
            const std::string title =
                "Title " + std::to_string(i * 7919 % 100'003) + " Part " + std::to_string(i % 37);
            roms.AddFile(title + " (USA, Europe).sms");
            sources.AddFile(title + " (Europe).png");
        }
        bool held = false;
        if (realFiles == 0) {
            m_dialog->SetWorkObserver([&held](std::size_t) {
                if (!std::exchange(held, true)) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(400));
                }
            });
        }
        Pick("browseSourceButton", sources.Path());

        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject* /*watched*/, QEvent* event) override {
                paints += event->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } counter;
        QList<int> barPositions;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            if (const auto* progress = m_dialog->findChild<CProgressDlg*>()) {
                if (barPositions.isEmpty() || barPositions.last() != progress->Position()) {
                    barPositions << progress->Position();
                }
                m_dialog->update(); // as the window system asks when the window is uncovered
            }
        });
        m_dialog->installEventFilter(&counter);
        sampler.start(50);
        QElapsedTimer clock;
        clock.start();
        Pick("browseRomButton", roms.Path());
        sampler.stop();
        qInfo("%d x %d files: %lld ms, %d paint events, %lld bar positions", files, files,
              clock.elapsed(), counter.paints, barPositions.size());

        QCOMPARE(List().RowCount(), files);
        QVERIFY2(counter.paints >= 4, "the main window was not repainted during the pass");
        QVERIFY2(!barPositions.isEmpty() && barPositions.last() > 0,
                 "the bar did not advance during the pass");
        QVERIFY(std::is_sorted(barPositions.begin(), barPositions.end()));
    }
};

QTEST_MAIN(MainCommandsTest)
#include "main_commands_test.moc"
