// SPDX-License-Identifier: MIT
#include "matching/lookup_pass.h"
#include "random_names.h"
#include "reference_search.h"

#include <gtest/gtest.h>

namespace tallowick {
namespace {

std::vector<std::string> BaseNamesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> bases;
    for (const auto& path : paths) {
        const std::string name = path.substr(path.rfind('/') + 1);
        bases.push_back(name.substr(0, name.rfind('.')));
    }
    return bases;
}

void ExpectSameRows(const std::vector<ResultRow>& actual, const std::vector<ResultRow>& expected,
                    int round) {
    ASSERT_EQ(actual.size(), expected.size()) << "round " << round;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].romName, expected[i].romName) << "round " << round << " row " << i;
        EXPECT_EQ(actual[i].closestMatch, expected[i].closestMatch)
            << "round " << round << " ROM " << expected[i].romName;
        EXPECT_EQ(actual[i].newName, expected[i].newName) << "round " << round;
        EXPECT_EQ(actual[i].score, expected[i].score) << "round " << round;
    }
}

// How often the random folders reach each kind of outcome, so that a generator gone dull shows.
struct OutcomeCounts {
    int exact = 0;
    int fuzzy = 0;
    int atAcceptScore = 0;
    int unmatched = 0;

    void Add(const std::vector<ResultRow>& rows) {
        for (const ResultRow& row : rows) {
            if (row.closestMatch.empty()) {
                ++unmatched;
            } else if (row.score == 2.0F) {
                ++exact;
            } else {
                ++fuzzy;
                atAcceptScore += row.score == 1.25F ? 1 : 0;
            }
        }
    }
};

class DifferentialTest : public testing::TestWithParam<bool> {};

TEST_P(DifferentialTest, LookupPassMatchesTheReferenceOnRandomFolders) {
    const bool ignoreBrackets = GetParam();
    testing_support::RandomNames names(ignoreBrackets ? 2024 : 1999);
    OutcomeCounts counts;
    for (int round = 0; round < 3000; ++round) {
        const auto sources = names.Folder("/shots", names.Uniform(0, 40), {});
        const auto roms = names.Folder("/roms", names.Uniform(1, 6), BaseNamesOf(sources));
        const auto expected = reference::LookUp(roms, sources, ignoreBrackets);
        ExpectSameRows(LookUpNames(roms, sources, ignoreBrackets), expected, round);
        if (HasFailure()) {
            return;
        }
        counts.Add(expected);
    }
    EXPECT_GT(counts.exact, 500);
    EXPECT_GT(counts.fuzzy, 500);
    EXPECT_GT(counts.atAcceptScore, 50);
    EXPECT_GT(counts.unmatched, 500);
}

INSTANTIATE_TEST_SUITE_P(BracketOption, DifferentialTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& param) {
                             return param.param ? "IgnoringBrackets" : "Plain";
                         });

} // namespace
} // namespace tallowick
