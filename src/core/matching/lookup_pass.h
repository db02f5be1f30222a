// SPDX-License-Identifier: MIT
#pragma once

#include "matching/lcs_kernel.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
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
    /// Called as ROM files are done, with the number of leading ROM files (in listing order)
    /// whose rows are complete; the number only grows. It may be called from any of the pass's
    /// threads, but never by two at once, and never after LookUpNames has returned.
    std::function<void(std::size_t done)> onProgress;
    /// When set to true, the pass stops between two ROM files and returns the rows of the
    /// leading ROM files it has completed, in listing order: at least as many as last reported.
    const std::atomic<bool>* cancelRequested = nullptr;
};

/// How a lookup pass runs; none of it changes the rows.
struct LookupOptions {
    LcsKernel kernel = LcsKernel::Auto; ///< must be supported here (see IsKernelSupported)
    unsigned threads = 0;               ///< worker threads; 0 for one per processor core
};

/// The work of a lookup pass, in ROM-source pairs.
struct LookupStats {
    std::uint64_t pairsScored = 0;           ///< pairs whose LCS was computed
    std::uint64_t pairsSkippedByIndex = 0;   ///< other first byte, or an exact base name hashed
    std::uint64_t pairsSkippedByPruning = 0; ///< in the ROM's group, but could not win
};

/// Builds one row per ROM file, in the order of `romPaths`: its name, the closest source file
/// among `sourcePaths` (see FindClosestName) and the proposed new name. Both sequences are full
/// paths in listing order. The ROM files are shared out to one thread per processor core, and
/// the candidates are scored with the fastest kernel for the processor (LcsKernel::Auto); the rows
/// are the same whatever the threads and instructions. A cancelled pass returns the rows of the
/// leading ROM files done so far (see LookupControl).
std::vector<ResultRow> LookUpNames(std::span<const std::string> romPaths,
                                   std::span<const std::string> sourcePaths, bool ignoreBrackets,
                                   const LookupControl& control = {});

/// LookUpNames run as `options` asks, adding the work done to `stats` when it is given.
std::vector<ResultRow> LookUpNames(std::span<const std::string> romPaths,
                                   std::span<const std::string> sourcePaths, bool ignoreBrackets,
                                   const LookupControl& control, const LookupOptions& options,
                                   LookupStats* stats = nullptr);

/// The row for one ROM file name and the closest source name (empty when there is none).
ResultRow MakeResultRow(std::string_view romName, std::string_view closestMatch, float score);

} // namespace tallowick
