// SPDX-License-Identifier: MIT
#pragma once

#include "matching/closest_match.h"
#include "matching/lcs_block.h"
#include "matching/lookup_pass.h"
#include "matching/prepared_lcs.h"
#include "matching/source_index.h"

#include <optional>
#include <string_view>

namespace tallowick::detail {

/// The closest-match search over a SourceIndex: the same result as FindClosestName over the
/// indexed listing, for a fraction of the work. One finder per thread: it keeps the prepared
/// ROM name between searches so that no search allocates once the first has run.
class ClosestNameFinder {
public:
    /// `kernel` must be supported by this processor (see IsKernelSupported).
    ClosestNameFinder(const SourceIndex& index, LcsKernel kernel);

    /// The chosen source of one ROM file.
    struct Pick {
        std::uint32_t source = 0; ///< position in the source listing
        float score = 0.0F;       ///< stored score; kExactMatchScore for an exact base name
    };

    /// The closest source file of `romName` (a file name, no folder), counting the work in
    /// `stats`.
    std::optional<Pick> Find(std::string_view romName, LookupStats& stats);

private:
    // The best candidate so far: the highest stored score, and among equal scores the source
    // first in listing order; and what a candidate must reach to matter at all.
    struct Leader {
        float score = 0.0F;
        std::uint32_t source = 0;
        float floor = 0.0F; ///< the larger of `score` and the accept score
        double gate = 0.0;  ///< `floor` less a margin for rounding (see MayReachFloor)
    };

    static void Offer(float score, std::uint32_t source, Leader& leader);
    static void RaiseFloor(Leader& leader);
    static bool MayReachFloor(const Leader& leader, std::uint32_t lcs, std::size_t m,
                              std::size_t n);
    float BestPossibleScore(const CandidateBlock& block) const;
    void WalkOutward(std::span<const CandidateBlock> blocks, Leader& leader, LookupStats& stats);
    void ScoreBlock(const CandidateBlock& block, Leader& leader);

    const SourceIndex& m_index;
    BlockLcsFunction m_blockLcs;
    WideBlockLcsFunction m_wideBlockLcs;
    PreparedLcs m_rom;
    PatternView m_pattern; ///< m_rom as the kernels read it
                           ///< the ROM's scored base name of the current search
};

} // namespace tallowick::detail
