// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallowick::cli {

/// Reads back one name written by EscapeTsv. Written independently of it, so that the tests
/// check the escaping rather than restate it.
inline std::string UnescapeTsv(std::string_view field) {
    std::string name;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            name += field[i];
            continue;
        }
        switch (field[++i]) {
        case 't':
            name += '\t';
            break;
        case 'n':
            name += '\n';
            break;
        case 'r':
            name += '\r';
            break;
        default:
            name += field[i];
            break;
        }
    }
    return name;
}

/// The tab-separated fields of one line, as written (not unescaped).
inline std::vector<std::string> SplitTsvLine(std::string_view line) {
    std::vector<std::string> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.emplace_back(line.substr(0, tab));
        if (tab == std::string_view::npos) {
            return fields;
        }
        line.remove_prefix(tab + 1);
    }
}

} // namespace tallowick::cli
