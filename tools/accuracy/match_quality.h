// SPDX-License-Identifier: MIT
#pragma once

// Judges the rows of a lookup pass against how thumbnail folders name their images: after the
// ROM's base name, with each of &*/:`<>?\|" written as '_'.

#include "matching/lookup_pass.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tallowick::accuracy {

enum class Verdict {
    Right,             ///< the image named after the ROM
    SameTitle,         ///< another image of the same title, with other tags
    Wrong,             ///< an image of another title
    CorrectlyUnmatched, ///< no match, and no image is named after the ROM
    Missed,            ///< no match, although an image is named after the ROM
};

/// The base name an image of this ROM carries in a thumbnail folder.
std::string ImageBaseNameFor(std::string_view romName);

/// Tallies of the verdicts over one folder.
struct Tally {
    int right = 0;
    int sameTitle = 0;
    int wrong = 0;
    int correctlyUnmatched = 0;
    int missed = 0;
    int wrongWhereRightExists = 0; ///< wrong or same-title picks while the right image was there

    int Matched() const { return right + sameTitle + wrong; }
};

/// The verdicts over `rows`, given the base names of the images in the folder.
Tally Judge(const std::vector<ResultRow>& rows,
            const std::unordered_set<std::string>& imageBaseNames);

/// The verdict of one row.
Verdict JudgeRow(const ResultRow& row, const std::unordered_set<std::string>& imageBaseNames);

} // namespace tallowick::accuracy
