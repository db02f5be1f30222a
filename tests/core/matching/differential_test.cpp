// SPDX-License-Identifier: MIT
#include "matching/lookup_pass.h"
#include "random_names.h"
#include "reference_search.h"

#include <tuple>

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
                    const std::string& where) {
    ASSERT_EQ(actual.size(), expected.size()) << where;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].romName, expected[i].romName) << where << " row " << i;
        EXPECT_EQ(actual[i].closestMatch, expected[i].closestMatch)
            << where << " ROM " << expected[i].romName;
        EXPECT_EQ(actual[i].newName, expected[i].newName) << where;
        EXPECT_EQ(actual[i].score, expected[i].score) << where;
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

using DifferentialCase = std::tuple<LcsKernel, bool>;

class DifferentialTest : public testing::TestWithParam<DifferentialCase> {};

// Every round holds one pair of random folders against the literal reference, single-threaded
// and on several threads. Some folders are large, so that a first byte gathers several blocks
// of candidates and the pruning has room to act.
TEST_P(DifferentialTest, LookupPassMatchesTheReferenceOnRandomFolders) {
    const auto [kernel, ignoreBrackets] = GetParam();
    if (!IsKernelSupported(kernel)) {
        GTEST_SKIP() << "this processor cannot run the " << KernelName(kernel) << " kernel";
    }
    testing_support::RandomNames names(ignoreBrackets ? 2024 : 1999);
    OutcomeCounts counts;
    LookupStats stats;
    for (int round = 0; round < 3000; ++round) {
        const int sourceCount = names.Chance(10) ? names.Uniform(100, 400) : names.Uniform(0, 40);
        const auto sources = names.Folder("/shots", sourceCount, {});
        const auto roms = names.Folder("/roms", names.Uniform(1, 6), BaseNamesOf(sources));
        const auto expected = reference::LookUp(roms, sources, ignoreBrackets);
        for (const unsigned threads : {1U, 3U}) {
            const auto actual = LookUpNames(roms, sources, ignoreBrackets, {},
                                            LookupOptions{kernel, threads}, &stats);
            ExpectSameRows(actual, expected,
                           "round " + std::to_string(round) + ", " + std::to_string(threads) +
                               " threads");
            if (HasFailure()) {
                return;
            }
        }
        counts.Add(expected);
    }
    EXPECT_GT(counts.exact, 500);
    EXPECT_GT(counts.fuzzy, 500);
    EXPECT_GT(counts.atAcceptScore, 50);
    EXPECT_GT(counts.unmatched, 500);
    EXPECT_GT(stats.pairsSkippedByPruning, 1000U);
}

INSTANTIATE_TEST_SUITE_P(KernelsAndBracketOption, DifferentialTest,
                         testing::Combine(testing::Values(LcsKernel::Portable, LcsKernel::Avx2,
                                                          LcsKernel::Avx512),
                                          testing::Bool()),
                         [](const testing::TestParamInfo<DifferentialCase>& param) {
                             return std::string(KernelName(std::get<0>(param.param))) +
                                    (std::get<1>(param.param) ? "IgnoringBrackets" : "Plain");
                         });

} // namespace
} // namespace tallowick
