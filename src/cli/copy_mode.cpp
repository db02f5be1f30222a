// SPDX-License-Identifier: MIT
#include "cli/copy_mode.h"

#include "cli/cli_app.h"
#include "cli/row_format.h"
#include "copy/copy_rows.h"
#include "copy/file_copy.h"

#include <atomic>
#include <iomanip>
#include <signal.h>

namespace tallowick::cli {

namespace {

constexpr int kExitInterrupted = 128 + SIGINT;

// Set by Ctrl-C (or SIGTERM) while files are copied. The loop then stops after the file in
// hand instead of dying in the middle of it, which would leave its temporary file behind.
std::atomic<bool> g_interrupted = false;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void NoteInterrupt(int) {
    g_interrupted = true;
}

// Catches SIGINT and SIGTERM for its lifetime. A second signal ends the program at once.
class InterruptCatcher {
public:
    InterruptCatcher() {
        g_interrupted = false;
        struct sigaction action {};
        action.sa_handler = NoteInterrupt;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previousInt);
        sigaction(SIGTERM, &action, &m_previousTerm);
    }
    ~InterruptCatcher() {
        sigaction(SIGINT, &m_previousInt, nullptr);
        sigaction(SIGTERM, &m_previousTerm, nullptr);
    }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    struct sigaction m_previousInt {};
    struct sigaction m_previousTerm {};
};

// A progress line on a terminal, redrawn in place and wiped before other text is written.
class ProgressLine {
public:
    ProgressLine(std::ostream& err, bool enabled, std::size_t total)
        : m_err(err), m_enabled(enabled), m_total(total) {}

    void Show(std::size_t done) {
        if (m_enabled) {
            m_err << "\rcopying: " << done << '/' << m_total << std::flush;
            m_shown = true;
        }
    }

    void Clear() {
        if (m_shown) {
            m_err << "\r\x1b[K" << std::flush;
            m_shown = false;
        }
    }

private:
    std::ostream& m_err;
    bool m_enabled;
    std::size_t m_total;
    bool m_shown = false;
};

std::string Quoted(std::string_view path) {
    return "'" + EscapeTsv(path) + "'";
}

void ReportFailure(std::ostream& err, const RowCopyReport& report, bool dryRun) {
    err << kProgram << ": " << (dryRun ? "would not copy " : "cannot copy ")
        << Quoted(report.sourcePath) << " to " << Quoted(report.targetPath) << ": " << report.reason
        << '\n';
}

void ReportReplaced(std::ostream& err, const CopySummary& summary, std::span<const ResultRow> rows,
                    bool dryRun) {
    for (const ReplacedCopy& replaced : summary.replaced) {
        err << kProgram << ": warning: " << Quoted(replaced.targetPath) << " is the new name of "
            << Quoted(rows[replaced.earlierRow].romName) << " and of "
            << Quoted(rows[replaced.laterRow].romName) << "; the copy of "
            << Quoted(rows[replaced.laterRow].closestMatch)
            << (dryRun ? " would replace" : " replaced") << " the copy of "
            << Quoted(rows[replaced.earlierRow].closestMatch) << '\n';
    }
}

void WriteSummary(std::ostream& out, const CopySummary& summary, const CliOptions& options) {
    const auto line = [&](std::string_view label, std::size_t count) {
        out << std::left << std::setw(20) << label << std::right << std::setw(8) << count << '\n';
    };
    line(options.dryRun ? "would copy:" : "copied:", summary.copied);
    line("skipped (no match):", summary.skippedNoMatch);
    if (options.skipExisting) {
        line("skipped (existing):", summary.skippedExisting);
    }
    line(options.dryRun ? "would fail:" : "failed:", summary.failures.size());
}

} // namespace

int RunCopyMode(const CliOptions& options, std::span<const ResultRow> rows, std::ostream& out,
                std::ostream& err, bool showProgress) {
    const std::string& destFolder = *options.copyFolder;
    if (const auto error = DestinationFolderError(destFolder)) {
        err << kProgram << ": cannot copy into the destination folder '" << destFolder
            << "': " << *error << '\n';
        return kExitUsage;
    }
    ProgressLine progress(err, showProgress && !options.dryRun, rows.size());
    CopyControl control;
    control.onProgress = [&](const RowCopyReport& report) {
        if (report.status == CopyStatus::Failed) {
            progress.Clear();
            ReportFailure(err, report, options.dryRun);
        } else if (report.status == CopyStatus::Copied && options.dryRun) {
            out << EscapeTsv(report.sourcePath) << " → " << EscapeTsv(report.targetPath) << '\n';
        }
        progress.Show(report.rowsDone);
    };
    control.cancelRequested = &g_interrupted;
    const CopyOptions copyOptions{.keepExisting = options.skipExisting, .dryRun = options.dryRun};
    const InterruptCatcher interrupts;
    const CopySummary summary =
        CopyRows(rows, options.sourceFolder, destFolder, copyOptions, control);
    progress.Clear();
    ReportReplaced(err, summary, rows, options.dryRun);
    if (summary.cancelled) {
        err << kProgram << ": interrupted after " << summary.rowsDone << " of " << rows.size()
            << " ROM files\n";
    }
    WriteSummary(out, summary, options);
    out.flush();
    if (summary.cancelled) {
        return kExitInterrupted;
    }
    return summary.failures.empty() ? kExitSuccess : kExitFailure;
}

} // namespace tallowick::cli
