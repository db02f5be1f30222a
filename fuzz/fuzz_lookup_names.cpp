// SPDX-License-Identifier: MIT
// The lookup pass over arbitrary byte names. The input is the ROM names and the source names,
// one per line, with a NUL byte between the two lists; its first byte sets the bracket option.
// Every ROM name must give exactly one row, built from its own name and one of the sources.
#include "fuzz_check.h"
#include "matching/lookup_pass.h"
#include "matching/name_parts.h"

#include <set>
#include <string>
#include <vector>

using tallowick::fuzz::AsText;
using tallowick::fuzz::Require;

namespace {

std::vector<std::string> Paths(std::string_view folder, std::string_view lines) {
    std::vector<std::string> paths;
    while (!lines.empty()) {
        const std::size_t end = std::min(lines.find('\n'), lines.size());
        paths.push_back(std::string(folder).append(lines.substr(0, end)));
        lines.remove_prefix(std::min(end + 1, lines.size()));
    }
    return paths;
}

void CheckRow(const tallowick::ResultRow& row, const std::string& romPath,
              const std::set<std::string_view>& sourceNames) {
    Require(row.romName == tallowick::FileNameOf(romPath), "the row holds the ROM's name");
    if (row.closestMatch.empty()) {
        Require(row.newName.empty() && row.score == 0.0F, "no match, no new name, no score");
        return;
    }
    Require(sourceNames.contains(row.closestMatch), "the match is one of the source names");
    const std::string newName = std::string(tallowick::BaseNameOf(row.romName))
                                    .append(tallowick::ExtensionOf(row.closestMatch));
    Require(row.newName == newName, "new name = ROM base name + the match's extension");
    Require(row.score >= 1.25F && row.score <= 2.0F, "an accepted score lies in [1.25, 2]");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool ignoreBrackets = (data[0] & 1U) != 0;
    const std::string_view text = AsText(data + 1, size - 1);
    const std::size_t split = std::min(text.find('\0'), text.size());
    const auto romPaths = Paths("/roms/", text.substr(0, split));
    const auto sourcePaths = Paths("/shots/", text.substr(std::min(split + 1, text.size())));
    std::set<std::string_view> sourceNames;
    for (const std::string& path : sourcePaths) {
        sourceNames.insert(tallowick::FileNameOf(path));
    }

    const auto rows = tallowick::LookUpNames(romPaths, sourcePaths, ignoreBrackets);

    Require(rows.size() == romPaths.size(), "one row per ROM file");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CheckRow(rows[i], romPaths[i], sourceNames);
    }
    return 0;
}
