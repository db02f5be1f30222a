// SPDX-License-Identifier: MIT
#include "match_quality.h"

#include "matching/name_parts.h"

namespace tallowick::accuracy {

std::string ImageBaseNameFor(std::string_view romName) {
    std::string base(BaseNameOf(romName));
    for (char& c : base) {
        if (std::string_view("&*/:`<>?\\|\"").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return base;
}

Verdict JudgeRow(const ResultRow& row, const std::unordered_set<std::string>& imageBaseNames) {
    const std::string wanted = ImageBaseNameFor(row.romName);
    if (row.closestMatch.empty()) {
        return imageBaseNames.contains(wanted) ? Verdict::Missed : Verdict::CorrectlyUnmatched;
    }
    const std::string_view picked = BaseNameOf(row.closestMatch);
    if (picked == wanted) {
        return Verdict::Right;
    }
    return WithoutTags(picked) == WithoutTags(wanted) ? Verdict::SameTitle : Verdict::Wrong;
}

Tally Judge(const std::vector<ResultRow>& rows,
            const std::unordered_set<std::string>& imageBaseNames) {
    Tally tally;
    for (const ResultRow& row : rows) {
        const Verdict verdict = JudgeRow(row, imageBaseNames);
        switch (verdict) {
        case Verdict::Right: ++tally.right; break;
        case Verdict::SameTitle: ++tally.sameTitle; break;
        case Verdict::Wrong: ++tally.wrong; break;
        case Verdict::CorrectlyUnmatched: ++tally.correctlyUnmatched; break;
        case Verdict::Missed: ++tally.missed; break;
        }
        const bool pickedAnother = verdict == Verdict::SameTitle || verdict == Verdict::Wrong;
        if (pickedAnother && imageBaseNames.contains(ImageBaseNameFor(row.romName))) {
            ++tally.wrongWhereRightExists;
        }
    }
    return tally;
}

} // namespace tallowick::accuracy
