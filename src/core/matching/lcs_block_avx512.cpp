// SPDX-License-Identifier: MIT
// Built with -mavx512f -mavx512vl -mavx512bw -mavx512vbmi -mavx512vpopcntdq. Holds nothing but the
// kernel, so that no inline function of a shared header is compiled here with instructions other
// files must not see.
#include "matching/lcs_block.h"

#include <immintrin.h>

namespace tallowick::detail {

namespace {

long long PatternBits(std::size_t patternLength) {
    return patternLength >= 64 ? -1
                               : static_cast<long long>((std::uint64_t{1} << patternLength) - 1);
}

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

// The clear bits of the rows below the pattern's length.
inline __m256i Lengths(__m512i rows, __m512i patternBits) {
    return _mm512_cvtepi64_epi32(_mm512_popcnt_epi64(_mm512_andnot_si512(rows, patternBits)));
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
        total = _mm512_add_epi64(
            total, _mm512_popcnt_epi64(_mm512_andnot_si512(half.rows[w], patternBits)));
    }
    return _mm512_cvtepi64_epi32(total);
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

// The single-word kernel with the masks gathered by byte value, for names not split into
// classes.
void GatherBlock(const PatternView& pattern, const std::uint8_t* bytes,
                 const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs) {
    HalfBlock low{_mm512_set1_epi64(-1),
                  _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lengths))};
    HalfBlock high{_mm512_set1_epi64(-1),
                   _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lengths + 8))};
    for (std::size_t t = 0; t < steps; ++t) {
        const __m128i stepBytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + t * kBlockLanes));
        const __m256i step = _mm256_set1_epi32(static_cast<int>(t));
        low.rows = Step(low.rows, low.lengths, stepBytes, step, pattern.masks);
        high.rows = Step(high.rows, high.lengths, _mm_unpackhi_epi64(stepBytes, stepBytes), step,
                         pattern.masks);
    }
    const __m512i patternBits = _mm512_set1_epi64(PatternBits(pattern.length));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs), Lengths(low.rows, patternBits));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs + 8), Lengths(high.rows, patternBits));
}

// The masks of 16 * P classes in 2 * P registers. A lookup by class is P two-table permutes
// and a choice among them by the class's upper bits: no memory access, where a gather would
// make eight.
template <int P> struct ClassTables {
    __m512i tables[2 * P];

    // Entries past the classes in use are loaded but never looked up.
    void Load(const std::uint64_t* classMasks) {
        for (int i = 0; i < 2 * P; ++i) {
            tables[i] = _mm512_loadu_si512(classMasks + 8 * i);
        }
    }

    __m512i LookUp(__m512i classes) const {
        const __m512i first = _mm512_permutex2var_epi64(tables[0], classes, tables[1]);
        if constexpr (P == 1) {
            return first;
        } else {
            const __mmask8 from16 = _mm512_test_epi64_mask(classes, _mm512_set1_epi64(16));
            const __m512i second = _mm512_permutex2var_epi64(tables[2], classes, tables[3]);
            const __m512i below32 = _mm512_mask_blend_epi64(from16, first, second);
            if constexpr (P == 2) {
                return below32;
            } else {
                const __m512i third = _mm512_permutex2var_epi64(tables[4], classes, tables[5]);
                const __m512i fourth = _mm512_permutex2var_epi64(tables[6], classes, tables[7]);
                const __mmask8 from32 = _mm512_test_epi64_mask(classes, _mm512_set1_epi64(32));
                return _mm512_mask_blend_epi64(from32, below32,
                                               _mm512_mask_blend_epi64(from16, third, fourth));
            }
        }
    }
};

// The class of each of 64 bytes, through the 256-byte class table held in four registers.
struct ByteClassTable {
    __m512i quarters[4];

    explicit ByteClassTable(const std::uint8_t* byteClasses) {
        for (int i = 0; i < 4; ++i) {
            quarters[i] = _mm512_loadu_si512(byteClasses + 64 * i);
        }
    }

    __m512i ClassesOf(__m512i bytes) const {
        const __m512i below128 = _mm512_permutex2var_epi8(quarters[0], bytes, quarters[1]);
        const __m512i from128 = _mm512_permutex2var_epi8(quarters[2], bytes, quarters[3]);
        return _mm512_mask_blend_epi8(_mm512_movepi8_mask(bytes), below128, from128);
    }
};

