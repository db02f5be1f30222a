// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <vector>

namespace tallowick::cli {

namespace {

// The value of an option given as "--name VALUE" or "--name=VALUE"; `i` moves past a separate
// value. Nothing when the option is missing its value.
std::optional<std::string> OptionValue(std::span<const std::string> arguments, std::size_t& i,
                                       std::string_view name) {
    const std::string& argument = arguments[i];
    if (argument.size() > name.size()) {
        return argument.substr(name.size() + 1);
    }
    if (i + 1 == arguments.size()) {
        return std::nullopt;
    }
    return arguments[++i];
}

bool IsOption(std::string_view argument, std::string_view name) {
    return argument == name || (argument.starts_with(name) && argument.size() > name.size() &&
                                argument[name.size()] == '=');
}

std::optional<UsageError> CheckCopyOptions(const CliOptions& options, bool formatGiven) {
    if (options.copyFolder) {
        if (formatGiven) {
            return UsageError{
                "--format sets the listing of proposals, which --copy does not print"};
        }
        return std::nullopt;
    }
    if (options.dryRun) {
        return UsageError{"--dry-run needs --copy DEST_DIR"};
    }
    if (options.skipExisting) {
        return UsageError{"--skip-existing needs --copy DEST_DIR"};
    }
    return std::nullopt;
}

} // namespace

std::variant<CliOptions, UsageError> ParseCommandLine(std::span<const std::string> arguments) {
    CliOptions options;
    std::vector<std::string> folders;
    bool optionsEnded = false;
    bool formatGiven = false;
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
        } else if (argument == "--dry-run") {
            options.dryRun = true;
        } else if (argument == "--skip-existing") {
            options.skipExisting = true;
        } else if (IsOption(argument, "--copy")) {
            options.copyFolder = OptionValue(arguments, i, "--copy");
            if (!options.copyFolder || options.copyFolder->empty()) {
                return UsageError{"--copy needs a destination folder"};
            }
        } else if (IsOption(argument, "--format")) {
            const auto name = OptionValue(arguments, i, "--format");
            if (!name) {
                return UsageError{"--format needs a value: table, tsv, csv or json"};
            }
            const auto format = ParseRowFormat(*name);
            if (!format) {
                return UsageError{"unknown format '" + *name + "': use table, tsv, csv or json"};
            }
            options.format = *format;
            formatGiven = true;
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
    if (auto error = CheckCopyOptions(options, formatGiven)) {
        return *error;
    }
    return options;
}

std::string HelpText() {
    return R"(Usage: tallowick-cli [OPTIONS] SOURCE_DIR ROM_DIR
       tallowick-cli [--ignore-brackets] [--dry-run] [--skip-existing]
                     SOURCE_DIR ROM_DIR --copy DEST_DIR

Proposes new names for the files of SOURCE_DIR (screenshots, box art, videos)
after the files of ROM_DIR. For every file directly inside ROM_DIR it finds the
file of SOURCE_DIR whose name is most similar and proposes the ROM's base name
with that file's extension. Without --copy nothing is written; the proposals
are printed, one row per ROM file, in the order of ROM_DIR sorted by name.

With --copy, every matched file of SOURCE_DIR is copied into DEST_DIR under its
new name, in that order; files of SOURCE_DIR are only read. Each copy replaces
an existing file of that name whole, or leaves it as it was when the copy
fails. A copy is refused when it would land on its own source file or when the
new name is not a plain file name. Failed copies are reported on stderr as
they happen and the others go on; two ROM files that give the same new name
are reported too (the later copy replaces the earlier). At the end a summary
goes to stdout: copied, skipped (no match), skipped (existing), failed.
Progress is shown on stderr when it is a terminal.

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
  --copy DEST_DIR    copy the matched files into DEST_DIR (which must exist)
  --dry-run          with --copy: check every copy and print each as
                     "source → target", but write nothing
  --skip-existing    with --copy: keep files that already exist in DEST_DIR
                     (by default they are replaced)
  -h, --help         show this text

Ctrl-C during --copy stops after the file in hand, so that no part of a copy
is left behind, and prints the summary so far.

Exit status: 0 on success, 1 when the output cannot be written or some copies
failed (or, with --dry-run, would fail), 2 for a usage error or a folder that
cannot be read or written, 130 when --copy was interrupted.
)";
}

} // namespace tallowick::cli
