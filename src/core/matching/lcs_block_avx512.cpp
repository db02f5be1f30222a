// SPDX-License-Identifier: MIT
// Built with -mavx512f -mavx512vl -mavx512vpopcntdq. Holds nothing but the kernel, so that no
// inline function of a shared header is compiled here with instructions other files must not
// see.
#include "matching/lcs_block.h"

#include <immintrin.h>

namespace tallowick::detail {

namespace {

// Lanes 0-7 or 8-15 of a block: eight rows in one register.
struct HalfBlock {
    __m512i rows;
    __m256i lengths;
};

// One byte of each of eight candidates. The mask is looked up by a gather; lanes already past
// their candidate's end gather nothing and so keep their row.
inline __m512i Step(__m512i rows, __m256i lengths, __m128i stepBytes, __m256i step,
                    const std::uint64_t* masks) {
    const __m256i index = _mm256_cvtepu8_epi32(stepBytes);
    const __mmask8 active = _mm256_cmpgt_epu32_mask(lengths, step);
    const __m512i matches = _mm512_and_si512(
        rows, _mm512_mask_i32gather_epi64(_mm512_setzero_si512(), active, index, masks, 8));
    const __m512i sum = _mm512_add_epi64(rows, matches);
    // sum | (rows & ~matches), in one instruction.
    return _mm512_ternarylogic_epi64(sum, rows, matches, 0xF4);
}

// The clear bits of the rows below the pattern's length. (~rows & patternBits is written as a
// ternary-logic function because GCC 12 warns on the undefined source of the plain and-not.)
inline __m256i Lengths(__m512i rows, __m512i patternBits) {
    const __m512i unset = _mm512_ternarylogic_epi64(rows, patternBits, patternBits, 0x0C);
    return _mm512_maskz_cvtepi64_epi32(0xFF, _mm512_popcnt_epi64(unset));
}

// Eight lanes of a name of W mask words: the row of each lane spread over W registers, word w
// of all eight lanes in rows[w].
template <std::size_t W> struct WideHalf {
    __m512i rows[W];
    __m256i lengths;
};

// One byte of each of eight candidates against a name of W words. The addition runs from the
// low word up; its carry moves between words as a lane mask.
template <std::size_t W>
inline void WideStep(WideHalf<W>& half, __m128i stepBytes, __m256i step,
                     const std::uint64_t* masks) {
    const __m256i first =
        _mm256_mullo_epi32(_mm256_cvtepu8_epi32(stepBytes), _mm256_set1_epi32(static_cast<int>(W)));
    const __mmask8 active = _mm256_cmpgt_epu32_mask(half.lengths, step);
    const __m512i one = _mm512_set1_epi64(1);
    __mmask8 carry = 0;
    for (std::size_t w = 0; w < W; ++w) {
        const __m256i index = _mm256_add_epi32(first, _mm256_set1_epi32(static_cast<int>(w)));
        const __m512i row = half.rows[w];
        const __m512i matches = _mm512_and_si512(
            row, _mm512_mask_i32gather_epi64(_mm512_setzero_si512(), active, index, masks, 8));
        const __m512i sum = _mm512_add_epi64(row, matches);
        const __m512i withCarry = _mm512_mask_add_epi64(sum, carry, sum, one);
        // Carried out: the sum wrapped, or the carry in wrapped an all-ones sum to zero.
        carry = _mm512_cmplt_epu64_mask(sum, matches) |
                _mm512_mask_cmpeq_epu64_mask(carry, withCarry, _mm512_setzero_si512());
        half.rows[w] = _mm512_ternarylogic_epi64(withCarry, row, matches, 0xF4);
    }
}

template <std::size_t W>
inline __m256i WideLengths(const WideHalf<W>& half, std::size_t patternLength) {
    __m512i total = _mm512_setzero_si512();
    for (std::size_t w = 0; w < W; ++w) {
        const std::size_t bitsInWord = patternLength - 64 * w;
        const __m512i patternBits = _mm512_set1_epi64(
            bitsInWord >= 64 ? -1 : static_cast<long long>((std::uint64_t{1} << bitsInWord) - 1));
        total = _mm512_add_epi64(total, _mm512_popcnt_epi64(_mm512_ternarylogic_epi64(
                                            half.rows[w], patternBits, patternBits, 0x0C)));
    }
    return _mm512_maskz_cvtepi64_epi32(0xFF, total);
}

template <std::size_t W>
void WideBlock(const std::uint64_t* masks, std::size_t patternLength, const std::uint8_t* bytes,
               const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs) {
    WideHalf<W> low;
    WideHalf<W> high;
    for (std::size_t w = 0; w < W; ++w) {
        low.rows[w] = _mm512_set1_epi64(-1);
        high.rows[w] = _mm512_set1_epi64(-1);
    }
    low.lengths = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lengths));
    high.lengths = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lengths + 8));
    for (std::size_t t = 0; t < steps; ++t) {
        const __m128i stepBytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + t * kBlockLanes));
        const __m256i step = _mm256_set1_epi32(static_cast<int>(t));
        WideStep(low, stepBytes, step, masks);
        WideStep(high, _mm_unpackhi_epi64(stepBytes, stepBytes), step, masks);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs), WideLengths(low, patternLength));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs + 8), WideLengths(high, patternLength));
}

} // namespace

void BlockLcsAvx512(const std::uint64_t* masks, std::size_t patternLength,
                    const std::uint8_t* bytes, const std::uint32_t* lengths, std::size_t steps,
                    std::uint32_t* lcs) {
    HalfBlock low{_mm512_set1_epi64(-1),
                  _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lengths))};
    HalfBlock high{_mm512_set1_epi64(-1),
                   _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lengths + 8))};
    for (std::size_t t = 0; t < steps; ++t) {
        const __m128i stepBytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + t * kBlockLanes));
        const __m256i step = _mm256_set1_epi32(static_cast<int>(t));
        low.rows = Step(low.rows, low.lengths, stepBytes, step, masks);
        high.rows =
            Step(high.rows, high.lengths, _mm_unpackhi_epi64(stepBytes, stepBytes), step, masks);
    }
    const __m512i patternBits = _mm512_set1_epi64(
        patternLength >= 64 ? -1 : static_cast<long long>((std::uint64_t{1} << patternLength) - 1));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs), Lengths(low.rows, patternBits));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs + 8), Lengths(high.rows, patternBits));
}

void WideBlockLcsAvx512(const std::uint64_t* masks, std::size_t words, std::size_t patternLength,
                        const std::uint8_t* bytes, const std::uint32_t* lengths, std::size_t steps,
                        std::uint32_t* lcs) {
    switch (words) {
    case 2:
        WideBlock<2>(masks, patternLength, bytes, lengths, steps, lcs);
        break;
    case 3:
        WideBlock<3>(masks, patternLength, bytes, lengths, steps, lcs);
        break;
    default:
        WideBlock<4>(masks, patternLength, bytes, lengths, steps, lcs);
        break;
    }
}

} // namespace tallowick::detail
