// SPDX-License-Identifier: MIT
#include "matching/similar.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tallowick {

double CSimilar::LcsSimilarity(std::string_view first, std::string_view second) const {
    const std::size_t m = first.size();
    if (m == 0 || second.empty()) {
        return 0.0;
    }
    // Two rows of the dynamic-programming table are enough: memory grows with `first` only.
    std::vector<std::uint32_t> previous(m + 1, 0);
    std::vector<std::uint32_t> current(m + 1, 0);
    for (const char byte : second) {
        for (std::size_t j = 1; j <= m; ++j) {
            current[j] =
                first[j - 1] == byte ? previous[j - 1] + 1 : std::max(current[j - 1], previous[j]);
        }
        std::swap(previous, current);
    }
    // The length goes through single precision on its way to the quotient, as the stored
    // scores always have; it is exact for any length below 2^24.
    const auto length = static_cast<float>(previous[m]);
    return static_cast<double>(length) / static_cast<double>(m);
}

} // namespace tallowick
