// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// One column of a list, as a column text defines it.
struct ColumnDef {
    std::string heading; ///< exactly as written, blanks included; UTF-8 bytes
    int width = 0;       ///< pixels
};

/// Reads a column text of heading-and-width pairs, each written "heading,width;". A heading is
/// everything up to its comma; the width runs to the next ';' (or the end of the text) and is
/// read like atoi: leading blanks skipped, an optional sign, digits up to the first non-digit,
/// 0 without digits. Text left over that holds no comma defines no further column.
std::vector<ColumnDef> ParseColumnText(std::string_view text);
