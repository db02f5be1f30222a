// SPDX-License-Identifier: MIT
#include "matching/prepared_lcs.h"
#include "matching/similar.h"
#include "reference_search.h"

#include <random>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

std::string RandomText(std::mt19937& random, int maxLength) {
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0, 3);
    std::string text(static_cast<std::size_t>(length(random)), 'a');
    for (char& c : text) {
        // Mostly a small alphabet, so that long common subsequences occur; now and then a high
        // byte, which must count like any other.
        c = byte(random) == 3 && length(random) < 5 ? '\xE9'
                                                    : static_cast<char>('a' + byte(random));
    }
    return text;
}

// One prepared scorer for every pair, prepared afresh each time: a name of several mask words
// followed by a shorter one must leave nothing behind.
TEST(PreparedLcsTest, AgreesWithTheFullTableAcrossWordBoundaries) {
    std::mt19937 random(11);
    PreparedLcs prepared;
    for (int round = 0; round < 3000; ++round) {
        const std::string a = RandomText(random, round % 2 == 0 ? 70 : 260);
        const std::string b = RandomText(random, 200);
        prepared.Prepare(a);
        ASSERT_EQ(prepared.LcsLength(b), reference::LcsLength(a, b)) << a << " / " << b;
    }
}

TEST(PreparedLcsTest, FullWordsAndTheirEdges) {
    for (const std::size_t size : {63U, 64U, 65U, 127U, 128U, 129U}) {
        const std::string name(size, 'x');
        PreparedLcs prepared(name);
        EXPECT_EQ(prepared.LcsLength(name), size);
        EXPECT_EQ(prepared.LcsLength(name + "yx"), size);
        EXPECT_EQ(prepared.LcsLength("x"), 1U);
        EXPECT_EQ(prepared.LcsLength(""), 0U);
    }
}

// The stored score from one LCS must be the sum the literal search forms from two scores.
TEST(StoredPairScoreTest, EqualsTheSumOfBothDirectionsOfTheScore) {
    std::mt19937 random(5);
    const CSimilar similar;
    for (int round = 0; round < 3000; ++round) {
        const std::string rom = RandomText(random, 90);
        const std::string candidate = RandomText(random, 90);
        const auto candidateSide = static_cast<float>(similar.LcsSimilarity(candidate, rom));
        const double sum =
            similar.LcsSimilarity(rom, candidate) + static_cast<double>(candidateSide);
        const auto lcs = static_cast<std::uint32_t>(reference::LcsLength(rom, candidate));
        ASSERT_EQ(StoredPairScore(lcs, rom.size(), candidate.size()), static_cast<float>(sum))
            << rom << " / " << candidate;
    }
}

TEST(StoredPairScoreTest, EdgeScores) {
    EXPECT_EQ(StoredPairScore(5, 8, 8), 1.25F);
    EXPECT_EQ(StoredPairScore(3, 3, 3), 2.0F);
    EXPECT_EQ(StoredPairScore(0, 3, 3), 0.0F);
    EXPECT_EQ(StoredPairScore(0, 0, 3), 0.0F);
    EXPECT_EQ(StoredPairScore(0, 3, 0), 0.0F);
}

} // namespace
} // namespace tallowick
