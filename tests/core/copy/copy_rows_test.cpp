// SPDX-License-Identifier: MIT
#include "copy/copy_rows.h"
#include "copy_folders.h"
#include "folder_contents.h"
#include "temp_dir.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

using testing_support::NamesIn;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace fs = std::filesystem;

ResultRow Row(std::string romName, std::string closestMatch, std::string newName) {
    return {std::move(romName), std::move(closestMatch), std::move(newName), 1.5F};
}

class CopyRowsTest : public testing_support::CopyFolders {
protected:
    void SetUp() override {
        CopyFolders::SetUp();
        for (const char* name : {"a.png", "b.png", "c.png"}) {
            AddSource(name, std::string("content of ") + name);
        }
    }
};

TEST_F(CopyRowsTest, CopiesMatchedRowsInOrderAndReportsEveryRow) {
    const std::vector<ResultRow> rows = {
        Row("A (USA).zip", "a.png", "A (USA).png"), Row("Lost.zip", "", ""),
        Row("B (USA).zip", "b.png", "B (USA).png"), Row("Edited.zip", "", "Edited.png")};
    std::vector<std::pair<std::size_t, CopyStatus>> reports;
    const CopyControl control{
        [&](const RowCopyReport& report) { reports.emplace_back(report.rowsDone, report.status); },
        nullptr};

    const CopySummary summary = CopyRows(rows, m_root / "src", Dest(), {}, control);

    EXPECT_EQ(summary.rowsDone, 4U);
    EXPECT_EQ(summary.copied, 2U);
    EXPECT_EQ(summary.skippedNoMatch, 2U);
    EXPECT_TRUE(summary.failures.empty());
    EXPECT_FALSE(summary.cancelled);
    const std::vector<std::pair<std::size_t, CopyStatus>> expected = {
        {1, CopyStatus::Copied},
        {2, CopyStatus::SkippedNoMatch},
        {3, CopyStatus::Copied},
        {4, CopyStatus::SkippedNoMatch}};
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(NamesIn(Dest()), (std::vector<std::string>{"A (USA).png", "B (USA).png"}));
    EXPECT_EQ(ReadFile(Target("B (USA).png")), "content of b.png");
    EXPECT_EQ(NamesIn(m_root / "src"), (std::vector<std::string>{"a.png", "b.png", "c.png"}));
}

TEST_F(CopyRowsTest, SourceRemovedAfterListingIsReportedAndTheLoopGoesOn) {
    const std::vector<ResultRow> rows = {Row("A.zip", "a.png", "A.png"),
                                         Row("B.zip", "b.png", "B.png"),
                                         Row("C.zip", "c.png", "C.png")};
    fs::remove(Source("b.png"));

    const CopySummary summary = CopyRows(rows, m_root / "src", Dest());

    EXPECT_EQ(summary.copied, 2U);
    ASSERT_EQ(summary.failures.size(), 1U);
    const CopyFailure& failure = summary.failures[0];
    EXPECT_EQ(failure.row, 1U);
    EXPECT_EQ(failure.sourcePath, Source("b.png"));
    EXPECT_EQ(failure.targetPath, Target("B.png"));
    EXPECT_NE(failure.reason.find("No such file or directory"), std::string::npos)
        << failure.reason;
    EXPECT_EQ(NamesIn(Dest()), (std::vector<std::string>{"A.png", "C.png"}));
}

TEST_F(CopyRowsTest, LaterRowWithTheSameNewNameReplacesTheEarlierCopyWithAWarning) {
    const std::vector<ResultRow> rows = {Row("Game.zip", "a.png", "Game.png"),
                                         Row("Other.zip", "b.png", "Other.png"),
                                         Row("Game.7z", "c.png", "Game.png")};

    const CopySummary summary = CopyRows(rows, m_root / "src", Dest());

    EXPECT_EQ(summary.copied, 3U);
    ASSERT_EQ(summary.replaced.size(), 1U);
    EXPECT_EQ(summary.replaced[0].targetPath, Target("Game.png"));
    EXPECT_EQ(summary.replaced[0].earlierRow, 0U);
    EXPECT_EQ(summary.replaced[0].laterRow, 2U);
    EXPECT_EQ(ReadFile(Target("Game.png")), "content of c.png");
}

