// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace tallowick::cli {
namespace {

struct CopyLineCase {
    std::vector<std::string> arguments;
    std::optional<std::string> copyFolder;
    bool dryRun;
    bool skipExisting;
};

TEST(CopyOptionsTest, ReadsTheCopyOptionsAnywhereOnTheLine) {
    const CopyLineCase cases[] = {
        {{"shots", "roms"}, std::nullopt, false, false},
        {{"shots", "roms", "--copy", "out"}, "out", false, false},
        {{"--copy=out dir", "shots", "roms"}, "out dir", false, false},
        {{"--dry-run", "shots", "--copy", "out", "roms"}, "out", true, false},
        {{"shots", "roms", "--skip-existing", "--copy", "out", "--dry-run"}, "out", true, true},
    };
    for (const CopyLineCase& c : cases) {
        const auto parsed = ParseCommandLine(c.arguments);
        ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed))
            << std::get<UsageError>(parsed).message;
        const auto& options = std::get<CliOptions>(parsed);
        EXPECT_EQ(options.sourceFolder, "shots");
        EXPECT_EQ(options.romFolder, "roms");
        EXPECT_EQ(options.copyFolder, c.copyFolder);
        EXPECT_EQ(options.dryRun, c.dryRun);
        EXPECT_EQ(options.skipExisting, c.skipExisting);
    }
}

TEST(CopyOptionsTest, RefusesCopyOptionsThatCannotWork) {
    const std::vector<std::string> lines[] = {
        {"shots", "roms", "--copy"},
        {"shots", "roms", "--copy="},
        {"shots", "roms", "--dry-run"},
        {"shots", "roms", "--skip-existing"},
        {"shots", "roms", "--copy", "out", "--format", "csv"},
        {"shots", "--copy", "out"},
    };
    for (const auto& line : lines) {
        EXPECT_TRUE(std::holds_alternative<UsageError>(ParseCommandLine(line)))
            << testing::PrintToString(line);
    }
}

} // namespace
} // namespace tallowick::cli
