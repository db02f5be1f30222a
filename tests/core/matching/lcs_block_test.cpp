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

// Random texts over a run of consecutive byte values, a new run for every round.
class RandomTexts {
public:
    explicit RandomTexts(unsigned seed) : m_random(seed) {}

    int Uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    std::mt19937& Engine() { return m_random; }

    /// Picks `size` consecutive byte values, from a random first one, for the texts to come.
    void ChooseAlphabet(int size) {
        m_alphabet = size;
        m_firstByte = Uniform(0, 255 - size);
    }
    int FirstByte() const { return m_firstByte; }

    std::string Text(int length) {
        std::string text(static_cast<std::size_t>(length), 'a');
        for (char& c : text) {
            c = static_cast<char>(m_firstByte + Uniform(0, m_alphabet - 1));
        }
        return text;
    }

private:
    std::mt19937 m_random;
    int m_alphabet = 1;
    int m_firstByte = 0;
};

// Random blocks against random patterns of 1 to 64 bytes: unused lanes, lanes of length 0,
// lanes longer than the pattern, and full 64-byte patterns all occur. The patterns' alphabets
// range from two bytes to 64 distinct ones, high bytes included, so that every way a kernel
// may hold the masks is taken.
TEST_P(BlockLcsTest, AgreesWithThePreparedScorer) {
    const BlockLcsFunction blockLcs = BlockLcsFor(GetParam());
    RandomTexts random(3);
    PreparedLcs prepared;
    for (int round = 0; round < 3000; ++round) {
        random.ChooseAlphabet(std::array{2, 12, 24, 50, 64}[round % 5]);
        std::string pattern = random.Text(round % 7 == 0 ? 64 : random.Uniform(1, 64));
        if (round % 10 == 4) {
            // Sixty-four distinct bytes: as many classes as a name of one word can have.
            pattern.resize(64);
            for (std::size_t j = 0; j < 64; ++j) {
                pattern[j] = static_cast<char>(random.FirstByte() + static_cast<int>(j));
            }
            std::shuffle(pattern.begin(), pattern.end(), random.Engine());
        }
        prepared.Prepare(pattern);
        LaidOutBlock block;
        block.lanes = static_cast<std::size_t>(random.Uniform(1, kBlockLanes));
        for (std::size_t lane = 0; lane < block.lanes; ++lane) {
            block.names[lane] =
                random.Uniform(0, 4) == 0 ? pattern : random.Text(random.Uniform(0, 90));
        }
        block.LayOut(static_cast<std::uint8_t>(random.FirstByte()));
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
    RandomTexts random(4);
    PreparedLcs prepared;
    for (int round = 0; round < 2000; ++round) {
        // Up to 64 distinct bytes the masks are found by class, beyond that by byte value.
        random.ChooseAlphabet(std::array{3, 12, 24, 50, 100}[round % 5]);
        // Whole words now and then: the carry out of a full word must reach the next.
        const std::string pattern =
            random.Text(round % 7 == 0 ? 64 * random.Uniform(2, 4) : random.Uniform(65, 256));
        prepared.Prepare(pattern);
        LaidOutBlock block;
        block.lanes = static_cast<std::size_t>(random.Uniform(1, kBlockLanes));
        for (std::size_t lane = 0; lane < block.lanes; ++lane) {
            block.names[lane] =
                random.Uniform(0, 3) == 0 ? pattern : random.Text(random.Uniform(0, 300));
        }
        block.LayOut(static_cast<std::uint8_t>(random.FirstByte()));
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
