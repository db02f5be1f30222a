// SPDX-License-Identifier: MIT
// Built with -mavx2 -mpopcnt. Holds nothing but the kernel, so that no inline function of a
// shared header is compiled here with instructions other files must not see.
#include "matching/lcs_block.h"

#include <immintrin.h>

namespace tallowick::detail {

namespace {

constexpr std::size_t kLanesPerRegister = 4;

// Four lanes of a block: the rows and, as 64-bit numbers, the candidates' lengths.
struct Quarter {
    __m256i rows;
    __m256i lengths;
};

// One byte of each of four candidates (bytes 4 * Q to 4 * Q + 3 of `stepBytes`). Lanes past
// their candidate's end gather nothing and so keep their row.
template <int Q>
inline void Step(Quarter& quarter, __m128i stepBytes, __m256i step, const std::uint64_t* masks) {
    const __m128i index = _mm_cvtepu8_epi32(_mm_srli_si128(stepBytes, 4 * Q));
    const __m256i active = _mm256_cmpgt_epi64(quarter.lengths, step);
    const __m256i gathered = _mm256_mask_i32gather_epi64(
        _mm256_setzero_si256(), reinterpret_cast<const long long*>(masks), index, active, 8);
    const __m256i matches = _mm256_and_si256(quarter.rows, gathered);
    quarter.rows = _mm256_or_si256(_mm256_add_epi64(quarter.rows, matches),
                                   _mm256_andnot_si256(matches, quarter.rows));
}

inline Quarter Start(const std::uint32_t* lengths) {
    return {_mm256_set1_epi64x(-1),
            _mm256_cvtepu32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lengths)))};
}

inline void Finish(const Quarter& quarter, std::uint64_t patternBits, std::uint32_t* lcs) {
    alignas(32) std::uint64_t rows[kLanesPerRegister];
    _mm256_store_si256(reinterpret_cast<__m256i*>(rows), quarter.rows);
    for (std::size_t k = 0; k < kLanesPerRegister; ++k) {
        lcs[k] = static_cast<std::uint32_t>(_mm_popcnt_u64(~rows[k] & patternBits));
    }
}

} // namespace

void BlockLcsAvx2(const PatternView& pattern, const std::uint8_t* bytes,
                  const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs) {
    const std::uint64_t* masks = pattern.masks;
    const std::size_t patternLength = pattern.length;
    Quarter q0 = Start(lengths);
    Quarter q1 = Start(lengths + 4);
    Quarter q2 = Start(lengths + 8);
    Quarter q3 = Start(lengths + 12);
    for (std::size_t t = 0; t < steps; ++t) {
        const __m128i stepBytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + t * kBlockLanes));
        const __m256i step = _mm256_set1_epi64x(static_cast<long long>(t));
        Step<0>(q0, stepBytes, step, masks);
        Step<1>(q1, stepBytes, step, masks);
        Step<2>(q2, stepBytes, step, masks);
        Step<3>(q3, stepBytes, step, masks);
    }
    const std::uint64_t patternBits =
        patternLength >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << patternLength) - 1;
    Finish(q0, patternBits, lcs);
    Finish(q1, patternBits, lcs + 4);
    Finish(q2, patternBits, lcs + 8);
    Finish(q3, patternBits, lcs + 12);
}

} // namespace tallowick::detail