TEST_F(CopyRowsTest, KeepExistingGivesTheSameCountsInADryRunAndARealRun) {
    AddTarget("A.png", "old");
    const std::vector<ResultRow> rows = {Row("A.zip", "a.png", "A.png"),
                                         Row("B.zip", "b.png", "B.png"),
                                         Row("B.7z", "c.png", "B.png")};

    const CopySummary dry =
        CopyRows(rows, m_root / "src", Dest(), {.keepExisting = true, .dryRun = true});
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{"A.png"});
    const CopySummary real = CopyRows(rows, m_root / "src", Dest(), {.keepExisting = true});

    for (const CopySummary* summary : {&dry, &real}) {
        EXPECT_EQ(summary->copied, 1U);
        EXPECT_EQ(summary->skippedExisting, 2U);
        EXPECT_TRUE(summary->replaced.empty());
    }
    EXPECT_EQ(ReadFile(Target("A.png")), "old");
    EXPECT_EQ(ReadFile(Target("B.png")), "content of b.png");
}

TEST_F(CopyRowsTest, CancelStopsBetweenRows) {
    const std::vector<ResultRow> rows = {Row("A.zip", "a.png", "A.png"),
                                         Row("B.zip", "b.png", "B.png"),
                                         Row("C.zip", "c.png", "C.png")};
    std::atomic<bool> cancel = false;
    const CopyControl control{[&](const RowCopyReport&) { cancel = true; }, &cancel};

    const CopySummary summary = CopyRows(rows, m_root / "src", Dest(), {}, control);

    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.rowsDone, 1U);
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{"A.png"});
}

TEST_F(CopyRowsTest, RowsThatLeadOutOfTheirFoldersAreRefused) {
    m_root.AddFile("secret.png", "secret");
    const std::vector<ResultRow> rows = {Row("A.zip", "../secret.png", "A.png"),
                                         Row("B.zip", "b.png", "../B.png"),
                                         Row("C.zip", "c.png", "C.png")};

    const CopySummary summary = CopyRows(rows, m_root / "src", Dest());

    EXPECT_EQ(summary.copied, 1U);
    EXPECT_EQ(summary.failures.size(), 2U);
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{"C.png"});
    EXPECT_EQ(NamesIn(m_root.Path()), (std::vector<std::string>{"dest", "secret.png", "src"}));
}

TEST_F(CopyRowsTest, MissingFoldersFailEveryMatchedRow) {
    const std::vector<ResultRow> rows = {Row("A.zip", "a.png", "A.png"), Row("N.zip", "", ""),
                                         Row("B.zip", "b.png", "B.png")};
    struct Case {
        std::string sourceFolder;
        std::string destFolder;
    };
    for (const Case& c :
         {Case{m_root / "src", m_root / "missing"}, Case{"", Dest()}, Case{m_root / "src", ""}}) {
        SCOPED_TRACE(c.sourceFolder + " → " + c.destFolder);
        const CopySummary summary = CopyRows(rows, c.sourceFolder, c.destFolder);
        EXPECT_EQ(summary.rowsDone, 3U);
        EXPECT_EQ(summary.failures.size(), 2U);
        EXPECT_EQ(summary.skippedNoMatch, 1U);
    }
    EXPECT_TRUE(NamesIn(Dest()).empty());
}

TEST(JoinPathTest, PutsExactlyOneSeparatorBetweenFolderAndName) {
    EXPECT_EQ(JoinPath("/data/shots", "a.png"), "/data/shots/a.png");
    EXPECT_EQ(JoinPath("/data/shots/", "a.png"), "/data/shots/a.png");
    EXPECT_EQ(JoinPath("/data/shots//", "a.png"), "/data/shots/a.png");
    EXPECT_EQ(JoinPath("/", "a.png"), "/a.png");
    EXPECT_EQ(JoinPath("shots", "\xff.png"), "shots/\xff.png");
}

} // namespace
} // namespace tallowick
