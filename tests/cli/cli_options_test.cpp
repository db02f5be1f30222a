// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tallowick::cli {
namespace {

std::string Joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        text += '[' + argument + "] ";
    }
    return text;
}

TEST(ParseCommandLineTest, AcceptsWhatHelpDocuments) {
    struct Case {
        std::vector<std::string> arguments;
        CliOptions expected;
    };
    const Case cases[] = {
        {{"shots", "roms"}, {"shots", "roms", false, RowFormat::Table, false}},
        {{"--ignore-brackets", "shots", "roms"}, {"shots", "roms", true, RowFormat::Table, false}},
        {{"--format", "tsv", "shots", "roms"}, {"shots", "roms", false, RowFormat::Tsv, false}},
        {{"--format=csv", "shots", "roms"}, {"shots", "roms", false, RowFormat::Csv, false}},
        {{"shots", "--format", "json", "roms"}, {"shots", "roms", false, RowFormat::Json, false}},
        {{"shots", "roms", "--format", "table"}, {"shots", "roms", false, RowFormat::Table, false}},
        // The last --format counts.
        {{"--format", "csv", "--format=tsv", "s", "r"}, {"s", "r", false, RowFormat::Tsv, false}},
        // After "--" everything is a folder, also what looks like an option.
        {{"--", "--help", "-r"}, {"--help", "-r", false, RowFormat::Table, false}},
        {{"--format", "csv", "--", "-s", "--"}, {"-s", "--", false, RowFormat::Csv, false}},
        // "-" alone and folders with blanks are plain folder names.
        {{"-", "my roms/"}, {"-", "my roms/", false, RowFormat::Table, false}},
        // Help needs no folders and wins over everything else that parses.
        {{"--help"}, {"", "", false, RowFormat::Table, true}},
        {{"-h"}, {"", "", false, RowFormat::Table, true}},
        {{"a", "--help", "b", "c"}, {"", "", false, RowFormat::Table, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Joined(c.arguments));
        const auto parsed = ParseCommandLine(c.arguments);
        const auto* options = std::get_if<CliOptions>(&parsed);
        ASSERT_NE(options, nullptr) << std::get<UsageError>(parsed).message;
        EXPECT_EQ(options->showHelp, c.expected.showHelp);
        if (!c.expected.showHelp) {
            EXPECT_EQ(options->sourceFolder, c.expected.sourceFolder);
            EXPECT_EQ(options->romFolder, c.expected.romFolder);
            EXPECT_EQ(options->ignoreBrackets, c.expected.ignoreBrackets);
            EXPECT_EQ(options->format, c.expected.format);
        }
    }
}

TEST(ParseCommandLineTest, RefusesWithAReason) {
    struct Case {
        std::vector<std::string> arguments;
        std::string reasonHolds; // a part of the message the user must see
    };
    const Case cases[] = {
        {{}, "got 0"},
        {{"shots"}, "got 1"},
        {{"a", "b", "c"}, "got 3"},
        {{"--", "a"}, "got 1"},
        {{"--frobnicate", "a", "b"}, "'--frobnicate'"},
        {{"-x", "a", "b"}, "'-x'"},
        {{"--Help"}, "'--Help'"},
        {{"--format", "xml", "a", "b"}, "'xml'"},
        {{"--format=", "a", "b"}, "''"},
        {{"--format=TSV", "a", "b"}, "'TSV'"},
        {{"a", "b", "--format"}, "--format needs a value"},
        // An unknown option is refused even when help is asked for as well.
        {{"--help", "--frobnicate"}, "'--frobnicate'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Joined(c.arguments));
        const auto parsed = ParseCommandLine(c.arguments);
        const auto* error = std::get_if<UsageError>(&parsed);
        ASSERT_NE(error, nullptr);
        EXPECT_NE(error->message.find(c.reasonHolds), std::string::npos) << error->message;
    }
}

TEST(HelpTextTest, DocumentsEveryOptionFormatAndExitStatus) {
    const std::string help = HelpText();
    for (const char* word : {"SOURCE_DIR", "ROM_DIR", "--ignore-brackets", "--format", "table",
                             "tsv", "csv", "json", "-h, --help", "Exit status", "1.25"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}

} // namespace
} // namespace tallowick::cli
