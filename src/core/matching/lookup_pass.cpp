// SPDX-License-Identifier: MIT
#include "matching/lookup_pass.h"

#include "matching/closest_name_finder.h"
#include "matching/name_parts.h"
#include "matching/source_index.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace tallowick {

namespace {

// Hands the ROM files out to the workers one at a time, in listing order, and follows which
// leading ROM files are done, for the progress reports and for the rows a cancelled pass keeps.
class PassProgress {
public:
    PassProgress(std::size_t romCount, const LookupControl& control)
        : m_control(control), m_done(romCount, false) {}

    /// The next ROM file to do, or none when all are handed out or the pass is to stop.
    std::optional<std::size_t> NextRom() {
        if (m_stop.load() ||
            (m_control.cancelRequested != nullptr && m_control.cancelRequested->load())) {
            return std::nullopt;
        }
        const std::size_t rom = m_next.fetch_add(1);
        return rom < m_done.size() ? std::optional(rom) : std::nullopt;
    }

    /// Records that the row of `rom` is written, and reports when the leading run grew. The
    /// report is made under the lock, so that reports never overlap and never go backwards.
    void Done(std::size_t rom) {
        const std::scoped_lock lock(m_mutex);
        m_done[rom] = true;
        const std::size_t before = m_leading;
        while (m_leading < m_done.size() && m_done[m_leading]) {
            ++m_leading;
        }
        if (m_leading != before && m_control.onProgress) {
            m_control.onProgress(m_leading);
        }
    }

    /// Makes every worker stop after its current ROM file, keeping the first error to rethrow.
    void Fail(std::exception_ptr error) {
        const std::scoped_lock lock(m_mutex);
        if (!m_error) {
            m_error = std::move(error);
        }
        m_stop = true;
    }

    /// Once the workers have finished: rethrows a worker's error, else gives the number of
    /// leading ROM files done.
    std::size_t LeadingDone() {
        if (m_error) {
            std::rethrow_exception(m_error);
        }
        return m_leading;
    }

private:
    const LookupControl& m_control;
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<bool> m_done;   ///< guarded by m_mutex
    std::size_t m_leading = 0;  ///< ROM files done without a gap from the first; m_mutex
    std::exception_ptr m_error; ///< m_mutex
};

unsigned ThreadCount(unsigned requested, std::size_t romCount) {
    const unsigned wanted =
        requested != 0 ? requested : std::max(1U, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::clamp<std::size_t>(romCount, 1, wanted));
}

void Add(LookupStats& total, const LookupStats& part) {
    total.pairsScored += part.pairsScored;
    total.pairsSkippedByIndex += part.pairsSkippedByIndex;
    total.pairsSkippedByPruning += part.pairsSkippedByPruning;
}

} // namespace

ResultRow MakeResultRow(std::string_view romName, std::string_view closestMatch, float score) {
    ResultRow row{std::string(romName), std::string(closestMatch), {}, 0.0F};
    if (!closestMatch.empty()) {
        row.newName = std::string(BaseNameOf(romName)).append(ExtensionOf(closestMatch));
        row.score = score;
    }
    return row;
}

std::vector<ResultRow> LookUpNames(std::span<const std::string> romPaths,
                                   std::span<const std::string> sourcePaths, bool ignoreBrackets,
                                   const LookupControl& control) {
    return LookUpNames(romPaths, sourcePaths, ignoreBrackets, control, LookupOptions{});
}

std::vector<ResultRow> LookUpNames(std::span<const std::string> romPaths,
                                   std::span<const std::string> sourcePaths, bool ignoreBrackets,
                                   const LookupControl& control, const LookupOptions& options,
                                   LookupStats* stats) {
    const detail::SourceIndex index(sourcePaths, ignoreBrackets);
    std::vector<ResultRow> rows(romPaths.size());
    PassProgress progress(romPaths.size(), control);
    std::mutex statsMutex;
    LookupStats total;

    // Each worker writes only the rows of the ROM files it was handed.
    const auto work = [&] {
        LookupStats local;
        try {
            detail::ClosestNameFinder finder(index, options.kernel);
            while (const auto rom = progress.NextRom()) {
                const std::string_view romName = FileNameOf(romPaths[*rom]);
                const auto pick = finder.Find(romName, local);
                rows[*rom] = pick
                                 ? MakeResultRow(romName, index.FileName(pick->source), pick->score)
                                 : MakeResultRow(romName, {}, 0.0F);
                progress.Done(*rom);
            }
        } catch (...) {
            progress.Fail(std::current_exception());
        }
        const std::scoped_lock lock(statsMutex);
        Add(total, local);
    };
    {
        // The calling thread is one of the workers; the others join at the end of this block.
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < ThreadCount(options.threads, romPaths.size()); ++i) {
            helpers.emplace_back(work);
        }
        work();
    }
    rows.resize(progress.LeadingDone());
    if (stats != nullptr) {
        Add(*stats, total);
    }
    return rows;
}

} // namespace tallowick
