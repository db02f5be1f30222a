// SPDX-License-Identifier: MIT
#include "matching/closest_match.h"

#include "matching/name_parts.h"

#include <utility>

namespace tallowick {

namespace {

// The first byte of a name as a one-byte text; names compare equal here when both are empty.
bool SameFirstByte(std::string_view a, std::string_view b) {
    if (a.empty() || b.empty()) {
        return a.empty() && b.empty();
    }
    return a.front() == b.front();
}

} // namespace

void RankCandidates(CandidatePool& pool, float& threshold) {
    for (int n = CandidatePool::kSlots - 1; n >= 1; --n) {
        for (int k = 0; k < n; ++k) {
            if (pool.scores[k] < pool.scores[k + 1]) {
                std::swap(pool.scores[k], pool.scores[k + 1]);
                std::swap(pool.names[k], pool.names[k + 1]);
            }
        }
    }
    threshold = pool.scores[CandidatePool::kSlots - 1];
    pool.count = CandidatePool::kSlots - 1;
}

std::optional<ClosestMatch> FindClosestName(std::span<const std::string> sourcePaths,
                                            std::string_view romName, bool ignoreBrackets,
                                            const CSimilar& similar) {
    CandidatePool pool;
    float threshold = 0.0F;
    const std::string_view rom = Trim(BaseNameOf(romName));
    // The cut never changes the ROM name's first byte, nor does it take part in the exact-match
    // test, so it can be made once, up front.
    const std::string_view scoredRom = ignoreBrackets ? WithoutTags(rom) : rom;

    for (const std::string& path : sourcePaths) {
        const std::string_view fileName = FileNameOf(path);
        const std::string_view candidate = BaseNameOf(fileName);

        if (!SameFirstByte(candidate, rom)) {
            continue;
        }
        // An identical name always wins, whatever its tags.
        if (candidate == rom) {
            return ClosestMatch{std::string(fileName), kExactMatchScore};
        }
        const std::string_view scoredCandidate =
            ignoreBrackets ? WithoutTags(candidate) : candidate;

        const auto candidateAgainstRom =
            static_cast<float>(similar.LcsSimilarity(scoredCandidate, scoredRom));
        const double sum = similar.LcsSimilarity(scoredRom, scoredCandidate) +
                           static_cast<double>(candidateAgainstRom);
        if (sum > static_cast<double>(threshold)) {
            pool.names[pool.count] = std::string(fileName);
            pool.scores[pool.count] = static_cast<float>(sum);
            if (++pool.count > CandidatePool::kSlots - 1) {
                RankCandidates(pool, threshold);
            }
        }
    }
    RankCandidates(pool, threshold);

    if (static_cast<double>(pool.scores[0]) >= kAcceptScore) {
        return ClosestMatch{std::move(pool.names[0]), pool.scores[0]};
    }
    return std::nullopt;
}

} // namespace tallowick
