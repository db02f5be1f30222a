// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace tallowick {

/// The similarity score of two names. Keeps no state: the score depends on its arguments only.
class CSimilar {
public:
    /// How much of `first` is found again, in order, in `second`: the length of their longest
    /// common subsequence (bytes compared for plain equality) divided by the byte length of
    /// `first`. Between 0 and 1; 0 when either text is empty. Not symmetric.
    double LcsSimilarity(std::string_view first, std::string_view second) const;
};

} // namespace tallowick
