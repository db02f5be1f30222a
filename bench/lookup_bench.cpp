// SPDX-License-Identifier: MIT
// The lookup pass over real name lists: the literal reference search against the production
// engine, on every kernel this processor runs. Usage: lookup_bench [benchmark flags]. The
// lists are read from $TALLOWICK_DATA_DIR, by default the data folder known at build time.

#include "listing/file_listing.h"
#include "matching/closest_match.h"
#include "matching/closest_name_finder.h"
#include "matching/lookup_pass.h"
#include "matching/name_parts.h"
#include "reference_search.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/resource.h>
#include <thread>
#include <time.h>
#include <utility>

#include <benchmark/benchmark.h>

namespace {

using namespace tallowick;
namespace fs = std::filesystem;

struct Corpus {
    std::string name;
    std::vector<std::string> romPaths;
    std::vector<std::string> sourcePaths;
    std::size_t fileBytes = 0; ///< size of the two lists on disk
    int literalStride = 1;     ///< the literal search runs on every literalStride-th ROM file
};

// What the summary needs of the runs: wall seconds of whole passes, literal ones extrapolated.
struct Timings {
    double literalSearch = 0.0;    ///< FindClosestName per ROM file: the plain algorithm
    double literalReference = 0.0; ///< the tests' reference: full LCS tables, slower still
    bool literalExtrapolated = false;
    double engine = 0.0;
};
std::map<std::string, Timings> g_timings;

fs::path DataDir() {
    const char* fromEnvironment = std::getenv("TALLOWICK_DATA_DIR");
    return fromEnvironment != nullptr ? fs::path(fromEnvironment) : fs::path(TALLOWICK_DATA_DIR);
}

// The names of a list as paths of one folder, in the order a listing of that folder has them.
std::vector<std::string> ListedPaths(const fs::path& list, std::string_view folder) {
    std::vector<std::string> paths;
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            paths.push_back(std::string(folder) + '/' + line);
        }
    }
    std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        return ComparePathsFolded(a, b) < 0;
    });
    return paths;
}

