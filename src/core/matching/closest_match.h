// SPDX-License-Identifier: MIT
#pragma once

#include "matching/similar.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tallowick {

/// The lowest score at which the best candidate is accepted as the closest match.
inline constexpr double kAcceptScore = 1.25;

/// The score reported for a source whose base name equals the ROM's.
inline constexpr float kExactMatchScore = 2.0F;

/// The best-scored candidates of one search, ten slots.
struct CandidatePool {
    static constexpr int kSlots = 10;
    std::array<float, kSlots> scores{};      ///< both directions added, stored in single precision
    std::array<std::string, kSlots> names{}; ///< file name of the candidate in the same slot
    int count = 0;                           ///< the slot the next admitted candidate fills
};

/// Bubble-sorts the ten slots by descending score (equal neighbours never exchanged, so the
/// candidate admitted earlier keeps the lower slot), then sets `threshold` to the score in the
/// last slot and `count` to 9, so that the next admission replaces the lowest of the ten.
void RankCandidates(CandidatePool& pool, float& threshold);

/// The source file chosen for one ROM file name.
struct ClosestMatch {
    std::string fileName; ///< base name and extension of the chosen source file, no folder
    float score = 0.0F;   ///< stored score of the pick; kExactMatchScore for an exact base name
};

/// Finds the source file whose name is closest to `romName` (a file name, no folder).
///
/// Walks `sourcePaths` in order and lets compete only the sources whose base name begins with
/// the same byte as the ROM's trimmed base name. A source with exactly that base name is taken
/// at once; otherwise each competitor is scored in both directions with `similar` and the best
/// one (the earliest among equal scores) is accepted when its score is at least kAcceptScore.
/// With `ignoreBrackets`, both names are scored without their tags (see WithoutTags); the
/// exact-match test still compares whole names.
std::optional<ClosestMatch> FindClosestName(std::span<const std::string> sourcePaths,
                                            std::string_view romName, bool ignoreBrackets,
                                            const CSimilar& similar);

} // namespace tallowick
