// SPDX-License-Identifier: MIT
// How the result list copes with a very large ROM folder: appending 100,000 rows one by one,
// as the lookup pass does, and sorting them by a column, as a header click does.
#include "ui/sort_list_ctrl.h"

#include <fstream>
#include <string>
#include <vector>

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100'000;

/// Real ROM and image names, repeated until there are enough; made-up ones without the data.
std::vector<std::string> LoadNames() {
    std::vector<std::string> corpus;
    for (const char* file : {"/combined/roms.txt", "/combined/images.txt"}) {
        std::ifstream in(std::string(TALLOWICK_DATA_DIR) + file);
        for (std::string line; std::getline(in, line);) {
            corpus.push_back(line);
        }
    }
    if (corpus.empty()) {
        for (int i = 0; i < 1000; ++i) {
            corpus.push_back("Game " + std::to_string(i * 7919 % 1000) + " (USA).zip");
        }
    }
    std::vector<std::string> names;
    names.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        names.push_back(corpus[(static_cast<std::size_t>(i) * 7919) % corpus.size()]);
    }
    return names;
}

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = LoadNames();
    return names;
}

void Fill(CSortListCtrl& list) {
    const std::vector<std::string>& names = Names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& other = names[names.size() - 1 - i];
        list.AppendRow({names[i], other, other});
    }
}

std::unique_ptr<CSortListCtrl> ShownResultList() {
    auto list = std::make_unique<CSortListCtrl>(1003);
    list->DefineColumns("ROM Name,240; Closest Match,240;  New Name,240;");
    list->resize(720, 400);
    list->show();
    QApplication::processEvents();
    return list;
}

void BM_AppendRows(benchmark::State& state) {
    Names();
    for (auto _ : state) {
        state.PauseTiming();
        auto list = ShownResultList();
        state.ResumeTiming();
        Fill(*list);
        QApplication::processEvents(); // the view catches up with the new rows
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AppendRows)->Unit(benchmark::kMillisecond);

void BM_SortByColumn(benchmark::State& state) {
    auto list = ShownResultList();
    Fill(*list);
    QApplication::processEvents();
    bool ascending = true;
    for (auto _ : state) {
        list->SortByColumn(static_cast<int>(state.range(0)), ascending);
        QApplication::processEvents();
        ascending = !ascending;
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortByColumn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
