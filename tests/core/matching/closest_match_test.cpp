// SPDX-License-Identifier: MIT
#include "matching/closest_match.h"
#include "matching/lookup_pass.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

struct SearchCase {
    const char* what;
    std::string romName;
    std::vector<std::string> sources;
    bool ignoreBrackets;
    std::optional<std::string> expected;
};

void PrintTo(const SearchCase& c, std::ostream* os) {
    *os << c.what;
}

class FindClosestNameTest : public testing::TestWithParam<SearchCase> {};

TEST_P(FindClosestNameTest, PicksTheExpectedSource) {
    const auto& c = GetParam();
    std::vector<std::string> paths;
    for (const auto& name : c.sources) {
        paths.push_back("/shots/" + name);
    }
    const auto match = FindClosestName(paths, c.romName, c.ignoreBrackets, CSimilar());
    ASSERT_EQ(match.has_value(), c.expected.has_value()) << c.what;
    if (match) {
        EXPECT_EQ(match->fileName, *c.expected) << c.what;
    }
}

// The lookup pass finds its matches through an index, not by this walk: the same cases hold for
// it, on every kernel this processor runs.
TEST_P(FindClosestNameTest, LookupPassPicksTheSameSource) {
    const auto& c = GetParam();
    std::vector<std::string> paths;
    for (const auto& name : c.sources) {
        paths.push_back("/shots/" + name);
    }
    const std::vector<std::string> roms{"/roms/" + c.romName};
    for (const LcsKernel kernel : {LcsKernel::Portable, LcsKernel::Avx2, LcsKernel::Avx512}) {
        if (IsKernelSupported(kernel)) {
            const auto rows =
                LookUpNames(roms, paths, c.ignoreBrackets, {}, LookupOptions{kernel, 1});
            ASSERT_EQ(rows.size(), 1U);
            EXPECT_EQ(rows[0].closestMatch, c.expected.value_or("")) << KernelName(kernel);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Searches, FindClosestNameTest,
    testing::Values(
        SearchCase{"an exact base name wins at once",
                   "Alpha Run.zip",
                   {"Alpha Run (Beta).png", "Alpha Run.png"},
                   false,
                   "Alpha Run.png"},
        SearchCase{"an exact base name wins over a better-placed candidate",
                   "Alpha Run.zip",
                   {"Alpha Run.jpg", "Alpha Run.png"},
                   false,
                   "Alpha Run.jpg"},
        SearchCase{"the first byte must match, case included",
                   "Mega Ball (USA).zip",
                   {"mega ball.png"},
                   false,
                   std::nullopt},
        SearchCase{"a score of 1.0 is not enough", "abcd.zip", {"abxy.png"}, false, std::nullopt},
        SearchCase{"a score of exactly 1.25 is accepted",
                   "abcdefgh.zip",
                   {"abcdeXYZ.png"},
                   false,
                   "abcdeXYZ.png"},
        SearchCase{"equal scores keep the earlier source",
                   "abcd.zip",
                   {"abcX.png", "abcY.png"},
                   false,
                   "abcX.png"},
        SearchCase{"brackets cut on both sides, uncut name returned",
                   "Game (USA) [!].zip",
                   {"Game (Beta).png"},
                   true,
                   "Game (Beta).png"},
        SearchCase{"without the option the tags count",
                   "Game (USA) [!].zip",
                   {"Game (Beta).png"},
                   false,
                   std::nullopt},
        SearchCase{"an identical name wins although the tags were cut for scoring",
                   "Game (USA).zip",
                   {"Game (Europe).png", "Game (USA).png"},
                   true,
                   "Game (USA).png"},
        SearchCase{"a ROM name that the cut would empty is kept whole",
                   "(Proto) Foo.zip",
                   {"(Beta) Foo.png", "(Proto) Foo.png"},
                   true,
                   "(Proto) Foo.png"},
        SearchCase{"a kept-whole ROM name is scored whole",
                   "(Proto) Foo.zip",
                   {"(Proto) Fox.png", "(Beta) Foo.png"},
                   true,
                   "(Proto) Fox.png"},
        SearchCase{"equal scores without tags keep the earlier source",
                   "Space Duel (USA) (Rev 1).zip",
                   {"Space Duel (Europe).png", "Space Duel.png"},
                   true,
                   "Space Duel (Europe).png"},
        SearchCase{"a name without brackets is only trimmed",
                   "Kart Race .zip",
                   {"Kart Race  (Demo).png"},
                   true,
                   "Kart Race  (Demo).png"},
        SearchCase{"without the option the same ROM name matches exactly",
                   "(Proto) Foo.zip",
                   {"(Beta) Foo.png", "(Proto) Foo.png"},
                   false,
                   "(Proto) Foo.png"},
        SearchCase{"the ROM name is trimmed, the candidate is not",
                   "  Zed .zip",
                   {"Zed .png", "Zed.png"},
                   false,
                   "Zed.png"},
        SearchCase{"a source without a dot keeps its whole name",
                   "Readme.zip",
                   {"Readme"},
                   false,
                   "Readme"},
        SearchCase{"an empty source listing gives nothing", "Game.zip", {}, false, std::nullopt},
        SearchCase{"the folder of a source path is not part of its name",
                   "Quest.zip",
                   {"Quest.png"},
                   false,
                   "Quest.png"}),
    [](const testing::TestParamInfo<SearchCase>& param) {
        return "Case" + std::to_string(param.index);
    });

TEST(FindClosestNameTest, ReportsTheStoredScore) {
    const std::vector<std::string> sources{"/s/Super Game.png"};
    const auto fuzzy = FindClosestName(sources, "Super Game (USA).zip", false, CSimilar());
    ASSERT_TRUE(fuzzy);
    EXPECT_EQ(fuzzy->score, 1.625F);
    const auto exact = FindClosestName(sources, "Super Game.zip", false, CSimilar());
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->score, kExactMatchScore);
}

TEST(FindClosestNameTest, KeepsTheBestOfMoreThanTenCandidates) {
    // Eleven weaker candidates fill and roll the pool; the best one, early in the walk, stays.
    std::vector<std::string> sources{"/s/abcdefgX.png"};
    for (char c = 'a'; c <= 'l'; ++c) {
        sources.push_back(std::string("/s/abcdeQ") + c + ".png");
    }
    const auto match = FindClosestName(sources, "abcdefgh.zip", false, CSimilar());
    ASSERT_TRUE(match);
    EXPECT_EQ(match->fileName, "abcdefgX.png");
}

TEST(RankCandidatesTest, SortsDescendingAndKeepsEqualScoresInAdmissionOrder) {
    CandidatePool pool;
    const std::array<float, 10> scores{1.5F, 1.8F, 1.5F, 0.0F, 1.8F, 1.2F, 0.0F, 0.0F, 0.0F, 1.9F};
    for (int i = 0; i < CandidatePool::kSlots; ++i) {
        pool.scores[i] = scores[i];
        pool.names[i] = std::to_string(i);
    }
    pool.count = 10;
    float threshold = -1.0F;
    RankCandidates(pool, threshold);

    const std::array<std::string, 10> order{"9", "1", "4", "0", "2", "5", "3", "6", "7", "8"};
    for (int i = 0; i < CandidatePool::kSlots; ++i) {
        EXPECT_EQ(pool.names[i], order[i]) << "slot " << i;
    }
    EXPECT_EQ(threshold, 0.0F);
    EXPECT_EQ(pool.count, 9);
}

} // namespace
} // namespace tallowick