// The byte classes of steps t to t + 3 of a block, sixteen lanes a step. A lane whose candidate
// has ended reads class 0, and steps past the block read nothing.
inline __m512i FourStepClasses(const ByteClassTable& byteClasses, const std::uint8_t* bytes,
                               __m512i laneLengths, std::size_t t, std::size_t steps) {
    const std::size_t left = (steps - t) * kBlockLanes;
    const __mmask64 inBlock = left >= 64 ? ~__mmask64{0} : (__mmask64{1} << left) - 1;
    const __m512i stepBytes = _mm512_maskz_loadu_epi8(inBlock, bytes + t * kBlockLanes);
    const auto activeAt = [&](std::size_t step) {
        return _mm512_cmpgt_epu32_mask(laneLengths, _mm512_set1_epi32(static_cast<int>(step)));
    };
    const __mmask64 active = _mm512_kunpackd(_mm512_kunpackw(activeAt(t + 3), activeAt(t + 2)),
                                             _mm512_kunpackw(activeAt(t + 1), activeAt(t)));
    return _mm512_maskz_mov_epi8(active, byteClasses.ClassesOf(stepBytes));
}

// One byte of each of eight candidates against a name of W words, the masks found by class.
// The addition runs from the low word up; its carry moves between words as a lane mask.
template <std::size_t W, int P>
inline void Advance(const ClassTables<P> (&tables)[W], __m512i (&rows)[W], __m512i classes) {
    const __m512i one = _mm512_set1_epi64(1);
    __mmask8 carry = 0;
    for (std::size_t w = 0; w < W; ++w) {
        const __m512i row = rows[w];
        const __m512i matches = _mm512_and_si512(row, tables[w].LookUp(classes));
        const __m512i sum = _mm512_add_epi64(row, matches);
        const __m512i withCarry = _mm512_mask_add_epi64(sum, carry, sum, one);
        // Carried out: the sum wrapped, or the carry in wrapped an all-ones sum to zero.
        carry = _mm512_cmplt_epu64_mask(sum, matches) |
                _mm512_mask_cmpeq_epu64_mask(carry, withCarry, _mm512_setzero_si512());
        // withCarry | (row & ~matches), in one instruction.
        rows[w] = _mm512_ternarylogic_epi64(withCarry, row, matches, 0xF4);
    }
}

// Lanes 0-7 or 8-15 of a block against a name of W words: word w of the eight rows in rows[w].
template <std::size_t W> struct ClassHalf {
    __m512i rows[W];

    ClassHalf() {
        for (__m512i& row : rows) {
            row = _mm512_set1_epi64(-1);
        }
    }

    // The clear bits of the rows below the pattern's length, lane by lane.
    __m256i Lengths(std::size_t patternLength) const {
        __m512i total = _mm512_setzero_si512();
        for (std::size_t w = 0; w < W; ++w) {
            const __m512i patternBits = _mm512_set1_epi64(PatternBits(patternLength - 64 * w));
            total = _mm512_add_epi64(
                total, _mm512_popcnt_epi64(_mm512_andnot_si512(rows[w], patternBits)));
        }
        return _mm512_cvtepi64_epi32(total);
    }
};

// Step S of a group of four: the classes of its sixteen lanes are 128-bit lane S of `classes`.
template <int S, std::size_t W, int P>
inline void ClassStep(const ClassTables<P> (&tables)[W], __m512i classes, ClassHalf<W>& low,
                      ClassHalf<W>& high) {
    const __m128i step = _mm512_extracti32x4_epi32(classes, S);
    Advance(tables, low.rows, _mm512_cvtepu8_epi64(step));
    Advance(tables, high.rows, _mm512_cvtepu8_epi64(_mm_srli_si128(step, 8)));
}

// Steps go four at a time: 64 bytes are loaded (no further than the block's end) and turned
// into classes together. A lane past its candidate's end takes class 0, whose mask is empty.
template <std::size_t W, int P>
void ClassBlock(const PatternView& pattern, const std::uint8_t* bytes, const std::uint32_t* lengths,
                std::size_t steps, std::uint32_t* lcs) {
    ClassTables<P> tables[W];
    for (std::size_t w = 0; w < W; ++w) {
        tables[w].Load(pattern.classMasks + 64 * w);
    }
    const ByteClassTable byteClasses(pattern.byteClasses);
    const __m512i laneLengths = _mm512_loadu_si512(lengths);
    ClassHalf<W> low;
    ClassHalf<W> high;
    for (std::size_t t = 0; t < steps; t += 4) {
        const __m512i classes = FourStepClasses(byteClasses, bytes, laneLengths, t, steps);
        ClassStep<0>(tables, classes, low, high);
        ClassStep<1>(tables, classes, low, high);
        ClassStep<2>(tables, classes, low, high);
        ClassStep<3>(tables, classes, low, high);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs), low.Lengths(pattern.length));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lcs + 8), high.Lengths(pattern.length));
}

