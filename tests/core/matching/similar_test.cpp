// SPDX-License-Identifier: MIT
#include "matching/similar.h"
#include "reference_search.h"

#include <random>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

struct ScoreCase {
    std::string_view first;
    std::string_view second;
    double expected;
};

void PrintTo(const ScoreCase& c, std::ostream* os) {
    *os << c.first;
}

class LcsSimilarityTest : public testing::TestWithParam<ScoreCase> {};

TEST_P(LcsSimilarityTest, ScoresFirstAgainstSecond) {
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(CSimilar().LcsSimilarity(c.first, c.second), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scores, LcsSimilarityTest,
    testing::Values(ScoreCase{"abc", "abc", 1.0}, ScoreCase{"", "abc", 0.0},
                    ScoreCase{"abc", "", 0.0}, ScoreCase{"", "", 0.0},
                    ScoreCase{"abc", "aXbXc", 1.0}, ScoreCase{"aXbXc", "abc", 0.6},
                    ScoreCase{"ABC", "abc", 0.0}, ScoreCase{"aab", "ab", 2.0 / 3.0},
                    // High bytes are plain bytes: the second byte of "é" matches on its own.
                    ScoreCase{"\xC3\xA9", "\xA9", 0.5}, ScoreCase{"\xFF\x80", "\x80\xFF", 0.5}));

TEST(LcsSimilarityTest, AgreesWithTheFullTableOnRandomTexts) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 80);
    std::uniform_int_distribution<int> byte(0, 3);
    const CSimilar similar;
    for (int round = 0; round < 2000; ++round) {
        std::string a(static_cast<std::size_t>(length(random)), 'a');
        std::string b(static_cast<std::size_t>(length(random)), 'a');
        for (char& c : a) {
            c = static_cast<char>('a' + byte(random));
        }
        for (char& c : b) {
            c = static_cast<char>('a' + byte(random));
        }
        ASSERT_EQ(similar.LcsSimilarity(a, b), reference::Score(a, b)) << a << " / " << b;
    }
}

} // namespace
} // namespace tallowick
