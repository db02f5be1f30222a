// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tallowick {

/// One row of the result list, in column order.
struct ResultRow {
    std::string romName;      ///< the ROM file's name, extension included, no folder
    std::string closestMatch; ///< the chosen source file's name, or empty when none was found
    std::string newName;      ///< ROM base name + the match's extension; empty without a match
    float score = 0.0F;       ///< stored score of the match (2 for an exact base name), 0 if none
};

/// Lets a caller follow and stop a lookup pass.
struct LookupControl {
    /// Called after each ROM file with the number of ROM files done so far.
    std::function<void(std::size_t done)> onProgress;
    /// When set to true, the pass stops between two ROM files and returns the rows it has.
    const std::atomic<bool>* cancelRequested = nullptr;
};

/// Builds one row per ROM file, in the order of `romPaths`: its name, the closest source file
/// among `sourcePaths` (see FindClosestName) and the proposed new name. Both sequences are full
/// paths in listing order. A cancelled pass returns the rows of the ROM files done so far.
std::vector<ResultRow> LookUpNames(std::span<const std::string> romPaths,
                                   std::span<const std::string> sourcePaths, bool ignoreBrackets,
                                   const LookupControl& control = {});

/// The row for one ROM file name and the closest source name (empty when there is none).
ResultRow MakeResultRow(std::string_view romName, std::string_view closestMatch, float score);

} // namespace tallowick
