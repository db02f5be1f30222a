// SPDX-License-Identifier: MIT
#include "matching/closest_name_finder.h"

#include "matching/name_parts.h"

#include <algorithm>
#include <array>

namespace tallowick::detail {

// Why this search gives the rows of the literal walk (FindClosestName):
//
// Exact match. The walk returns at the first source, in listing order, whose base name equals
// the ROM's trimmed base name. Such a source always passes the first-byte filter (equal names
// begin with the same byte, or are both empty), and what the walk did before it only filled
// the pool, which an exact match ignores. So the answer is the first source with that base
// name, the one SourceIndex::FindExact keeps. When there is none, no source returns early and
// the walk scores every source that passes the filter: the sources of the ROM's group.
//
// Pool. Without an exact match the walk's answer is, among the sources it admits, the first in
// listing order of those with the highest stored score, accepted when that score is at least
// kAcceptScore:
// - Admission follows listing order; an admitted source enters behind all others (slot
//   `count`), and the bubble sort never exchanges equal neighbours. So among equal scores the
//   one admitted first always stands in the lower slot.
// - An admission after a ranking overwrites slot 9: the lowest score, and among equal lowest
//   the latest admitted. The first source of the highest score is never there (if all ten
//   scores are equal it stands in slot 0), so it is never lost.
// - A source that is not admitted has sum <= threshold, a single-precision score held by a
//   source admitted earlier; rounding to single precision keeps order, so its stored score is
//   at most that earlier one's and it cannot be the first of the highest. A sum of 0 is never
//   admitted, and a pool holding nothing ranks 0 into slot 0, which is not accepted.
// The winner is thus fixed by the set of scored sources alone: highest stored score, then
// lowest listing position (Leader). The order of the visit does not matter.
//
// Pruning. For fixed lengths the stored score never falls as the LCS length grows (a division
// by a positive length, roundings and a sum, each order-keeping), and the LCS is at most the
// shorter length. So StoredPairScore(min(m, n), m, n) bounds every candidate of n bytes. It
// rises with n up to m (n / m + 1) and falls beyond (1 + m / n). A candidate can be left out:
// - when its bound is below the leader's score: it can neither exceed that score nor tie it,
//   and the leader stays ahead of it;
// - when its bound is below kAcceptScore: if it were the winner, the row would have no match,
//   and without it the best score is no higher, so the row still has none; if it is not the
//   winner, leaving it out changes neither the highest score nor the first source that has it.
// The larger of the two is the leader's floor. A candidate that scores below the floor is let
// go for the same reasons, so the leader only ever holds a score of at least kAcceptScore.

ClosestNameFinder::ClosestNameFinder(const SourceIndex& index, LcsKernel kernel)
    : m_index(index), m_blockLcs(BlockLcsFor(kernel)), m_wideBlockLcs(WideBlockLcsFor(kernel)) {}

std::optional<ClosestNameFinder::Pick> ClosestNameFinder::Find(std::string_view romName,
                                                               LookupStats& stats) {
    const std::string_view rom = Trim(BaseNameOf(romName));
    if (const auto exact = m_index.FindExact(rom)) {
        stats.pairsSkippedByIndex += m_index.SourceCount();
        return Pick{*exact, kExactMatchScore};
    }
    const auto blocks = m_index.BlocksFor(rom);
    std::size_t candidates = 0;
    for (const CandidateBlock& block : blocks) {
        candidates += block.lanes;
    }
    stats.pairsSkippedByIndex += m_index.SourceCount() - candidates;
    // An empty ROM name has only sources with an empty base name in its group, and those are
    // exact matches; so from here on the ROM name has at least one byte.
    if (blocks.empty()) {
        return std::nullopt;
    }
    m_rom.Prepare(m_index.IgnoresBrackets() ? WithoutTags(rom) : rom);
    m_pattern = ViewOf(m_rom);

    Leader leader;
    RaiseFloor(leader);
    WalkOutward(blocks, leader, stats);
    if (static_cast<double>(leader.score) >= kAcceptScore) {
        return Pick{leader.source, leader.score};
    }
    return std::nullopt;
}

void ClosestNameFinder::Offer(float score, std::uint32_t source, Leader& leader) {
    if (score < leader.floor) {
        return;
    }
    if (score > leader.score || (score == leader.score && source < leader.source)) {
        leader.score = score;
        leader.source = source;
        RaiseFloor(leader);
    }
}

void ClosestNameFinder::RaiseFloor(Leader& leader) {
    leader.floor = std::max(leader.score, static_cast<float>(kAcceptScore));
    leader.gate = static_cast<double>(leader.floor) * (1.0 - 0x1p-20);
}

// Working out a score takes two divisions; this test takes two multiplications and lets
// through every candidate whose score reaches the floor. The stored score is L/m + L/n after
// three roundings of relative error 2^-24 at most, so a score at the floor F has
// L/m + L/n >= F (1 - 2^-22), that is L (m + n) >= F (1 - 2^-22) m n. The left side below is
// exact (integers far below 2^53); the right side is F (1 - 2^-20) m n with two roundings of
// 2^-53, still below F (1 - 2^-21) m n. A candidate that fails the test scores below the floor.
bool ClosestNameFinder::MayReachFloor(const Leader& leader, std::uint32_t lcs, std::size_t m,
                                      std::size_t n) {
    return static_cast<double>(lcs) * static_cast<double>(m + n) >=
           leader.gate * static_cast<double>(m * n);
}

float ClosestNameFinder::BestPossibleScore(const CandidateBlock& block) const {
    const std::size_t m = m_rom.Size();
    const std::size_t n = std::clamp<std::size_t>(m, block.Shortest(), block.Longest());
    return StoredPairScore(static_cast<std::uint32_t>(std::min(m, n)), m, n);
}

// Visits the blocks from the lengths nearest the ROM's outwards, so that a good leader is found
// early and the bounds, which only fall from there on either side, end the walk soon.
void ClosestNameFinder::WalkOutward(std::span<const CandidateBlock> blocks, Leader& leader,
                                    LookupStats& stats) {
    const std::size_t m = m_rom.Size();
    // Blocks before `right` hold only names shorter than the ROM's; blocks after it only names
    // at least as long.
    std::size_t right = static_cast<std::size_t>(
        std::partition_point(blocks.begin(), blocks.end(),
                             [m](const CandidateBlock& block) { return block.Longest() < m; }) -
        blocks.begin());
    std::size_t left = right;
    while (left > 0 || right < blocks.size()) {
        const float rightBound = right < blocks.size() ? BestPossibleScore(blocks[right]) : -1.0F;
        const float leftBound = left > 0 ? BestPossibleScore(blocks[left - 1]) : -1.0F;
        const bool takeRight = rightBound >= leftBound;
        if ((takeRight ? rightBound : leftBound) < leader.floor) {
            // Every block still ahead on either side has a bound no higher.
            for (std::size_t i = 0; i < left; ++i) {
                stats.pairsSkippedByPruning += blocks[i].lanes;
            }
            for (std::size_t i = right; i < blocks.size(); ++i) {
                stats.pairsSkippedByPruning += blocks[i].lanes;
            }
            return;
        }
        const CandidateBlock& block = takeRight ? blocks[right++] : blocks[--left];
        ScoreBlock(block, leader);
        stats.pairsScored += block.lanes;
    }
}

void ClosestNameFinder::ScoreBlock(const CandidateBlock& block, Leader& leader) {
    std::array<std::uint32_t, kBlockLanes> lcs{};
    if (m_rom.Words() == 1) {
        m_blockLcs(m_pattern, m_index.Bytes(block), block.lengths.data(), block.steps, lcs.data());
    } else if (m_rom.Words() <= kMaxWideWords) {
        m_wideBlockLcs(m_pattern, m_index.Bytes(block), block.lengths.data(), block.steps,
                       lcs.data());
    } else {
        for (std::uint32_t lane = 0; lane < block.lanes; ++lane) {
            lcs[lane] =
                m_rom.LcsLength(m_index.ScoredName(m_index.Candidate(block.firstCandidate + lane)));
        }
    }
    const std::size_t m = m_rom.Size();
    for (std::uint32_t lane = 0; lane < block.lanes; ++lane) {
        const std::size_t n = block.lengths[lane];
        if (MayReachFloor(leader, lcs[lane], m, n)) {
            Offer(StoredPairScore(lcs[lane], m, n),
                  m_index.Candidate(block.firstCandidate + lane).source, leader);
        }
    }
}

} // namespace tallowick::detail
