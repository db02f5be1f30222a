// SPDX-License-Identifier: MIT
#include "ui/column_text.h"

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

std::vector<ColumnDef> ParseColumnText(std::string_view text) {
    std::vector<ColumnDef> columns;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t comma = text.find(',', position);
        if (comma == std::string_view::npos) {
            break;
        }
        const std::size_t widthStart = comma + 1;
        std::size_t widthEnd = text.find(';', widthStart);
        if (widthEnd == std::string_view::npos) {
            widthEnd = text.size();
        }
        columns.push_back({std::string(text.substr(position, comma - position)),
                           ReadWidth(text.substr(widthStart, widthEnd - widthStart))});
        position = widthEnd + 1;
    }
    return columns;
}
