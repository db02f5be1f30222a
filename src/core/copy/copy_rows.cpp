// SPDX-License-Identifier: MIT
#include "copy/copy_rows.h"

#include "copy/file_copy.h"
#include "copy/plain_name.h"

#include <optional>
#include <unordered_map>

namespace tallowick {

namespace {

std::string_view WithoutTrailingSeparators(std::string_view folder) {
    while (!folder.empty() && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    return folder;
}

// One run of the loop: the folders, the options and what has been done so far.
class CopyRun {
public:
    CopyRun(std::string_view sourceFolder, std::string_view destFolder, const CopyOptions& options)
        : m_sourceFolder(sourceFolder), m_destFolder(destFolder), m_options(options) {
        if (sourceFolder.empty()) {
            m_folderProblem = "no source folder was given";
        } else if (destFolder.empty()) {
            m_folderProblem = "no destination folder was given";
        }
    }

    /// Copies the row's file, records what happened and tells `onProgress`.
    void Handle(std::size_t index, const ResultRow& row, const CopyControl& control) {
        std::string sourcePath;
        std::string targetPath;
        CopyOutcome outcome{CopyStatus::SkippedNoMatch, 0, {}};
        if (!row.closestMatch.empty()) {
            sourcePath = JoinPath(m_sourceFolder, row.closestMatch);
            targetPath = JoinPath(m_destFolder, row.newName);
            outcome = Copy(row, sourcePath);
            if (outcome.status == CopyStatus::Copied) {
                NoteWritten(index, row.newName, targetPath);
            }
        }
        Count(index, outcome, sourcePath, targetPath);
        if (control.onProgress) {
            control.onProgress({index, m_summary.rowsDone, outcome.status, sourcePath, targetPath,
                                outcome.reason});
        }
    }

    CopySummary& Summary() { return m_summary; }

private:
    CopyOutcome Copy(const ResultRow& row, const std::string& sourcePath) const {
        if (m_folderProblem) {
            return {CopyStatus::Failed, 0, *m_folderProblem};
        }
        // Closest Match comes from the source listing, but a row is only data: a name that
        // leads out of the source folder is not read.
        if (const auto problem = PlainFileNameError(row.closestMatch)) {
            return {CopyStatus::Failed, 0, "the closest match cannot be used: " + *problem};
        }
        // A target written earlier in this run is kept like any existing one. Decided here, so
        // that a dry run, which writes nothing, gives the same answer as the real run.
        if (m_options.keepExisting && m_writtenBy.contains(row.newName)) {
            return {CopyStatus::SkippedExisting, 0, {}};
        }
        return CopyFileInto(sourcePath, m_destFolder, row.newName, m_options);
    }

    void NoteWritten(std::size_t index, const std::string& newName, const std::string& targetPath) {
        const auto [earlier, isFirst] = m_writtenBy.try_emplace(newName, index);
        if (!isFirst) {
            m_summary.replaced.push_back({targetPath, earlier->second, index});
            earlier->second = index;
        }
    }

    void Count(std::size_t index, const CopyOutcome& outcome, const std::string& sourcePath,
               const std::string& targetPath) {
        switch (outcome.status) {
        case CopyStatus::Copied:
            ++m_summary.copied;
            break;
        case CopyStatus::SkippedNoMatch:
            ++m_summary.skippedNoMatch;
            break;
        case CopyStatus::SkippedExisting:
            ++m_summary.skippedExisting;
            break;
        case CopyStatus::Failed:
            m_summary.failures.push_back({index, sourcePath, targetPath, outcome.reason});
            break;
        }
        ++m_summary.rowsDone;
    }

    std::string m_sourceFolder;
    std::string m_destFolder;
    CopyOptions m_options;
    std::optional<std::string> m_folderProblem;               ///< fails every row that has a match
    std::unordered_map<std::string, std::size_t> m_writtenBy; ///< New Name → last row to write it
    CopySummary m_summary;
};

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
    CopyRun run(sourceFolder, destFolder, options);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (control.cancelRequested != nullptr && control.cancelRequested->load()) {
            run.Summary().cancelled = true;
            break;
        }
        run.Handle(i, rows[i], control);
    }
    if (run.Summary().copied > 0 && !options.dryRun) {
        // Each copy's content is on disk already; this makes their names last as well. The
        // copies are in place whatever it gives.
        SyncFolder(std::string(destFolder));
    }
    return std::move(run.Summary());
}

} // namespace tallowick
