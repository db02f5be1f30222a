// SPDX-License-Identifier: MIT
#include "matching/lcs_block.h"
#include "matching/prepared_lcs.h"

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace tallowick::detail {
namespace {

// Up to sixteen names laid out the way the index keeps a block: byte t of every lane together.
// Bytes past a name's end hold `padding`, which must not count.
struct LaidOutBlock {
    std::array<std::string, kBlockLanes> names;
    std::array<std::uint32_t, kBlockLanes> lengths{};
    std::size_t lanes = 0;
    std::size_t steps = 0;
    std::vector<std::uint8_t> bytes;

    void LayOut(std::uint8_t padding) {
        steps = 0;
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            lengths[lane] = static_cast<std::uint32_t>(names[lane].size());
            steps = std::max(steps, names[lane].size());
        }
        bytes.assign(steps * kBlockLanes, padding);
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            for (std::size_t t = 0; t < names[lane].size(); ++t) {
                bytes[t * kBlockLanes + lane] = static_cast<std::uint8_t>(names[lane][t]);
            }
        }
    }
};

class BlockLcsTest : public testing::TestWithParam<LcsKernel> {
protected:
    void SetUp() override {
        if (!IsKernelSupported(GetParam())) {
            GTEST_SKIP() << "this processor cannot run the " << KernelName(GetParam()) << " kernel";
        }
    }
};

// Random blocks against random patterns of 1 to 64 bytes: unused lanes, lanes of length 0,
// lanes longer than the pattern, and full 64-byte patterns all occur. The patterns' alphabets
// range from two bytes to 64 distinct ones, high bytes included, so that every way a kernel
// may hold the masks is taken.
TEST_P(BlockLcsTest, AgreesWithThePreparedScorer) {
    const BlockLcsFunction blockLcs = BlockLcsFor(GetParam());
    std::mt19937 random(3);
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    PreparedLcs prepared;
    for (int round = 0; round < 3000; ++round) {
        const int alphabet = std::array{2, 12, 24, 50, 64}[round % 5];
        const int firstByte = uniform(0, 255 - alphabet);
        const auto text = [&](int length) {
            std::string t(static_cast<std::size_t>(length), 'a');
            for (char& c : t) {
                c = static_cast<char>(firstByte + uniform(0, alphabet - 1));
            }
            return t;
        };
        std::string pattern = text(round % 7 == 0 ? 64 : uniform(1, 64));
        if (round % 10 == 4) {
            // Sixty-four distinct bytes: as many classes as a name of one word can have.
            pattern.resize(64);
            for (std::size_t j = 0; j < 64; ++j) {
                pattern[j] = static_cast<char>(firstByte + static_cast<int>(j));
            }
            std::shuffle(pattern.begin(), pattern.end(), random);
        }
        prepared.Prepare(pattern);
        LaidOutBlock block;
        block.lanes = static_cast<std::size_t>(uniform(1, kBlockLanes));
        for (std::size_t lane = 0; lane < block.lanes; ++lane) {
            block.names[lane] = uniform(0, 4) == 0 ? pattern : text(uniform(0, 90));
        }
        block.LayOut(static_cast<std::uint8_t>(firstByte));
        std::array<std::uint32_t, kBlockLanes> lcs{};
        blockLcs(ViewOf(prepared), block.bytes.data(), block.lengths.data(), block.steps,
                 lcs.data());
        for (std::size_t lane = 0; lane < block.lanes; ++lane) {
            ASSERT_EQ(lcs[lane], prepared.LcsLength(block.names[lane]))
                << "round " << round << ", lane " << lane;
        }
    }
}

// Names of two to four mask words, for the kernels that take them.
TEST_P(BlockLcsTest, WideKernelAgreesWithThePreparedScorer) {
    const WideBlockLcsFunction wideBlockLcs = WideBlockLcsFor(GetParam());
    std::mt19937 random(4);
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    PreparedLcs prepared;
    for (int round = 0; round < 2000; ++round) {
        // Up to 64 distinct bytes the masks are found by class, beyond that by byte value.
        const int alphabet = std::array{3, 12, 24, 50, 100}[round % 5];
        const int firstByte = uniform(0, 255 - alphabet);
        const auto text = [&](int length) {
            std::string t(static_cast<std::size_t>(length), 'a');
            for (char& c : t) {
                c = static_cast<char>(firstByte + uniform(0, alphabet - 1));
            }
            return t;
        };
        // Whole words now and then: the carry out of a full word must reach the next.
        const std::string pattern = text(round % 7 == 0 ? 64 * uniform(2, 4) : uniform(65, 256));
        prepared.Prepare(pattern);
        LaidOutBlock block;
        block.lanes = static_cast<std::size_t>(uniform(1, kBlockLanes));
        for (std::size_t lane = 0; lane < block.lanes; ++lane) {
            block.names[lane] = uniform(0, 3) == 0 ? pattern : text(uniform(0, 300));
        }
        block.LayOut(static_cast<std::uint8_t>(firstByte));
        std::array<std::uint32_t, kBlockLanes> lcs{};
        wideBlockLcs(ViewOf(prepared), block.bytes.data(), block.lengths.data(), block.steps,
                     lcs.data());
        for (std::size_t lane = 0; lane < block.lanes; ++lane) {
            ASSERT_EQ(lcs[lane], prepared.LcsLength(block.names[lane]))
                << "round " << round << ", lane " << lane;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, BlockLcsTest,
                         testing::Values(LcsKernel::Portable, LcsKernel::Avx2, LcsKernel::Avx512),
                         [](const testing::TestParamInfo<LcsKernel>& param) {
                             return std::string(KernelName(param.param));
                         });

} // namespace
} // namespace tallowick::detail
