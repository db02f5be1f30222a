// SPDX-License-Identifier: MIT
#pragma once

// A deliberately plain second implementation of the closest-match search and the lookup pass:
// a full LCS table per direction, every pool slot simulated one by one. The production code
// must give exactly its rows; the differential tests hold the two side by side.

#include "matching/lookup_pass.h"

#include <optional>
#include <string>
#include <vector>

namespace tallowick::reference {

struct Match {
    std::string fileName;
    float score = 0.0F;
};

/// Length of the longest common subsequence of two byte strings, from the full table.
std::size_t LcsLength(const std::string& a, const std::string& b);

/// LCS length of `first` and `second` over the byte length of `first`, 0 when either is empty.
double Score(const std::string& first, const std::string& second);

std::optional<Match> FindClosest(const std::vector<std::string>& sourcePaths,
                                 const std::string& romName, bool ignoreBrackets);

std::vector<ResultRow> LookUp(const std::vector<std::string>& romPaths,
                              const std::vector<std::string>& sourcePaths, bool ignoreBrackets);

} // namespace tallowick::reference
