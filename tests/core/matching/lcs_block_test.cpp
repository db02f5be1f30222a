// SPDX-License-Identifier: MIT
#include "matching/lcs_block.h"
#include "matching/prepared_lcs.h"

#include <array>
#include <random>

#include <gtest/gtest.h>

namespace tallowick::detail {
namespace {

class BlockLcsTest : public testing::TestWithParam<LcsKernel> {
protected:
    void SetUp() override {
        if (!IsKernelSupported(GetParam())) {
            GTEST_SKIP() << "this processor cannot run the " << KernelName(GetParam()) << " kernel";
        }
    }
};

// Random blocks against random patterns of 1 to 64 bytes: unused lanes, lanes of length 0,
// lanes longer than the pattern, and full 64-byte patterns all occur.
TEST_P(BlockLcsTest, AgreesWithThePreparedScorer) {
    const BlockLcsFunction blockLcs = BlockLcsFor(GetParam());
    std::mt19937 random(3);
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto text = [&](int length) {
        std::string t(static_cast<std::size_t>(length), 'a');
        for (char& c : t) {
            c = uniform(0, 9) == 0 ? static_cast<char>(uniform(0, 255)) : "abcd"[uniform(0, 3)];
        }
        return t;
    };
    PreparedLcs prepared;
    for (int round = 0; round < 2000; ++round) {
        const std::string pattern = text(round % 7 == 0 ? 64 : uniform(1, 64));
        prepared.Prepare(pattern);
        const auto lanes = static_cast<std::size_t>(uniform(1, kBlockLanes));
        std::array<std::string, kBlockLanes> names;
        std::array<std::uint32_t, kBlockLanes> lengths{};
        std::size_t steps = 0;
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            names[lane] = text(uniform(0, 90));
            lengths[lane] = static_cast<std::uint32_t>(names[lane].size());
            steps = std::max(steps, names[lane].size());
        }
        // Stray bytes past each name's end must not count.
        std::vector<std::uint8_t> bytes(steps * kBlockLanes, 'a');
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            for (std::size_t t = 0; t < names[lane].size(); ++t) {
                bytes[t * kBlockLanes + lane] = static_cast<std::uint8_t>(names[lane][t]);
            }
        }
        std::array<std::uint32_t, kBlockLanes> lcs{};
        blockLcs(prepared.Masks(), pattern.size(), bytes.data(), lengths.data(), steps, lcs.data());
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            ASSERT_EQ(lcs[lane], prepared.LcsLength(names[lane]))
                << "pattern " << pattern << ", lane " << lane << ": " << names[lane];
        }
    }
}

// Names of two to four mask words, for the kernels that take them.
TEST_P(BlockLcsTest, WideKernelAgreesWithThePreparedScorer) {
    const WideBlockLcsFunction wideBlockLcs = WideBlockLcsFor(GetParam());
    if (wideBlockLcs == nullptr) {
        GTEST_SKIP() << "the " << KernelName(GetParam()) << " kernel scores long names singly";
    }
    std::mt19937 random(4);
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto text = [&](int length) {
        std::string t(static_cast<std::size_t>(length), 'a');
        for (char& c : t) {
            c = "abcd"[uniform(0, 3)];
        }
        return t;
    };
    PreparedLcs prepared;
    for (int round = 0; round < 1000; ++round) {
        // Whole words now and then: the carry out of a full word must reach the next.
        const std::string pattern = text(round % 5 == 0 ? 64 * uniform(2, 4) : uniform(65, 256));
        prepared.Prepare(pattern);
        std::array<std::string, kBlockLanes> names;
        std::array<std::uint32_t, kBlockLanes> lengths{};
        std::size_t steps = 0;
        const auto lanes = static_cast<std::size_t>(uniform(1, kBlockLanes));
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            names[lane] = uniform(0, 3) == 0 ? pattern : text(uniform(0, 300));
            lengths[lane] = static_cast<std::uint32_t>(names[lane].size());
            steps = std::max(steps, names[lane].size());
        }
        std::vector<std::uint8_t> bytes(steps * kBlockLanes, 'a');
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            for (std::size_t t = 0; t < names[lane].size(); ++t) {
                bytes[t * kBlockLanes + lane] = static_cast<std::uint8_t>(names[lane][t]);
            }
        }
        std::array<std::uint32_t, kBlockLanes> lcs{};
        wideBlockLcs(prepared.Masks(), prepared.Words(), pattern.size(), bytes.data(),
                     lengths.data(), steps, lcs.data());
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            ASSERT_EQ(lcs[lane], prepared.LcsLength(names[lane]))
                << "pattern " << pattern << ", lane " << lane << ": " << names[lane];
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
