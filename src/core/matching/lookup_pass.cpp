// SPDX-License-Identifier: MIT
#include "matching/lookup_pass.h"

#include "matching/closest_match.h"
#include "matching/name_parts.h"
#include "matching/similar.h"

namespace tallowick {

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
    const CSimilar similar;
    std::vector<ResultRow> rows;
    rows.reserve(romPaths.size());
    for (const std::string& romPath : romPaths) {
        if (control.cancelRequested != nullptr && control.cancelRequested->load()) {
            break;
        }
        const std::string_view romName = FileNameOf(romPath);
        const auto match = FindClosestName(sourcePaths, romName, ignoreBrackets, similar);
        rows.push_back(match ? MakeResultRow(romName, match->fileName, match->score)
                             : MakeResultRow(romName, {}, 0.0F));
        if (control.onProgress) {
            control.onProgress(rows.size());
        }
    }
    return rows;
}

} // namespace tallowick
