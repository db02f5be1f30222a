// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tallowick {

/// What became of one copy, or of one row of the copy loop.
enum class CopyStatus {
    Copied,          ///< the target now holds the source's content (in a dry run: it would)
    SkippedNoMatch,  ///< the row has no Closest Match, so there is nothing to copy
    SkippedExisting, ///< the target already existed and was kept, as asked
    Failed,          ///< nothing was written; `reason` says why
};

/// The result of one copy.
struct CopyOutcome {
    CopyStatus status = CopyStatus::Failed;
    int error = 0;      ///< errno of the step that failed; 0 when one of our own checks refused
    std::string reason; ///< for a person to read; empty unless the copy failed
};

/// How a copy treats existing targets, and whether it writes at all.
struct CopyOptions {
    bool keepExisting = false; ///< leave a target that already exists as it is
    bool dryRun = false;       ///< make every check, write nothing
};

} // namespace tallowick
