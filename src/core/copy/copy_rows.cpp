// SPDX-License-Identifier: MIT
#include "copy/copy_rows.h"

#include "copy/file_copy.h"
#include "copy/plain_name.h"

#include <unordered_map>

namespace tallowick {

namespace {

std::string_view WithoutTrailingSeparators(std::string_view folder) {
    while (!folder.empty() && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    return folder;
}

// Checks that apply to the whole run; a problem here fails every row that has a match.
std::optional<std::string> FolderProblem(std::string_view sourceFolder,
                                         std::string_view destFolder) {
    if (sourceFolder.empty()) {
        return "no source folder was given";
    }
    if (destFolder.empty()) {
        return "no destination folder was given";
    }
    return std::nullopt;
}

CopyOutcome CopyRow(const ResultRow& row, const std::string& sourcePath,
                    const std::string& destFolder, const CopyOptions& options) {
    // Closest Match comes from the source listing, but a row is only data: a name that leads
    // out of the source folder is not read.
    if (const auto problem = PlainFileNameError(row.closestMatch)) {
        return {CopyStatus::Failed, 0, "the closest match cannot be used: " + *problem};
    }
    return CopyFileInto(sourcePath, destFolder, row.newName, options);
}

} // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(WithoutTrailingSeparators(folder));
    path += '/';
    path += name;
    return path;
}

CopySummary CopyRows(std::span<const ResultRow> rows, std::string_view sourceFolder,
                     std::string_view destFolder, const CopyOptions& options,
                     const CopyControl& control) {
    CopySummary summary;
    const auto folderProblem = FolderProblem(sourceFolder, destFolder);
    const std::string destination = JoinPath(destFolder, {});
    // The row that last wrote each New Name in this run.
    std::unordered_map<std::string, std::size_t> writtenBy;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (control.cancelRequested != nullptr && control.cancelRequested->load()) {
            summary.cancelled = true;
            break;
        }
        const ResultRow& row = rows[i];
        RowCopyReport report{i, i + 1, CopyStatus::SkippedNoMatch, {}, {}, {}};
        std::string sourcePath;
        std::string targetPath;
        CopyOutcome outcome{CopyStatus::SkippedNoMatch, 0, {}};
        if (!row.closestMatch.empty()) {
            sourcePath = JoinPath(sourceFolder, row.closestMatch);
            targetPath = JoinPath(destFolder, row.newName);
            const auto earlier = writtenBy.find(row.newName);
            if (folderProblem) {
                outcome = {CopyStatus::Failed, 0, *folderProblem};
            } else if (options.keepExisting && earlier != writtenBy.end()) {
                // Written by an earlier row of this run: kept, as any existing target is. Said
                // here so that a dry run, which writes nothing, gives the same answer.
                outcome = {CopyStatus::SkippedExisting, 0, {}};
            } else {
                outcome = CopyRow(row, sourcePath, destination, options);
            }
            if (outcome.status == CopyStatus::Copied) {
                if (earlier != writtenBy.end()) {
                    summary.replaced.push_back({targetPath, earlier->second, i});
                }
                writtenBy[row.newName] = i;
            }
        }
        switch (outcome.status) {
        case CopyStatus::Copied:
            ++summary.copied;
            break;
        case CopyStatus::SkippedNoMatch:
            ++summary.skippedNoMatch;
            break;
        case CopyStatus::SkippedExisting:
            ++summary.skippedExisting;
            break;
        case CopyStatus::Failed:
            summary.failures.push_back({i, sourcePath, targetPath, outcome.reason});
            break;
        }
        summary.rowsDone = i + 1;
        if (control.onProgress) {
            report.status = outcome.status;
            report.sourcePath = sourcePath;
            report.targetPath = targetPath;
            report.reason = outcome.reason;
            control.onProgress(report);
        }
    }
    return summary;
}

} // namespace tallowick
