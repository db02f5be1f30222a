// SPDX-License-Identifier: MIT
#include "matching/lcs_block.h"

#include "matching/prepared_lcs.h"

#include <algorithm>
#include <array>
#include <bit>

namespace tallowick::detail {

namespace {

// Lanes advanced side by side: independent dependency chains keep the integer units busy where
// a single chain would wait on its own add. (The loops over them are unrolled so that the rows
// stay in registers.)
constexpr std::size_t kInterleaved = 8;

std::uint64_t PatternBits(std::size_t patternLength) {
    return patternLength >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << patternLength) - 1;
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
            lcs[first + k] =
                static_cast<std::uint32_t>(std::popcount(~rows[k] & PatternBits(pattern.length)));
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
    return nullptr;
}

} // namespace tallowick::detail
