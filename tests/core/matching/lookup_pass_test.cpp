// SPDX-License-Identifier: MIT
#include "matching/lookup_pass.h"

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
    const auto rows = LookUpNames(roms, std::vector<std::string>{"/s/a.png"}, false, control);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].closestMatch, "a.png");
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2}));
}

} // namespace
} // namespace tallowick
