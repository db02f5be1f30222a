// SPDX-License-Identifier: MIT
#pragma once

#include "matching/lookup_pass.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tallowick::cli {

enum class RowFormat { Table, Tsv, Csv, Json };

/// The format named `name` ("table", "tsv", "csv", "json"), or nothing for an unknown name.
std::optional<RowFormat> ParseRowFormat(std::string_view name);

/// Writes the rows in `format`: ROM Name, Closest Match, New Name and the match's score.
void WriteRows(std::ostream& out, std::span<const ResultRow> rows, RowFormat format);

/// The score as the shortest text that reads back as the same single-precision number; empty
/// for a row without a match.
std::string ScoreText(const ResultRow& row);

/// A name with tab, line feed, carriage return and backslash written as \t, \n, \r and \\.
std::string EscapeTsv(std::string_view name);

/// A name as a JSON string literal, quotes included; bytes that are not valid UTF-8 become
/// U+FFFD.
std::string JsonString(std::string_view name);

} // namespace tallowick::cli