// A name of up to 32 bytes in up to 32 classes fits 32-bit rows: sixteen lanes in a register,
// and the masks of all classes in one or two registers, found with a single permute per step.
template <int P>
void NarrowClassBlock(const PatternView& pattern, const std::uint8_t* bytes,
                      const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs) {
    // The low halves of the class masks, which hold every bit of such a name.
    const auto lowHalves = [&](int i) {
        return _mm512_inserti64x4(
            _mm512_castsi256_si512(
                _mm512_cvtepi64_epi32(_mm512_loadu_si512(pattern.classMasks + 16 * i))),
            _mm512_cvtepi64_epi32(_mm512_loadu_si512(pattern.classMasks + 16 * i + 8)), 1);
    };
    const __m512i first = lowHalves(0);
    const __m512i second = P == 2 ? lowHalves(1) : first;
    const ByteClassTable byteClasses(pattern.byteClasses);
    const __m512i laneLengths = _mm512_loadu_si512(lengths);
    __m512i rows = _mm512_set1_epi32(-1);
    const auto advance = [&](__m128i stepClasses) {
        const __m512i classes = _mm512_cvtepu8_epi32(stepClasses);
        const __m512i masks = P == 1 ? _mm512_permutexvar_epi32(classes, first)
                                     : _mm512_permutex2var_epi32(first, classes, second);
        const __m512i matches = _mm512_and_si512(rows, masks);
        rows = _mm512_ternarylogic_epi32(_mm512_add_epi32(rows, matches), rows, matches, 0xF4);
    };
    for (std::size_t t = 0; t < steps; t += 4) {
        const __m512i classes = FourStepClasses(byteClasses, bytes, laneLengths, t, steps);
        advance(_mm512_castsi512_si128(classes));
        advance(_mm512_extracti32x4_epi32(classes, 1));
        advance(_mm512_extracti32x4_epi32(classes, 2));
        advance(_mm512_extracti32x4_epi32(classes, 3));
    }
    const __m512i patternBits = _mm512_set1_epi32(
        static_cast<int>(static_cast<std::uint32_t>(PatternBits(pattern.length))));
    _mm512_storeu_si512(lcs, _mm512_popcnt_epi32(_mm512_andnot_si512(rows, patternBits)));
}

// The class kernel with as few tables as the name's classes need, or the gather kernel when the
// name is not split into classes.
template <std::size_t W>
void ClassOrGatherBlock(const PatternView& pattern, const std::uint8_t* bytes,
                        const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs) {
    if constexpr (W == 1) {
        if (pattern.length <= 32 && pattern.classCount != 0 && pattern.classCount <= 32) {
            if (pattern.classCount <= 16) {
                NarrowClassBlock<1>(pattern, bytes, lengths, steps, lcs);
            } else {
                NarrowClassBlock<2>(pattern, bytes, lengths, steps, lcs);
            }
            return;
        }
    }
    if (pattern.classCount == 0) {
        if constexpr (W == 1) {
            GatherBlock(pattern, bytes, lengths, steps, lcs);
        } else {
            WideBlock<W>(pattern.masks, pattern.length, bytes, lengths, steps, lcs);
        }
    } else if (pattern.classCount <= 16) {
        ClassBlock<W, 1>(pattern, bytes, lengths, steps, lcs);
    } else if (pattern.classCount <= 32) {
        ClassBlock<W, 2>(pattern, bytes, lengths, steps, lcs);
    } else {
        ClassBlock<W, 4>(pattern, bytes, lengths, steps, lcs);
    }
}

} // namespace

void BlockLcsAvx512(const PatternView& pattern, const std::uint8_t* bytes,
                    const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs) {
    ClassOrGatherBlock<1>(pattern, bytes, lengths, steps, lcs);
}

void WideBlockLcsAvx512(const PatternView& pattern, const std::uint8_t* bytes,
                        const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs) {
    switch (pattern.words) {
    case 2:
        ClassOrGatherBlock<2>(pattern, bytes, lengths, steps, lcs);
        break;
    case 3:
        ClassOrGatherBlock<3>(pattern, bytes, lengths, steps, lcs);
        break;
    default:
        ClassOrGatherBlock<4>(pattern, bytes, lengths, steps, lcs);
        break;
    }
}

} // namespace tallowick::detail