Corpus LoadCorpus(const std::string& name, const std::string& roms, const std::string& sources,
                  int literalStride) {
    const fs::path dir = DataDir();
    return Corpus{name, ListedPaths(dir / roms, "/roms"), ListedPaths(dir / sources, "/images"),
                  fs::file_size(dir / roms) + fs::file_size(dir / sources), literalStride};
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Processor time of all threads of the process: on a machine shared with other work it shows
// the cost that wall time hides behind waiting.
double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Per scored pair: ns_per_pair from the best wall time, cpu_ns_per_pair from the least
// processor time of all threads (the two differ on several threads and on a busy machine).
void SetPairCounters(benchmark::State& state, double wallSeconds, double cpuSeconds,
                     std::uint64_t pairs) {
    const auto perPair = 1e9 / static_cast<double>(std::max<std::uint64_t>(1, pairs));
    state.counters["ns_per_pair"] = wallSeconds * perPair;
    state.counters["cpu_ns_per_pair"] = cpuSeconds * perPair;
    state.counters["pairs_scored"] = static_cast<double>(pairs);
}

// The pairs the literal walk scores: sources that pass the first-byte filter, up to an exact
// base name, which ends the walk.
std::uint64_t LiteralPairs(std::span<const std::string> romPaths,
                           std::span<const std::string> sourcePaths) {
    std::uint64_t pairs = 0;
    for (const std::string& romPath : romPaths) {
        const std::string_view rom = Trim(BaseNameOf(FileNameOf(romPath)));
        for (const std::string& sourcePath : sourcePaths) {
            const std::string_view base = BaseNameOf(FileNameOf(sourcePath));
            if (base.substr(0, 1) != rom.substr(0, 1)) {
                continue;
            }
            if (base == rom) {
                break;
            }
            ++pairs;
        }
    }
    return pairs;
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The pass as plainly as it can be written: FindClosestName, the walk of the closest-match
// search with two two-row LCS tables per candidate, once for every ROM file.
std::vector<ResultRow> LiteralSearchPass(std::span<const std::string> romPaths,
                                         std::span<const std::string> sourcePaths) {
    const CSimilar similar;
    std::vector<ResultRow> rows;
    for (const std::string& romPath : romPaths) {
        const std::string_view romName = FileNameOf(romPath);
        const auto match = FindClosestName(sourcePaths, romName, false, similar);
        rows.push_back(match ? MakeResultRow(romName, match->fileName, match->score)
                             : MakeResultRow(romName, {}, 0.0F));
    }
    return rows;
}

enum class Literal { Search, Reference };

void LiteralPass(benchmark::State& state, const Corpus& corpus, Literal literal) {
    std::vector<std::string> sample;
    for (std::size_t i = 0; i < corpus.romPaths.size(); i += corpus.literalStride) {
        sample.push_back(corpus.romPaths[i]);
    }
    const std::uint64_t samplePairs = LiteralPairs(sample, corpus.sourcePaths);
    double seconds = 0.0;
    double cpuSeconds = 0.0;
    std::vector<ResultRow> rows;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        rows = literal == Literal::Search ? LiteralSearchPass(sample, corpus.sourcePaths)
                                          : reference::LookUp(sample, corpus.sourcePaths, false);
        seconds = Seconds(std::chrono::steady_clock::now() - start);
        cpuSeconds = ProcessCpuSeconds() - cpuStart;
        state.SetIterationTime(seconds);
    }
    // The engine must give these very rows; a benchmark of wrong answers would be worthless.
    const auto engineRows = LookUpNames(sample, corpus.sourcePaths, false);
    const bool same = std::equal(rows.begin(), rows.end(), engineRows.begin(), engineRows.end(),
                                 [](const ResultRow& a, const ResultRow& b) {
                                     return a.closestMatch == b.closestMatch &&
                                            a.newName == b.newName && a.score == b.score;
                                 });
    if (!same) {
        state.SkipWithError("the engine's rows differ from the literal search's");
    }
    const std::uint64_t allPairs =
        corpus.literalStride == 1 ? samplePairs : LiteralPairs(corpus.romPaths, corpus.sourcePaths);
    Timings& timings = g_timings[corpus.name];
    const double wholePass =
        seconds * static_cast<double>(allPairs) / static_cast<double>(samplePairs);
    (literal == Literal::Search ? timings.literalSearch : timings.literalReference) = wholePass;
    timings.literalExtrapolated = corpus.literalStride != 1;
    state.counters["roms"] = static_cast<double>(sample.size());
    SetPairCounters(state, seconds, cpuSeconds, samplePairs);
    state.counters["whole_pass_s"] = wholePass;
}

// Runs `pass` once an iteration, reports each wall time to the benchmark, and gives the fastest
// wall and processor times in seconds.
template <typename Pass> std::pair<double, double> TimeBest(benchmark::State& state, Pass pass) {
    double best = 1e30;
    double bestCpu = 1e30;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        pass();
        const double seconds = Seconds(std::chrono::steady_clock::now() - start);
        state.SetIterationTime(seconds);
        best = std::min(best, seconds);
        bestCpu = std::min(bestCpu, ProcessCpuSeconds() - cpuStart);
    }
    return {best, bestCpu};
}

void Engine(benchmark::State& state, const Corpus& corpus, LcsKernel kernel, unsigned threads) {
    LookupStats stats;
    const auto [best, bestCpu] = TimeBest(state, [&] {
        stats = LookupStats{};
        benchmark::DoNotOptimize(LookUpNames(corpus.romPaths, corpus.sourcePaths, false, {},
                                             LookupOptions{kernel, threads}, &stats));
    });
    if (kernel == LcsKernel::Auto && threads == 0) {
        g_timings[corpus.name].engine = best;
    }
    // The whole pass counts: index, hashing and rows included.
    SetPairCounters(state, best, bestCpu, stats.pairsScored);
    state.counters["skipped_index"] = static_cast<double>(stats.pairsSkippedByIndex);
    state.counters["skipped_pruning"] = static_cast<double>(stats.pairsSkippedByPruning);
    state.counters["best_pass_ms"] = best * 1e3;
}

// The searches alone, one thread, over an index built beforehand: what scoring costs per pair
// without the index, the rows and the threads around it.
void Searches(benchmark::State& state, const Corpus& corpus, LcsKernel kernel) {
    const detail::SourceIndex index(corpus.sourcePaths, false);
    detail::ClosestNameFinder finder(index, kernel);
    std::vector<std::string_view> romNames;
    for (const std::string& path : corpus.romPaths) {
        romNames.push_back(FileNameOf(path));
    }
    LookupStats stats;
    const auto [best, bestCpu] = TimeBest(state, [&] {
        stats = LookupStats{};
        for (const std::string_view romName : romNames) {
            benchmark::DoNotOptimize(finder.Find(romName, stats));
        }
    });
    SetPairCounters(state, best, bestCpu, stats.pairsScored);
}

