// SPDX-License-Identifier: MIT
#include "ui/column_spec.h"

#include <climits>
#include <cstdlib>

namespace {

int ReadWidth(std::string_view text) {
    const std::string terminated(text); // strtol needs the terminating zero
    const long value = std::strtol(terminated.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

} // namespace

std::vector<ColumnDef> ParseColumnSpec(std::string_view spec) {
    std::vector<ColumnDef> columns;
    std::size_t position = 0;
    while (position < spec.size()) {
        const std::size_t comma = spec.find(',', position);
        if (comma == std::string_view::npos) {
            break;
        }
        const std::size_t widthStart = comma + 1;
        std::size_t widthEnd = spec.find(';', widthStart);
        if (widthEnd == std::string_view::npos) {
            widthEnd = spec.size();
        }
        columns.push_back({std::string(spec.substr(position, comma - position)),
                           ReadWidth(spec.substr(widthStart, widthEnd - widthStart))});
        position = widthEnd + 1;
    }
    return columns;
}
