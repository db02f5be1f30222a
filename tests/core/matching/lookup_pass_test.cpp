// SPDX-License-Identifier: MIT
#include "matching/lookup_pass.h"

#include <algorithm>
#include <atomic>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

struct RowCase {
    std::string romName;
    std::string closestMatch;
    std::string expectedNewName;
};

void PrintTo(const RowCase& c, std::ostream* os) {
    *os << c.romName;
}

class MakeResultRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(MakeResultRowTest, NewNameIsRomBaseWithMatchExtension) {
    const auto& c = GetParam();
    EXPECT_EQ(MakeResultRow(c.romName, c.closestMatch, 1.5F).newName, c.expectedNewName);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MakeResultRowTest,
    testing::Values(RowCase{"Game Rev 1.1.zip", "Game Rev 1.1.png", "Game Rev 1.1.png"},
                    RowCase{"Game.zip", "shot.final.png", "Game.png"},
                    RowCase{"README", "README.txt", "README.txt"},
                    RowCase{"Game.zip", "Game", "Game"}, RowCase{"Game.zip", "", ""}));

TEST(LookUpNamesTest, GivesOneRowPerRomFileInListingOrder) {
    const std::vector<std::string> roms{"/roms/Super Game (USA).zip", "/roms/Other.zip",
                                        "/roms/Super Game.zip"};
    const std::vector<std::string> sources{"/shots/Super Game.png"};
    const auto rows = LookUpNames(roms, sources, false);
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0].romName, "Super Game (USA).zip");
    EXPECT_EQ(rows[0].closestMatch, "Super Game.png");
    EXPECT_EQ(rows[0].newName, "Super Game (USA).png");
    EXPECT_EQ(rows[0].score, 1.625F);
    EXPECT_EQ(rows[1].romName, "Other.zip");
    EXPECT_EQ(rows[1].closestMatch, "");
    EXPECT_EQ(rows[1].newName, "");
    EXPECT_EQ(rows[2].closestMatch, "Super Game.png");
}

TEST(LookUpNamesTest, EmptyListingsGiveNoMatches) {
    EXPECT_TRUE(LookUpNames({}, std::vector<std::string>{"/s/a.png"}, false).empty());
    const auto rows = LookUpNames(std::vector<std::string>{"/r/a.zip", "/r/b.zip"}, {}, false);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_TRUE(rows[0].closestMatch.empty() && rows[1].closestMatch.empty());
}

TEST(LookUpNamesTest, ReportsProgressAndStopsWhenCancelled) {
    const std::vector<std::string> roms{"/r/a.zip", "/r/b.zip", "/r/c.zip", "/r/d.zip"};
    std::atomic<bool> cancel{false};
    std::vector<std::size_t> progress;
    LookupControl control;
    control.cancelRequested = &cancel;
    control.onProgress = [&](std::size_t done) {
        progress.push_back(done);
        if (done == 2) {
            cancel = true;
        }
    };
    // One thread, so that no other ROM file is under way when the cancel comes.
    const auto rows = LookUpNames(roms, std::vector<std::string>{"/s/a.png"}, false, control,
                                  LookupOptions{LcsKernel::Auto, 1});
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].closestMatch, "a.png");
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2}));
}

// On several threads: reports one at a time and only ever growing, and a cancelled pass gives
// the leading rows of the whole pass, at least as many as were last reported.
TEST(LookUpNamesTest, SeveralThreadsReportInOrderAndStopAtALeadingRun) {
    std::vector<std::string> roms;
    std::vector<std::string> sources;
    for (int i = 0; i < 400; ++i) {
        roms.push_back("/r/Game " + std::to_string(i * 7) + ".zip");
        sources.push_back("/s/Game " + std::to_string(i * 3) + " (Title).png");
    }
    const auto whole = LookUpNames(roms, sources, false, {}, LookupOptions{LcsKernel::Auto, 1});

    std::atomic<bool> cancel{false};
    std::atomic<int> reporting{0};
    std::vector<std::size_t> progress;
    LookupControl control;
    control.cancelRequested = &cancel;
    control.onProgress = [&](std::size_t done) {
        EXPECT_EQ(reporting.fetch_add(1), 0) << "two reports at once";
        progress.push_back(done);
        cancel = done >= 150;
        reporting.fetch_sub(1);
    };
    const auto rows = LookUpNames(roms, sources, false, control, LookupOptions{LcsKernel::Auto, 4});

    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(std::adjacent_find(progress.begin(), progress.end()), progress.end());
    // How far the workers got past the last report depends on scheduling: a worker held up on
    // an early ROM file lets the others finish the rest. Only the leading run is certain.
    EXPECT_GE(rows.size(), progress.back());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].closestMatch, whole[i].closestMatch) << i;
    }
}

TEST(LookUpNamesTest, SeveralThreadsCancelledBeforeTheStartGiveNoRows) {
    const std::vector<std::string> roms(100, "/r/Game.zip");
    const std::atomic<bool> cancel{true};
    LookupControl control;
    control.cancelRequested = &cancel;
    control.onProgress = [](std::size_t) { ADD_FAILURE() << "no ROM file should be looked up"; };
    const auto rows = LookUpNames(roms, std::vector<std::string>{"/s/Game.png"}, false, control,
                                  LookupOptions{LcsKernel::Auto, 4});
    EXPECT_TRUE(rows.empty());
}

} // namespace
} // namespace tallowick
