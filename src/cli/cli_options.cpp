// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <vector>

namespace tallowick::cli {

std::variant<CliOptions, UsageError> ParseCommandLine(std::span<const std::string> arguments) {
    CliOptions options;
    std::vector<std::string> folders;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            folders.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            options.showHelp = true;
        } else if (argument == "--ignore-brackets") {
            options.ignoreBrackets = true;
        } else if (argument == "--format" || argument.starts_with("--format=")) {
            std::string name;
            if (argument == "--format") {
                if (i + 1 == arguments.size()) {
                    return UsageError{"--format needs a value: table, tsv, csv or json"};
                }
                name = arguments[++i];
            } else {
                name = argument.substr(std::string_view("--format=").size());
            }
            const auto format = ParseRowFormat(name);
            if (!format) {
                return UsageError{"unknown format '" + name + "': use table, tsv, csv or json"};
            }
            options.format = *format;
        } else {
            return UsageError{"unknown option '" + argument + "'"};
        }
    }
    if (options.showHelp) {
        return options;
    }
    if (folders.size() != 2) {
        return UsageError{"expected two folders, SOURCE_DIR and ROM_DIR, got " +
                          std::to_string(folders.size())};
    }
    options.sourceFolder = folders[0];
    options.romFolder = folders[1];
    return options;
}

std::string HelpText() {
    return R"(Usage: tallowick-cli [OPTIONS] SOURCE_DIR ROM_DIR

Proposes new names for the files of SOURCE_DIR (screenshots, box art, videos)
after the files of ROM_DIR. For every file directly inside ROM_DIR it finds the
file of SOURCE_DIR whose name is most similar and proposes the ROM's base name
with that file's extension. Nothing is written; the proposals are printed, one
row per ROM file, in the order of ROM_DIR sorted by name.

Columns: ROM Name, Closest Match, New Name, Score. The score is the similarity
of the two base names (0 to 2; 2 for an identical base name); a match needs at
least 1.25. A ROM file without a match has empty Closest Match, New Name and
Score.

Options:
  --ignore-brackets  compare names without their tags: everything from the
                     first "(" or "[" on is left out
  --format FORMAT    table (default): aligned columns for reading
                     tsv:  one line per row, tab-separated, no header; names
                           byte for byte, with tab, line feed, carriage return
                           and backslash written \t \n \r \\
                     csv:  RFC 4180 with a header line
                     json: an array of objects (romName, closestMatch, newName,
                           score); bytes that are not UTF-8 become U+FFFD
  -h, --help         show this text

Exit status: 0 on success, 1 when the output cannot be written, 2 for a usage
error or a folder that cannot be read.
)";
}

} // namespace tallowick::cli
