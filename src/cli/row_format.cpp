// SPDX-License-Identifier: MIT
#include "cli/row_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace tallowick::cli {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](std::size_t i) {
        return i < text.size() && (byte(i) & 0xC0U) == 0x80U;
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80U) {
        return 1;
    }
    std::size_t length = 0;
    std::uint32_t codePoint = 0;
    if (lead >= 0xC2U && lead <= 0xDFU) {
        length = 2;
        codePoint = lead & 0x1FU;
    } else if (lead >= 0xE0U && lead <= 0xEFU) {
        length = 3;
        codePoint = lead & 0x0FU;
    } else if (lead >= 0xF0U && lead <= 0xF4U) {
        length = 4;
        codePoint = lead & 0x07U;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!continuation(i)) {
            return 0;
        }
        codePoint = (codePoint << 6U) | (byte(i) & 0x3FU);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800U) || (length == 4 && codePoint < 0x10000U);
    const bool surrogate = codePoint >= 0xD800U && codePoint <= 0xDFFFU;
    if (overlong || surrogate || codePoint > 0x10FFFFU) {
        return 0;
    }
    return length;
}

// Columns a person sees at a terminal: one per character, a byte that is not UTF-8 counted as one.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    while (!text.empty()) {
        text.remove_prefix(std::max<std::size_t>(1, Utf8SequenceLength(text)));
        ++width;
    }
    return width;
}

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

// A name made safe to show at a terminal: besides the TSV escapes, every other control byte is
// written as \xNN, so that a file name cannot send escape sequences to the terminal.
std::string EscapeForTerminal(std::string_view name) {
    std::string shown;
    for (const char c : EscapeTsv(name)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20U || byte == 0x7FU) {
            std::array<char, 8> escape{};
            const int written = std::snprintf(escape.data(), escape.size(), "\\x%02X", byte);
            shown.append(escape.data(), static_cast<std::size_t>(written));
        } else {
            shown += c;
        }
    }
    return shown;
}

void WriteTable(std::ostream& out, std::span<const ResultRow> rows) {
    using Line = std::array<std::string, 4>;
    std::vector<Line> lines;
    lines.reserve(rows.size() + 1);
    lines.push_back({"ROM Name", "Closest Match", "New Name", "Score"});
    for (const ResultRow& row : rows) {
        lines.push_back({EscapeForTerminal(row.romName), EscapeForTerminal(row.closestMatch),
                         EscapeForTerminal(row.newName), ScoreText(row)});
    }
    std::array<std::size_t, 4> widths{};
    for (const Line& line : lines) {
        for (std::size_t i = 0; i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], DisplayWidth(line[i]));
        }
    }
    for (const Line& line : lines) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            text += line[i];
            text.append(widths[i] - DisplayWidth(line[i]) + 2, ' ');
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << '\n';
    }
}

void WriteTsv(std::ostream& out, std::span<const ResultRow> rows) {
    for (const ResultRow& row : rows) {
        out << EscapeTsv(row.romName) << '\t' << EscapeTsv(row.closestMatch) << '\t'
            << EscapeTsv(row.newName) << '\t' << ScoreText(row) << '\n';
    }
}

void WriteCsv(std::ostream& out, std::span<const ResultRow> rows) {
    out << "ROM Name,Closest Match,New Name,Score\r\n";
    for (const ResultRow& row : rows) {
        out << CsvField(row.romName) << ',' << CsvField(row.closestMatch) << ','
            << CsvField(row.newName) << ',' << ScoreText(row) << "\r\n";
    }
}

void WriteJson(std::ostream& out, std::span<const ResultRow> rows) {
    out << '[';
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ResultRow& row = rows[i];
        const std::string score = ScoreText(row);
        out << (i == 0 ? "\n" : ",\n") << "  {\"romName\": " << JsonString(row.romName)
            << ", \"closestMatch\": " << JsonString(row.closestMatch)
            << ", \"newName\": " << JsonString(row.newName)
            << ", \"score\": " << (score.empty() ? "null" : score) << '}';
    }
    out << (rows.empty() ? "]\n" : "\n]\n");
}

} // namespace

std::optional<RowFormat> ParseRowFormat(std::string_view name) {
    if (name == "table") {
        return RowFormat::Table;
    }
    if (name == "tsv") {
        return RowFormat::Tsv;
    }
    if (name == "csv") {
        return RowFormat::Csv;
    }
    if (name == "json") {
        return RowFormat::Json;
    }
    return std::nullopt;
}

void WriteRows(std::ostream& out, std::span<const ResultRow> rows, RowFormat format) {
    switch (format) {
    case RowFormat::Table:
        WriteTable(out, rows);
        break;
    case RowFormat::Tsv:
        WriteTsv(out, rows);
        break;
    case RowFormat::Csv:
        WriteCsv(out, rows);
        break;
    case RowFormat::Json:
        WriteJson(out, rows);
        break;
    }
}

std::string ScoreText(const ResultRow& row) {
    if (row.closestMatch.empty()) {
        return {};
    }
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), row.score);
    return {buffer.data(), result.ptr};
}

std::string EscapeTsv(std::string_view name) {
    std::string escaped;
    escaped.reserve(name.size());
    for (const char c : name) {
        switch (c) {
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\\':
            escaped += "\\\\";
            break;
        default:
            escaped += c;
            break;
        }
    }
    return escaped;
}

std::string JsonString(std::string_view name) {
    std::string json = "\"";
    while (!name.empty()) {
        const std::size_t length = Utf8SequenceLength(name);
        if (length == 0) {
            json += kReplacementCharacter;
            name.remove_prefix(1);
            continue;
        }
        const auto c = static_cast<unsigned char>(name.front());
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20U) {
            std::array<char, 8> escape{};
            const auto written = std::snprintf(escape.data(), escape.size(), "\\u%04x", c);
            json.append(escape.data(), static_cast<std::size_t>(written));
        } else {
            json.append(name.substr(0, length));
        }
        name.remove_prefix(length);
    }
    json += '"';
    return json;
}

} // namespace tallowick::cli
