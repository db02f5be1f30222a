// SPDX-License-Identifier: MIT
#include "match_quality.h"

#include <gtest/gtest.h>

namespace tallowick::accuracy {
namespace {

struct VerdictCase {
    const char* what;
    ResultRow row;
    Verdict expected;
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.what; }

const std::unordered_set<std::string> kImages{"Game (USA)", "Game (Europe)", "Q_A (Japan)"};

class JudgeRowTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(JudgeRowTest, JudgesTheRow) {
    EXPECT_EQ(JudgeRow(GetParam().row, kImages), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JudgeRowTest,
    testing::Values(
        VerdictCase{"right", {"Game (USA).zip", "Game (USA).png", "", 2}, Verdict::Right},
        VerdictCase{"forbidden characters become underscores",
                    {"Q&A (Japan).zip", "Q_A (Japan).png", "", 1.9F},
                    Verdict::Right},
        VerdictCase{"same title, other tags",
                    {"Game (USA).zip", "Game (Europe).png", "", 1.5F},
                    Verdict::SameTitle},
        VerdictCase{"another title", {"Gamer (USA).zip", "Game (USA).png", "", 1.9F},
                    Verdict::Wrong},
        VerdictCase{"nothing to find", {"Other (USA).zip", "", "", 0}, Verdict::CorrectlyUnmatched},
        VerdictCase{"missed", {"Game (USA).zip", "", "", 0}, Verdict::Missed}));

TEST(JudgeTest, CountsOtherPicksWhereTheRightImageExists) {
    const std::vector<ResultRow> rows{{"Game (USA).zip", "Game (Europe).png", "", 1.5F},
                                      {"Game (Japan).zip", "Game (Europe).png", "", 1.5F},
                                      {"Game (USA).zip", "Game (USA).png", "", 2}};
    const Tally tally = Judge(rows, kImages);
    EXPECT_EQ(tally.right, 1);
    EXPECT_EQ(tally.sameTitle, 2);
    EXPECT_EQ(tally.wrongWhereRightExists, 1);
    EXPECT_EQ(tally.Matched(), 3);
}

} // namespace
} // namespace tallowick::accuracy
