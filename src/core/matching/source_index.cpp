// SPDX-License-Identifier: MIT
#include "matching/source_index.h"

#include "matching/name_parts.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>

namespace tallowick::detail {

namespace {

constexpr std::size_t kEmptyGroup = 256;

} // namespace

SourceIndex::SourceIndex(std::span<const std::string> sourcePaths, bool ignoreBrackets)
    : m_sourcePaths(sourcePaths), m_ignoreBrackets(ignoreBrackets) {
    std::vector<std::string_view> bases;
    bases.reserve(m_sourcePaths.size());
    std::array<std::uint32_t, kGroups + 1> counts{};
    for (std::uint32_t source = 0; source < m_sourcePaths.size(); ++source) {
        bases.push_back(BaseName(source));
        ++counts[GroupOf(bases.back()) + 1];
    }
    std::partial_sum(counts.begin(), counts.end(), m_groupCandidates.begin());

    m_candidates.resize(m_sourcePaths.size());
    std::array<std::uint32_t, kGroups + 1> next = m_groupCandidates;
    for (std::uint32_t source = 0; source < m_sourcePaths.size(); ++source) {
        const std::string_view base = bases[source];
        const std::string_view scored = m_ignoreBrackets ? WithoutTags(base) : base;
        m_candidates[next[GroupOf(base)]++] = IndexedCandidate{
            source, static_cast<std::uint32_t>(scored.data() - m_sourcePaths[source].data()),
            static_cast<std::uint32_t>(scored.size())};
    }
    for (std::size_t group = 0; group < kGroups; ++group) {
        std::sort(m_candidates.begin() + m_groupCandidates[group],
                  m_candidates.begin() + m_groupCandidates[group + 1],
                  [](const IndexedCandidate& a, const IndexedCandidate& b) {
                      return a.scoredLength != b.scoredLength ? a.scoredLength < b.scoredLength
                                                              : a.source < b.source;
                  });
    }
    BuildBlocks();
    BuildExactTable(bases);
}

std::size_t SourceIndex::GroupOf(std::string_view baseName) {
    return baseName.empty() ? kEmptyGroup : static_cast<unsigned char>(baseName.front());
}

std::string_view SourceIndex::BaseName(std::uint32_t source) const {
    return BaseNameOf(FileName(source));
}

std::string_view SourceIndex::FileName(std::uint32_t source) const {
    return FileNameOf(m_sourcePaths[source]);
}

std::string_view SourceIndex::ScoredName(const IndexedCandidate& candidate) const {
    return std::string_view(m_sourcePaths[candidate.source])
        .substr(candidate.scoredBegin, candidate.scoredLength);
}

const std::uint8_t* SourceIndex::Bytes(const CandidateBlock& block) const {
    return m_bytes.data() + block.bytesBegin;
}

std::span<const CandidateBlock> SourceIndex::BlocksFor(std::string_view romBase) const {
    const std::size_t group = GroupOf(romBase);
    return std::span<const CandidateBlock>(m_blocks).subspan(
        m_groupBlocks[group], m_groupBlocks[group + 1] - m_groupBlocks[group]);
}

void SourceIndex::BuildBlocks() {
    for (std::size_t group = 0; group < kGroups; ++group) {
        m_groupBlocks[group] = static_cast<std::uint32_t>(m_blocks.size());
        const std::uint32_t end = m_groupCandidates[group + 1];
        for (std::uint32_t first = m_groupCandidates[group]; first < end; first += kBlockLanes) {
            CandidateBlock block;
            block.firstCandidate = first;
            block.lanes = std::min<std::uint32_t>(kBlockLanes, end - first);
            block.bytesBegin = static_cast<std::uint32_t>(m_bytes.size());
            for (std::uint32_t lane = 0; lane < block.lanes; ++lane) {
                block.lengths[lane] = m_candidates[first + lane].scoredLength;
            }
            block.steps = block.lengths[block.lanes - 1];
            m_bytes.resize(m_bytes.size() + block.steps * kBlockLanes, 0);
            std::uint8_t* bytes = m_bytes.data() + block.bytesBegin;
            for (std::uint32_t lane = 0; lane < block.lanes; ++lane) {
                const std::string_view name = ScoredName(m_candidates[first + lane]);
                for (std::size_t t = 0; t < name.size(); ++t) {
                    bytes[t * kBlockLanes + lane] = static_cast<std::uint8_t>(name[t]);
                }
            }
            m_blocks.push_back(block);
        }
    }
    m_groupBlocks[kGroups] = static_cast<std::uint32_t>(m_blocks.size());
}

// Open addressing with linear probing, at most half full. A base name met again keeps the
// slot of its first source: that is the one the walk in listing order would reach first.
void SourceIndex::BuildExactTable(std::span<const std::string_view> bases) {
    m_exactSlots.assign(std::bit_ceil(std::max<std::size_t>(16, 2 * m_sourcePaths.size())),
                        ExactSlot{});
    const std::size_t mask = m_exactSlots.size() - 1;
    for (std::uint32_t source = 0; source < m_sourcePaths.size(); ++source) {
        const std::string_view base = bases[source];
        const std::size_t hash = std::hash<std::string_view>{}(base);
        std::size_t slot = hash & mask;
        while (m_exactSlots[slot].sourcePlusOne != 0 &&
               !(m_exactSlots[slot].hash == static_cast<std::uint32_t>(hash) &&
                 bases[m_exactSlots[slot].sourcePlusOne - 1] == base)) {
            slot = (slot + 1) & mask;
        }
        if (m_exactSlots[slot].sourcePlusOne == 0) {
            m_exactSlots[slot] = ExactSlot{source + 1, static_cast<std::uint32_t>(hash)};
        }
    }
}

std::optional<std::uint32_t> SourceIndex::FindExact(std::string_view baseName) const {
    const std::size_t mask = m_exactSlots.size() - 1;
    const std::size_t hash = std::hash<std::string_view>{}(baseName);
    for (std::size_t slot = hash & mask; m_exactSlots[slot].sourcePlusOne != 0;
         slot = (slot + 1) & mask) {
        const ExactSlot& entry = m_exactSlots[slot];
        if (entry.hash == static_cast<std::uint32_t>(hash) &&
            BaseName(entry.sourcePlusOne - 1) == baseName) {
            return entry.sourcePlusOne - 1;
        }
    }
    return std::nullopt;
}

} // namespace tallowick::detail
