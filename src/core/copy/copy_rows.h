// SPDX-License-Identifier: MIT
#pragma once

#include "copy/copy_outcome.h"
#include "matching/lookup_pass.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallowick {

/// What the copy loop did with one row; the texts live only during the call that gets them.
struct RowCopyReport {
    std::size_t row = 0;      ///< index into the rows
    std::size_t rowsDone = 0; ///< rows handled so far, this one included
    CopyStatus status = CopyStatus::SkippedNoMatch;
    std::string_view sourcePath; ///< empty for a row without a match
    std::string_view targetPath; ///< empty for a row without a match
    std::string_view reason;     ///< why the copy failed; empty otherwise
};

/// Lets a caller follow and stop the copy loop, from any thread.
struct CopyControl {
    /// Called after every row, skipped ones included.
    std::function<void(const RowCopyReport&)> onProgress;
    /// When set to true, the loop stops between two rows.
    const std::atomic<bool>* cancelRequested = nullptr;
};

/// A copy that failed.
struct CopyFailure {
    std::size_t row = 0;
    std::string sourcePath;
    std::string targetPath;
    std::string reason;
};

/// A target written by two rows: the later row's copy replaced the earlier row's.
struct ReplacedCopy {
    std::string targetPath;
    std::size_t earlierRow = 0;
    std::size_t laterRow = 0;
};

/// What the copy loop did, counted over the rows it handled.
struct CopySummary {
    std::size_t rowsDone = 0;        ///< all rows unless cancelled
    std::size_t copied = 0;          ///< in a dry run: the copies it would make
    std::size_t skippedNoMatch = 0;  ///< rows with an empty Closest Match
    std::size_t skippedExisting = 0; ///< targets kept because they existed (keepExisting)
    std::vector<CopyFailure> failures;
    std::vector<ReplacedCopy> replaced;
    bool cancelled = false;
};

/// Copies, row by row in the given order, source folder + Closest Match into the destination
/// folder under New Name (see CopyFileInto). Rows with an empty Closest Match are skipped; a
/// failed copy is recorded and the loop goes on. Either folder may end in '/' or not; an empty
/// folder fails every row that has a match. After the last copy the destination folder's
/// entries are flushed to disk once. Runs on any thread; `control` is called on that thread.
CopySummary CopyRows(std::span<const ResultRow> rows, std::string_view sourceFolder,
                     std::string_view destFolder, const CopyOptions& options = {},
                     const CopyControl& control = {});

/// The folder, exactly one '/', then the name. The root folder "/" gives "/name".
std::string JoinPath(std::string_view folder, std::string_view name);

} // namespace tallowick
