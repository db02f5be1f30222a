// SPDX-License-Identifier: MIT
#include "matching/lcs_block.h"

#include "matching/prepared_lcs.h"

#include <algorithm>
#include <array>

namespace tallowick::detail {

namespace {

// Lanes advanced side by side: independent dependency chains keep the integer units busy where
// a single chain would wait on its own add. (The loops over them are unrolled so that the rows
// stay in registers.)
constexpr std::size_t kInterleaved = 8;

// Names of several words take fewer lanes at once: their rows fill the registers sooner.
constexpr std::size_t kWideInterleaved = 4;

std::uint64_t PatternBits(std::size_t patternLength) {
    return patternLength >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << patternLength) - 1;
}

// Set bits of a word in a few operations: the plain x86-64 build has no popcount instruction,
// and the library call it would make instead costs more than the count.
constexpr std::uint32_t PopCount(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555;
    x = (x & 0x3333333333333333) + ((x >> 2) & 0x3333333333333333);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<std::uint32_t>((x * 0x0101010101010101) >> 56);
}

// Four lanes against a name of W words: rows[k][w] is word w of lane k. Lanes at or past
// their end (`active` clear) take no matches and keep their rows.
template <std::size_t W>
void AdvanceWide(std::uint64_t (&rows)[kWideInterleaved][W], const std::uint64_t* masks,
                 const std::uint8_t* step, const std::uint64_t (&active)[kWideInterleaved]) {
#pragma GCC unroll 4
    for (std::size_t k = 0; k < kWideInterleaved; ++k) {
        const std::uint64_t* byteMasks = masks + step[k] * W;
        std::uint64_t carry = 0;
#pragma GCC unroll 4
        for (std::size_t w = 0; w < W; ++w) {
            const std::uint64_t row = rows[k][w];
            const std::uint64_t matches = row & byteMasks[w] & active[k];
            const std::uint64_t withCarry = row + carry;
            const std::uint64_t sum = withCarry + matches;
            carry = static_cast<std::uint64_t>(withCarry < carry) |
                    static_cast<std::uint64_t>(sum < matches);
            rows[k][w] = sum | (row - matches);
        }
    }
}

template <std::size_t W>
void WideBlock(const PatternView& pattern, const std::uint8_t* bytes, const std::uint32_t* lengths,
               std::uint32_t* lcs) {
    for (std::size_t first = 0; first < kBlockLanes; first += kWideInterleaved) {
        std::uint64_t rows[kWideInterleaved][W];
        for (auto& lane : rows) {
            std::fill(std::begin(lane), std::end(lane), ~std::uint64_t{0});
        }
        const std::uint32_t* groupLengths = lengths + first;
        const std::size_t longest =
            *std::max_element(groupLengths, groupLengths + kWideInterleaved);
        for (std::size_t t = 0; t < longest; ++t) {
            std::uint64_t active[kWideInterleaved];
            for (std::size_t k = 0; k < kWideInterleaved; ++k) {
                active[k] = t < groupLengths[k] ? ~std::uint64_t{0} : 0;
            }
            AdvanceWide<W>(rows, pattern.masks, bytes + t * kBlockLanes + first, active);
        }
        for (std::size_t k = 0; k < kWideInterleaved; ++k) {
            std::uint32_t length = 0;
            for (std::size_t w = 0; w < W; ++w) {
                length += PopCount(~rows[k][w] & PatternBits(pattern.length - 64 * w));
            }
            lcs[first + k] = length;
        }
    }
}

} // namespace

void BlockLcsPortable(const PatternView& pattern, const std::uint8_t* bytes,
                      const std::uint32_t* lengths, std::size_t /*steps*/, std::uint32_t* lcs) {
    const std::uint64_t* masks = pattern.masks;
    for (std::size_t first = 0; first < kBlockLanes; first += kInterleaved) {
        std::array<std::uint64_t, kInterleaved> rows;
        rows.fill(~std::uint64_t{0});
        const std::uint32_t* groupLengths = lengths + first;
        const std::size_t shortest = *std::min_element(groupLengths, groupLengths + kInterleaved);
        const std::size_t longest = *std::max_element(groupLengths, groupLengths + kInterleaved);

        std::size_t t = 0;
        for (; t < shortest; ++t) {
            const std::uint8_t* step = bytes + t * kBlockLanes + first;
#pragma GCC unroll 8
            for (std::size_t k = 0; k < kInterleaved; ++k) {
                const std::uint64_t matches = rows[k] & masks[step[k]];
                rows[k] = (rows[k] + matches) | (rows[k] - matches);
            }
        }
        // Past the shortest lane, a finished lane takes no matches and so keeps its row.
        for (; t < longest; ++t) {
            const std::uint8_t* step = bytes + t * kBlockLanes + first;
#pragma GCC unroll 8
            for (std::size_t k = 0; k < kInterleaved; ++k) {
                const std::uint64_t active = t < groupLengths[k] ? ~std::uint64_t{0} : 0;
                const std::uint64_t matches = rows[k] & masks[step[k]] & active;
                rows[k] = (rows[k] + matches) | (rows[k] - matches);
            }
        }
        for (std::size_t k = 0; k < kInterleaved; ++k) {
            lcs[first + k] = PopCount(~rows[k] & PatternBits(pattern.length));
        }
    }
}

BlockLcsFunction BlockLcsFor(LcsKernel kernel) {
    switch (ResolveKernel(kernel)) {
#if defined(__x86_64__)
    case LcsKernel::Avx512:
        return BlockLcsAvx512;
    case LcsKernel::Avx2:
        return BlockLcsAvx2;
#endif
    default:
        return BlockLcsPortable;
    }
}

void WideBlockLcsPortable(const PatternView& pattern, const std::uint8_t* bytes,
                          const std::uint32_t* lengths, std::size_t /*steps*/, std::uint32_t* lcs) {
    switch (pattern.words) {
    case 2:
        WideBlock<2>(pattern, bytes, lengths, lcs);
        break;
    case 3:
        WideBlock<3>(pattern, bytes, lengths, lcs);
        break;
    default:
        WideBlock<4>(pattern, bytes, lengths, lcs);
        break;
    }
}

PatternView ViewOf(const PreparedLcs& prepared) {
    return PatternView{prepared.Masks(),       prepared.Words(),      prepared.Size(),
                       prepared.ByteClasses(), prepared.ClassMasks(), prepared.ClassCount()};
}

WideBlockLcsFunction WideBlockLcsFor(LcsKernel kernel) {
#if defined(__x86_64__)
    if (ResolveKernel(kernel) == LcsKernel::Avx512) {
        return WideBlockLcsAvx512;
    }
#endif
    // Four 64-bit lanes of AVX2 hold no more than the portable code's registers do here.
    return WideBlockLcsPortable;
}

} // namespace tallowick::detail
