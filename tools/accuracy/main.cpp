// SPDX-License-Identifier: MIT
// Prints how well the lookup pass pairs real ROM names with real thumbnail folders, with and
// without the bracket option. Usage: tallowick-accuracy DATA_DIR

#include "listing/file_listing.h"
#include "match_quality.h"
#include "matching/lookup_pass.h"
#include "matching/name_parts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace tallowick;
namespace fs = std::filesystem;

constexpr std::array kImageFolders{"snaps", "boxarts", "titles"};

std::vector<std::string> ReadNames(const fs::path& file) {
    std::vector<std::string> names;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            names.push_back(std::move(line));
        }
    }
    return names;
}

// The names as paths of one folder, in the order a listing of that folder gives them.
std::vector<std::string> AsListedPaths(const std::vector<std::string>& names,
                                       std::string_view folder) {
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const auto& name : names) {
        paths.push_back(std::string(folder) + '/' + name);
    }
    std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        return ComparePathsFolded(a, b) < 0;
    });
    return paths;
}

std::string Percent(int part, int whole) {
    if (whole == 0) {
        return "-";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.0f %%", 100.0 * part / whole);
    return text;
}

void PrintRow(const std::string& system, const char* folder, std::size_t romCount,
              std::size_t imageCount, bool ignoreBrackets, const accuracy::Tally& t) {
    std::cout << "| " << system << " | " << folder << " | " << romCount << " | " << imageCount
              << " | " << (ignoreBrackets ? "on" : "off") << " | " << t.right << " | "
              << t.sameTitle << " | " << t.wrong << " | " << t.correctlyUnmatched << " | "
              << t.missed << " | " << t.wrongWhereRightExists << " | "
              << Percent(t.right + t.sameTitle, t.Matched()) << " |\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: tallowick-accuracy DATA_DIR\n";
        return 2;
    }
    const fs::path dataDir = argv[1];
    if (!fs::is_directory(dataDir)) {
        std::cout << "No name lists at " << dataDir << ": nothing to measure.\n";
        return 0;
    }
    std::vector<fs::path> systems;
    for (const auto& entry : fs::directory_iterator(dataDir)) {
        if (entry.is_directory() && fs::exists(entry.path() / "roms.txt")) {
            systems.push_back(entry.path());
        }
    }
    std::sort(systems.begin(), systems.end());

    std::cout << "| system | folder | ROMs | images | option | right | same title, other tags "
                 "| wrong | correctly unmatched | missed | other pick where right exists "
                 "| title right of matched |\n"
              << "|---|---|---:|---:|---|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const auto& system : systems) {
        const auto romPaths = AsListedPaths(ReadNames(system / "roms.txt"), "/roms");
        for (const char* folder : kImageFolders) {
            const fs::path list = system / (std::string(folder) + ".txt");
            if (!fs::exists(list)) {
                continue;
            }
            const auto images = ReadNames(list);
            std::unordered_set<std::string> imageBaseNames;
            for (const auto& image : images) {
                imageBaseNames.emplace(BaseNameOf(image));
            }
            const auto imagePaths = AsListedPaths(images, "/images");
            for (const bool ignoreBrackets : {false, true}) {
                const auto rows = LookUpNames(romPaths, imagePaths, ignoreBrackets);
                PrintRow(system.filename().string(), folder, romPaths.size(), images.size(),
                         ignoreBrackets, accuracy::Judge(rows, imageBaseNames));
            }
        }
    }
    return 0;
}
