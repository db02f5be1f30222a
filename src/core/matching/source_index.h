// SPDX-License-Identifier: MIT
#pragma once

#include "matching/lcs_block.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallowick::detail {

/// One source file as a candidate: where it is in the listing and which bytes of its path are
/// scored (its base name, without its tags under the bracket option).
struct IndexedCandidate {
    std::uint32_t source = 0;       ///< position in the source listing
    std::uint32_t scoredBegin = 0;  ///< offset of the scored name in the source path
    std::uint32_t scoredLength = 0; ///< bytes
};

/// Up to kBlockLanes candidates of one first byte, scored together. The candidates of a block
/// are consecutive in SourceIndex's order, so their lengths ascend from lane to lane.
struct CandidateBlock {
    std::array<std::uint32_t, kBlockLanes> lengths{}; ///< scored lengths; 0 in unused lanes
    std::uint32_t firstCandidate = 0; ///< the candidate in lane 0 (see SourceIndex::Candidate)
    std::uint32_t lanes = 0;          ///< used lanes, from lane 0
    std::uint32_t bytesBegin = 0;     ///< offset of the block's bytes in the index's byte store
    std::uint32_t steps = 0;          ///< the longest scored length of the block

    std::uint32_t Shortest() const { return lengths[0]; }
    std::uint32_t Longest() const { return steps; }
};

/// The source listing arranged for the closest-match search, built once per lookup pass: exact
/// base names by hash, and every candidate grouped by the first byte of its base name and,
/// within a group, by scored length, in blocks whose bytes are stored lane by lane for the block
/// kernels. Holds views into `sourcePaths`, which must outlive the index.
class SourceIndex {
public:
    SourceIndex(std::span<const std::string> sourcePaths, bool ignoreBrackets);

    bool IgnoresBrackets() const { return m_ignoreBrackets; }
    std::size_t SourceCount() const { return m_sourcePaths.size(); }

    /// Listing position of the first source whose base name is `baseName`.
    std::optional<std::uint32_t> FindExact(std::string_view baseName) const;

    /// The blocks of the sources whose base name begins with the byte `romBase` begins with (or
    /// that are empty, when `romBase` is), in ascending order of scored length.
    std::span<const CandidateBlock> BlocksFor(std::string_view romBase) const;

    const IndexedCandidate& Candidate(std::uint32_t index) const { return m_candidates[index]; }
    std::string_view ScoredName(const IndexedCandidate& candidate) const;
    std::string_view FileName(std::uint32_t source) const;
    const std::uint8_t* Bytes(const CandidateBlock& block) const;

private:
    // Group 256 holds the sources with an empty base name.
    static constexpr std::size_t kGroups = 257;

    static std::size_t GroupOf(std::string_view baseName);
    std::string_view BaseName(std::uint32_t source) const;
    void Group(std::span<const IndexedCandidate> candidates);
    void BuildBlocks();
    void BuildExactTable(std::span<const std::string_view> bases);

    std::span<const std::string> m_sourcePaths;
    bool m_ignoreBrackets = false;
    std::vector<IndexedCandidate> m_candidates; ///< group by group, each by scored length
    std::array<std::uint32_t, kGroups + 1> m_groupCandidates{}; ///< first candidate of each group
    std::array<std::uint32_t, kGroups + 1> m_groupBlocks{};     ///< first block of each group
    std::vector<CandidateBlock> m_blocks;
    std::vector<std::uint8_t> m_bytes; ///< block bytes, lane by lane

    // A slot of the exact-name table; the hash spares most comparisons of names.
    struct ExactSlot {
        std::uint32_t sourcePlusOne = 0; ///< 0 when the slot is free
        std::uint32_t hash = 0;          ///< low bits of the base name's hash
    };
    std::vector<ExactSlot> m_exactSlots; ///< open addressing, at most half full
};

} // namespace tallowick::detail
