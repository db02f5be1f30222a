// SPDX-License-Identifier: MIT
#pragma once

#include "matching/lcs_kernel.h"

#include <cstddef>
#include <cstdint>

namespace tallowick::detail {

/// Candidates scored together, one per lane.
inline constexpr std::size_t kBlockLanes = 16;

/// Computes, for every lane of a block of candidates, the length of the longest common
/// subsequence of the candidate and a name prepared in a single mask word (see PreparedLcs).
///   masks:         256 words, one per byte value; only bits below `patternLength` set
///   patternLength: bytes of the prepared name, 1 to 64
///   bytes:         the block's candidates lane by lane: byte t of lane k at bytes[t * 16 + k]
///   lengths:       kBlockLanes byte lengths; unused lanes have length 0 (their bytes are ignored)
///   steps:         the largest of `lengths`
///   lcs:           receives kBlockLanes lengths
/// The kernels differ only in the instructions they use; their results are identical.
using BlockLcsFunction = void (*)(const std::uint64_t* masks, std::size_t patternLength,
                                  const std::uint8_t* bytes, const std::uint32_t* lengths,
                                  std::size_t steps, std::uint32_t* lcs);

void BlockLcsPortable(const std::uint64_t* masks, std::size_t patternLength,
                      const std::uint8_t* bytes, const std::uint32_t* lengths, std::size_t steps,
                      std::uint32_t* lcs);

/// As BlockLcsFunction, for a name prepared in `words` mask words (2 to kMaxWideWords): the
/// masks hold `words` words per byte value, and `patternLength` is up to 64 * words bytes.
using WideBlockLcsFunction = void (*)(const std::uint64_t* masks, std::size_t words,
                                      std::size_t patternLength, const std::uint8_t* bytes,
                                      const std::uint32_t* lengths, std::size_t steps,
                                      std::uint32_t* lcs);

/// The most mask words a wide kernel takes: names of up to 256 bytes, which covers every file
/// name a file system gives.
inline constexpr std::size_t kMaxWideWords = 4;

#if defined(__x86_64__)
// Built with their own instruction-set options: call only when IsKernelSupported says so.
void BlockLcsAvx2(const std::uint64_t* masks, std::size_t patternLength, const std::uint8_t* bytes,
                  const std::uint32_t* lengths, std::size_t steps, std::uint32_t* lcs);
void BlockLcsAvx512(const std::uint64_t* masks, std::size_t patternLength,
                    const std::uint8_t* bytes, const std::uint32_t* lengths, std::size_t steps,
                    std::uint32_t* lcs);
void WideBlockLcsAvx512(const std::uint64_t* masks, std::size_t words, std::size_t patternLength,
                        const std::uint8_t* bytes, const std::uint32_t* lengths, std::size_t steps,
                        std::uint32_t* lcs);
#endif

/// The block kernel for `kernel` (Auto resolved first). `kernel` must be supported here.
BlockLcsFunction BlockLcsFor(LcsKernel kernel);

/// The wide block kernel for `kernel`, or null when it has none and names longer than 64 bytes
/// are to be scored one candidate at a time.
WideBlockLcsFunction WideBlockLcsFor(LcsKernel kernel);

} // namespace tallowick::detail
