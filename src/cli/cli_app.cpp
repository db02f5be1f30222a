// SPDX-License-Identifier: MIT
#include "cli/cli_app.h"

#include "cli/cli_options.h"
#include "cli/copy_mode.h"
#include "listing/file_listing.h"
#include "matching/lookup_pass.h"

namespace tallowick::cli {

namespace {

bool CheckFolder(const std::string& folder, std::string_view role, std::ostream& err) {
    if (const auto error = FolderAccessError(folder)) {
        err << kProgram << ": cannot read the " << role << " folder '" << folder << "': " << *error
            << '\n';
        return false;
    }
    return true;
}

std::vector<std::string> ListFiles(const std::string& folder) {
    CFileListing listing;
    RelistFolder(listing, folder + '/');
    return PathsOf(listing);
}

// A full disk or a closed pipe must not pass for complete output.
int FinishOutput(std::ostream& out, std::ostream& err) {
    out.flush();
    if (!out) {
        err << kProgram << ": cannot write the output\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
    const auto parsed = ParseCommandLine(arguments);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << kProgram << ": " << usage->message << "\nTry '" << kProgram
            << " --help' for more information.\n";
        return kExitUsage;
    }
    const auto& options = std::get<CliOptions>(parsed);
    if (options.showHelp) {
        out << HelpText();
        return FinishOutput(out, err);
    }
    if (!CheckFolder(options.sourceFolder, "source", err) ||
        !CheckFolder(options.romFolder, "ROM", err)) {
        return kExitUsage;
    }
    const auto sourcePaths = ListFiles(options.sourceFolder);
    const auto romPaths = ListFiles(options.romFolder);
    const auto rows = LookUpNames(romPaths, sourcePaths, options.ignoreBrackets);
    if (options.copyFolder) {
        const int status = RunCopyMode(options, rows, out, err, errIsTerminal);
        const int output = FinishOutput(out, err);
        return status != kExitSuccess ? status : output;
    }
    WriteRows(out, rows, options.format);
    return FinishOutput(out, err);
}

} // namespace tallowick::cli
