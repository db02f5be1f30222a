// SPDX-License-Identifier: MIT
#pragma once

#include "cli/row_format.h"

#include <optional>
#include <span>
#include <string>
#include <variant>

namespace tallowick::cli {

/// What the command line asks for.
struct CliOptions {
    std::string sourceFolder; ///< folder of the files to rename
    std::string romFolder;    ///< folder whose file names are the wanted names
    bool ignoreBrackets = false;
    RowFormat format = RowFormat::Table;
    bool showHelp = false;
    std::optional<std::string> copyFolder = std::nullopt; ///< --copy: copy matched files here
    bool dryRun = false;       ///< --dry-run: say what --copy would do, write nothing
    bool skipExisting = false; ///< --skip-existing: keep targets that exist
};

/// A command line that cannot be used, with the reason to tell the user.
struct UsageError {
    std::string message;
};

/// Reads the arguments after the program name.
std::variant<CliOptions, UsageError> ParseCommandLine(std::span<const std::string> arguments);

/// The text of --help.
std::string HelpText();

} // namespace tallowick::cli
