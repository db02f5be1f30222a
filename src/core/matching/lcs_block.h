// SPDX-License-Identifier: MIT
#pragma once

#include "matching/lcs_kernel.h"

#include <cstddef>
#include <cstdint>

// No header with inline functions is included here: the kernels' files are built with wider
// instruction sets, and an inline function compiled there could be the copy the linker keeps.
namespace tallowick {
class PreparedLcs;
} // namespace tallowick

namespace tallowick::detail {

/// Candidates scored together, one per lane.
inline constexpr std::size_t kBlockLanes = 16;

/// A prepared name as the block kernels read it (see PreparedLcs).
struct PatternView {
    const std::uint64_t* masks = nullptr;      ///< `words` words for each of the 256 byte values
    std::size_t words = 0;                     ///< 1 for up to 64 bytes
    std::size_t length = 0;                    ///< bytes of the name
    const std::uint8_t* byteClasses = nullptr; ///< 256 classes, 0 for bytes not in the name
    const std::uint64_t* classMasks = nullptr; ///< 64 masks by class for each word in turn
    std::size_t classCount = 0; ///< classes, class 0 included, up to 64; 0 when not classed
};

/// Computes, for every lane of a block of candidates, the length of the longest common
/// subsequence of the candidate and a prepared name of one mask word (1 to 64 bytes).
///   bytes:   the block's candidates lane by lane: byte t of lane k at bytes[t * 16 + k]
///   lengths: kBlockLanes byte lengths; unused lanes have length 0 (their bytes are ignored)
///   steps:   the largest of `lengths`
///   lcs:     receives kBlockLanes lengths
/// The kernels differ only in the instructions they use; their results are identical.
using BlockLcsFunction = void (*)(const PatternView& pattern, const std::uint8_t* bytes,
                                  const std::uint32_t* lengths, std::size_t steps,
                                  std::uint32_t* lcs);

/// As BlockLcsFunction, for a name of 2 to kMaxWideWords mask words.
using WideBlockLcsFunction = BlockLcsFunction;

/// The most mask words a wide kernel takes: names of up to 256 bytes, which covers every file
/// name a file system gives.
inline constexpr std::size_t kMaxWideWords = 4;

void BlockLcsPortable(const PatternView& pattern, const std::uint8_t* bytes,
                      const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs);
void WideBlockLcsPortable(const PatternView& pattern, const std::uint8_t* bytes,
                          const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs);

#if defined(__x86_64__)
// Built with their own instruction-set options: call only when IsKernelSupported says so.
void BlockLcsAvx2(const PatternView& pattern, const std::uint8_t* bytes,
                  const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs);
void BlockLcsAvx512(const PatternView& pattern, const std::uint8_t* bytes,
                    const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs);
void WideBlockLcsAvx512(const PatternView& pattern, const std::uint8_t* bytes,
                        const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs);
#endif

/// The block kernel for `kernel` (Auto resolved first). `kernel` must be supported here.
BlockLcsFunction BlockLcsFor(LcsKernel kernel);

/// The wide block kernel for `kernel` (the portable one serves AVX2 as well).
WideBlockLcsFunction WideBlockLcsFor(LcsKernel kernel);

/// The view of `prepared` that the kernels take; valid while `prepared` is unchanged.
PatternView ViewOf(const PreparedLcs& prepared);

} // namespace tallowick::detail
