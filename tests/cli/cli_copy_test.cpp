// SPDX-License-Identifier: MIT
// tallowick-cli --copy end to end, on folders named like a real screenshot and ROM collection.
#include "cli/cli_app.h"
#include "folder_contents.h"
#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

namespace tallowick::cli {
namespace {

using testing_support::NamesIn;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace fs = std::filesystem;

std::vector<std::string> LinesStartingWith(const fs::path& list, char first) {
    std::istringstream text(ReadFile(list.string()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.front() == first) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string BaseOf(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

// Name → content of every file directly inside `folder`.
std::map<std::string, std::string> ContentsOf(const std::string& folder) {
    std::map<std::string, std::string> contents;
    for (const std::string& name : NamesIn(folder)) {
        contents[name] = ReadFile(folder + '/' + name);
    }
    return contents;
}

// The number on the summary line that starts with `label`, or -1 without such a line.
long SummaryCount(const std::string& out, std::string_view label) {
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);) {
        if (line.starts_with(label)) {
            return std::stol(line.substr(label.size()));
        }
    }
    return -1;
}

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

// A source folder of screenshots named after the 2016 SNES set and a ROM folder of today's
// set, both cut to the games whose name starts with "B": a few hundred files each.
class CliCopyTest : public testing::Test {
protected:
    void SetUp() override {
        const char* dataDir = std::getenv("TALLOWICK_DATA_DIR");
        const fs::path snes = dataDir != nullptr ? fs::path(dataDir) / "snes" : fs::path();
        if (snes.empty() || !fs::is_regular_file(snes / "roms.txt")) {
            GTEST_SKIP() << "the name lists are not there (TALLOWICK_DATA_DIR="
                         << (dataDir != nullptr ? dataDir : "unset") << ")";
        }
        for (const char* folder : {"src", "rom", "dest"}) {
            m_root.AddFolder(folder);
        }
        for (const std::string& name : LinesStartingWith(snes / "roms.txt", 'B')) {
            m_root.AddFile("rom/" + name, "rom");
            m_romBases.insert(BaseOf(name));
        }
        for (const std::string& name : LinesStartingWith(snes / "nointro-2016.txt", 'B')) {
            m_root.AddFile("src/" + BaseOf(name) + ".png", "image of " + name);
        }
        m_sourceBefore = ContentsOf(Src());
    }

    std::string Src() const { return m_root / "src"; }
    std::string Dest() const { return m_root / "dest"; }

    CliRun Run(std::vector<std::string> extra) const {
        std::vector<std::string> arguments = {Src(), m_root / "rom"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        std::ostringstream out;
        std::ostringstream err;
        const int exitCode = RunCli(arguments, out, err);
        return {exitCode, out.str(), err.str()};
    }

    TempDir m_root;
    std::set<std::string> m_romBases;
    std::map<std::string, std::string> m_sourceBefore;
};

TEST_F(CliCopyTest, CopiesEveryMatchedFileUnderItsRomNameAndLeavesTheSourceAlone) {
    const CliRun run = Run({"--copy", Dest()});

    EXPECT_EQ(run.exitCode, kExitSuccess) << run.err;
    EXPECT_EQ(run.err, "");
    const long copied = SummaryCount(run.out, "copied:");
    EXPECT_GT(copied, 150);
    EXPECT_EQ(copied + SummaryCount(run.out, "skipped (no match):"),
              static_cast<long>(m_romBases.size()));
    EXPECT_EQ(SummaryCount(run.out, "failed:"), 0);
    EXPECT_EQ(run.out.find("ROM Name"), std::string::npos) << "copy mode lists no proposals";

    const auto copies = ContentsOf(Dest());
    EXPECT_EQ(static_cast<long>(copies.size()), copied);
    std::set<std::string> sourceContents;
    for (const auto& [name, content] : m_sourceBefore) {
        sourceContents.insert(content);
    }
    for (const auto& [name, content] : copies) {
        EXPECT_TRUE(name.ends_with(".png")) << name;
        EXPECT_TRUE(m_romBases.contains(BaseOf(name))) << name;
        EXPECT_TRUE(sourceContents.contains(content)) << name << ": " << content;
    }
    EXPECT_EQ(ContentsOf(Src()), m_sourceBefore);
}

TEST_F(CliCopyTest, DryRunPrintsEachCopyAndWritesNothing) {
    const CliRun dry = Run({"--dry-run", "--copy", Dest()});

    EXPECT_EQ(dry.exitCode, kExitSuccess) << dry.err;
    const long wouldCopy = SummaryCount(dry.out, "would copy:");
    EXPECT_GT(wouldCopy, 150);
    std::istringstream lines(dry.out);
    long arrows = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" → ") != std::string::npos) {
            EXPECT_TRUE(line.starts_with(Src() + '/')) << line;
            EXPECT_NE(line.find(" → " + Dest() + '/'), std::string::npos) << line;
            ++arrows;
        }
    }
    EXPECT_EQ(arrows, wouldCopy);
    EXPECT_TRUE(NamesIn(Dest()).empty());
    EXPECT_EQ(SummaryCount(Run({"--copy", Dest()}).out, "copied:"), wouldCopy);
}

TEST_F(CliCopyTest, SkipExistingKeepsWhatIsThere) {
    const long copied = SummaryCount(Run({"--copy", Dest()}).out, "copied:");
    const std::string kept = m_root / "dest/B.O.B. (USA).png";
    ASSERT_TRUE(fs::exists(kept));
    m_root.AddFile("dest/B.O.B. (USA).png", "edited by hand");

    const CliRun again = Run({"--skip-existing", "--copy", Dest()});

    EXPECT_EQ(again.exitCode, kExitSuccess) << again.err;
    EXPECT_EQ(SummaryCount(again.out, "copied:"), 0);
    EXPECT_EQ(SummaryCount(again.out, "skipped (existing):"), copied);
    EXPECT_EQ(ReadFile(kept), "edited by hand");
}

TEST_F(CliCopyTest, FailedCopyIsReportedAndTheOthersAreMade) {
    m_root.AddFolder("dest/B.O.B. (USA).png");

    const CliRun run = Run({"--copy", Dest()});

    EXPECT_EQ(run.exitCode, kExitFailure);
    EXPECT_EQ(SummaryCount(run.out, "failed:"), 1);
    EXPECT_NE(run.err.find("B.O.B. (USA).png': cannot replace the target: Is a directory"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(static_cast<long>(NamesIn(Dest()).size()), SummaryCount(run.out, "copied:") + 1);
    EXPECT_EQ(ContentsOf(Src()), m_sourceBefore);
}

TEST_F(CliCopyTest, DestinationThatCannotTakeCopiesIsAFolderError) {
    m_root.AddFile("plain file", "x");
    for (const std::string& dest : {m_root / "missing", m_root / "plain file"}) {
        const CliRun run = Run({"--copy", dest});
        EXPECT_EQ(run.exitCode, kExitUsage);
        EXPECT_NE(run.err.find("destination folder"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// Two ROM files of the same game, in two formats, both matched to the one screenshot.
class SameNewNameTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"src", "rom", "dest"}) {
            m_root.AddFolder(folder);
        }
        m_root.AddFile("rom/Game (USA).7z", "rom");
        m_root.AddFile("rom/Game (USA).zip", "rom");
        m_root.AddFile("src/Game (USA).png", "image");
    }

    TempDir m_root;
};

TEST_F(SameNewNameTest, WarnsThatTheLaterCopyReplacedTheEarlier) {
    const std::vector<std::string> arguments = {m_root / "src", m_root / "rom", "--copy",
                                                m_root / "dest"};
    std::ostringstream out;
    std::ostringstream err;

    EXPECT_EQ(RunCli(arguments, out, err), kExitSuccess);

    EXPECT_EQ(SummaryCount(out.str(), "copied:"), 2);
    EXPECT_NE(err.str().find("warning: '" + (m_root / "dest/Game (USA).png") +
                             "' is the new name of 'Game (USA).7z' and of 'Game (USA).zip'"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(NamesIn(m_root / "dest"), std::vector<std::string>{"Game (USA).png"});
}

TEST_F(SameNewNameTest, ShowsProgressOnlyOnATerminal) {
    const std::vector<std::string> arguments = {m_root / "src", m_root / "rom", "--copy",
                                                m_root / "dest"};
    for (const bool terminal : {false, true}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(arguments, out, err, terminal), kExitSuccess);
        EXPECT_EQ(out.str().find("copying"), std::string::npos);
        const bool shown = err.str().find("\rcopying: 2/2") != std::string::npos;
        EXPECT_EQ(shown, terminal) << err.str();
        if (shown) {
            EXPECT_GT(err.str().rfind("\r\x1b[K"), err.str().rfind("copying"))
                << "the progress line is wiped before the warnings";
        }
    }
}

} // namespace
} // namespace tallowick::cli