void RegisterCorpus(const Corpus& corpus) {
    benchmark::RegisterBenchmark(("literal_search/" + corpus.name).c_str(), LiteralPass,
                                 std::cref(corpus), Literal::Search)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("literal_reference/" + corpus.name).c_str(), LiteralPass,
                                 std::cref(corpus), Literal::Reference)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("engine/" + corpus.name + "/auto/all_cores").c_str(), Engine,
                                 std::cref(corpus), LcsKernel::Auto, 0U)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const LcsKernel kernel : {LcsKernel::Portable, LcsKernel::Avx2, LcsKernel::Avx512}) {
        if (IsKernelSupported(kernel)) {
            benchmark::RegisterBenchmark(
                ("engine/" + corpus.name + "/" + std::string(KernelName(kernel)) + "/1_thread")
                    .c_str(),
                Engine, std::cref(corpus), kernel, 1U)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (const LcsKernel kernel : {LcsKernel::Portable, LcsKernel::Avx2, LcsKernel::Avx512}) {
        if (IsKernelSupported(kernel)) {
            benchmark::RegisterBenchmark(
                ("search/" + corpus.name + "/" + std::string(KernelName(kernel)) + "/1_thread")
                    .c_str(),
                Searches, std::cref(corpus), kernel)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}

// Peak memory of one whole pass over `corpus`, measured before anything else has run, so that
// the high-water mark before the pass is that of the loaded lists.
void ReportPassMemory(const Corpus& corpus, long kilobytesBefore) {
    const long listed = PeakKilobytes();
    const auto rows = LookUpNames(corpus.romPaths, corpus.sourcePaths, false);
    const long after = PeakKilobytes();
    std::printf("Peak memory, %s: lists on disk %.1f MB; process peak %.1f MB before loading, "
                "%.1f MB with the lists loaded (all corpora), %.1f MB after the pass: the pass "
                "added %.1f MB (%zu rows)\n",
                corpus.name.c_str(), static_cast<double>(corpus.fileBytes) / 1e6,
                static_cast<double>(kilobytesBefore) / 1e3, static_cast<double>(listed) / 1e3,
                static_cast<double>(after) / 1e3, static_cast<double>(after - listed) / 1e3,
                rows.size());
}

void PrintSummary() {
    std::printf("\nWhole lookup pass against the engine (%s kernel, %u threads), wall time:\n",
                std::string(KernelName(ResolveKernel(LcsKernel::Auto))).c_str(),
                std::max(1U, std::thread::hardware_concurrency()));
    for (const auto& [name, t] : g_timings) {
        if (t.engine <= 0.0) {
            continue;
        }
        std::printf("  %-9s engine %7.4f s | literal search %8.2f s: %5.0fx | literal reference "
                    "%8.2f s: %5.0fx%s\n",
                    name.c_str(), t.engine, t.literalSearch, t.literalSearch / t.engine,
                    t.literalReference, t.literalReference / t.engine,
                    t.literalExtrapolated ? "  (literal times extrapolated from a sample)" : "");
    }
}

} // namespace

int main(int argc, char** argv) {
    const long kilobytesAtStart = PeakKilobytes();
    benchmark::Initialize(&argc, argv);
    if (!fs::is_directory(DataDir())) {
        std::printf("No name lists at %s: nothing to measure.\n", DataDir().c_str());
        return 0;
    }
    // The literal searches take minutes over the whole combined pair, so they run on every
    // 20th ROM file there and their time is scaled by the pairs the whole pass would score.
    const std::vector<Corpus> corpora{
        LoadCorpus("snes", "snes/roms.txt", "snes/nointro-2016.txt", 1),
        LoadCorpus("nes", "nes/roms.txt", "nes/tosec.txt", 1),
        LoadCorpus("combined", "combined/roms.txt", "combined/images.txt", 20),
    };
    ReportPassMemory(corpora.back(), kilobytesAtStart);
    for (const Corpus& corpus : corpora) {
        RegisterCorpus(corpus);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
