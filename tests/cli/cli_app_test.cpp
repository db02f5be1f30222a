// SPDX-License-Identifier: MIT
#include "cli/cli_app.h"
#include "cli/cli_options.h"
#include "listing/file_listing.h"
#include "matching/name_parts.h"
#include "temp_dir.h"
#include "tsv_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tallowick::cli {
namespace {

using testing_support::TempDir;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunWith(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class CliAppTest : public testing::Test {
protected:
    CliAppTest()
        : m_shots(m_dir.AddFolder("shots")), m_roms(m_dir.AddFolder("roms")),
          m_file(m_dir.AddFile("plain.txt")) {}

    TempDir m_dir;
    std::string m_shots;
    std::string m_roms;
    std::string m_file;
};

TEST_F(CliAppTest, FolderThatCannotBeReadIsExitStatus2) {
    const std::string missing = m_dir / "missing";
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::vector<std::string> errHolds;
    };
    const Case cases[] = {
        {"missing source",
         {missing, m_roms},
         {"tallowick-cli: ", "source folder", "'" + missing + "'", "No such file or directory"}},
        {"missing ROM folder",
         {"--format", "tsv", m_shots, missing},
         {"ROM folder", "'" + missing + "'", "No such file or directory"}},
        {"a file given as folder", {m_shots, m_file}, {"ROM folder", "Not a directory"}},
        {"below a file", {m_file + "/sub", m_roms}, {"source folder", "Not a directory"}},
        {"empty folder name", {"", m_roms}, {"source folder", "no folder given"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = RunWith(c.arguments);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_EQ(run.out, "");
        for (const std::string& part : c.errHolds) {
            EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
        }
        EXPECT_TRUE(run.err.ends_with('\n'));
    }
}

TEST_F(CliAppTest, UsageErrorIsExitStatus2WithAPointerToHelp) {
    struct Case {
        std::vector<std::string> arguments;
        std::string reason;
    };
    const Case cases[] = {
        {{}, "expected two folders"},
        {{m_shots}, "expected two folders"},
        {{"--format", "xml", m_shots, m_roms}, "unknown format 'xml'"},
        {{"--bogus", m_shots, m_roms}, "unknown option '--bogus'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        const CliRun run = RunWith(c.arguments);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("tallowick-cli: " + c.reason)) << run.err;
        EXPECT_NE(run.err.find("tallowick-cli --help"), std::string::npos) << run.err;
    }
}

TEST_F(CliAppTest, HelpGoesToStandardOutput) {
    const CliRun run = RunWith({"--help"});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(run.out, HelpText());
    EXPECT_EQ(run.err, "");
}

TEST_F(CliAppTest, ListsFilesDirectlyInsideInPathOrder) {
    for (const char* name : {"b.zip", "A.zip", ".hidden.zip", "Super Game (USA).zip",
                             "tab\tname.zip", "\xFF.zip", "zzz.zip"}) {
        m_dir.AddFile(std::string("roms/") + name);
    }
    // Files below the ROM folder are not its files.
    m_dir.AddFolder("roms/sub");
    m_dir.AddFile("roms/sub/deep.zip");
    for (const char* name : {"A.png", "b.jpg", ".hidden.bmp", "Super Game.png", "tab\tname.png",
                             "\xFF.gif", "deep.png"}) {
        m_dir.AddFile(std::string("shots/") + name);
    }
    m_dir.AddFolder("shots/zzz"); // a folder is never a match

    const CliRun run = RunWith({"--format", "tsv", m_shots, m_roms + "//"});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, ".hidden.zip\t.hidden.bmp\t.hidden.bmp\t2\n"
                       "A.zip\tA.png\tA.png\t2\n"
                       "b.zip\tb.jpg\tb.jpg\t2\n"
                       "Super Game (USA).zip\tSuper Game.png\tSuper Game (USA).png\t1.625\n"
                       "tab\\tname.zip\ttab\\tname.png\ttab\\tname.png\t2\n"
                       "zzz.zip\t\t\t\n"
                       "\xFF.zip\t\xFF.gif\t\xFF.gif\t2\n");
}

TEST_F(CliAppTest, IgnoreBracketsReachesTheSearch) {
    m_dir.AddFile("roms/Game (USA) [!].zip");
    m_dir.AddFile("shots/Game (Beta).png");
    EXPECT_EQ(RunWith({"--format=tsv", m_shots, m_roms}).out, "Game (USA) [!].zip\t\t\t\n");
    EXPECT_EQ(RunWith({"--format=tsv", "--ignore-brackets", m_shots, m_roms}).out,
              "Game (USA) [!].zip\tGame (Beta).png\tGame (USA) [!].png\t2\n");
}

// Refuses every write, as a full disk or a closed pipe does.
class RefusingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(CliAppTest, OutputThatCannotBeWrittenIsAFailure) {
    m_dir.AddFile("roms/Game.zip");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{m_shots, m_roms}, std::vector<std::string>{"--help"}}) {
        SCOPED_TRACE(arguments.front());
        RefusingBuffer refusing;
        std::ostream out(&refusing);
        std::ostringstream err;
        EXPECT_EQ(RunCli(arguments, out, err), kExitFailure);
        EXPECT_EQ(err.str(), "tallowick-cli: cannot write the output\n");
    }
}

std::vector<std::string> ReadLines(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; lines.size() < limit && std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The real name lists of the shared data folder, as files in a ROM folder and a folder of
// screenshots named after the same games by another naming convention.
struct DataSet {
    const char* system;
    const char* sourceList; // its names get the extension .png, as screenshots would have
    std::size_t limit;      // names taken from the start of each list; keeps the run short
    bool ignoreBrackets;
};

void PrintTo(const DataSet& data, std::ostream* out) {
    *out << data.system << '/' << data.sourceList;
    if (data.limit != SIZE_MAX) {
        *out << ", first " << data.limit << " names";
    }
    *out << (data.ignoreBrackets ? ", brackets ignored" : "");
}

class CliDataTest : public testing::TestWithParam<DataSet> {};

TEST_P(CliDataTest, TsvGivesOneConsistentRowPerRomName) {
    const DataSet& data = GetParam();
    const char* dataDir = std::getenv("TALLOWICK_DATA_DIR");
    const std::string listDir = dataDir == nullptr ? "" : std::string(dataDir) + '/' + data.system;
    const auto romNames = ReadLines(listDir + "/roms.txt", data.limit);
    const auto sourceLines = ReadLines(listDir + '/' + data.sourceList, data.limit);
    if (romNames.empty() || sourceLines.empty()) {
        GTEST_SKIP() << "the name lists are not at '" << listDir << "' (TALLOWICK_DATA_DIR)";
    }
    const TempDir dir;
    const std::string romFolder = dir.AddFolder("roms");
    const std::string sourceFolder = dir.AddFolder("shots");
    for (const std::string& name : romNames) {
        dir.AddFile("roms/" + name);
    }
    std::set<std::string> sourceNames;
    for (const std::string& line : sourceLines) {
        sourceNames.insert(std::string(BaseNameOf(line)) + ".png");
    }
    for (const std::string& name : sourceNames) {
        dir.AddFile("shots/" + name);
    }

    std::vector<std::string> arguments = {"--format", "tsv", sourceFolder, romFolder};
    if (data.ignoreBrackets) {
        arguments.insert(arguments.begin(), "--ignore-brackets");
    }
    const CliRun run = RunWith(arguments);
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.err, "");

    CFileListing romListing;
    RelistFolder(romListing, romFolder);
    std::vector<std::string> listedRomNames;
    for (const std::string& path : PathsOf(romListing)) {
        listedRomNames.emplace_back(FileNameOf(path));
    }

    std::istringstream lines(run.out);
    std::vector<std::string> rowRomNames;
    std::size_t fullScoreRows = 0;
    std::size_t fuzzyRows = 0;
    for (std::string line; std::getline(lines, line);) {
        SCOPED_TRACE(line);
        const auto fields = SplitTsvLine(line);
        ASSERT_EQ(fields.size(), 4U);
        const std::string romName = UnescapeTsv(fields[0]);
        const std::string match = UnescapeTsv(fields[1]);
        const std::string newName = UnescapeTsv(fields[2]);
        const std::string romBase(BaseNameOf(romName));
        rowRomNames.push_back(romName);
        if (match.empty()) {
            EXPECT_EQ(newName, "");
            EXPECT_EQ(fields[3], "");
            continue;
        }
        EXPECT_TRUE(sourceNames.contains(match));
        EXPECT_EQ(newName, romBase + std::string(ExtensionOf(match)));
        const float score = std::strtof(fields[3].c_str(), nullptr);
        EXPECT_GE(score, 1.25F);
        EXPECT_LE(score, 2.0F);
        // A screenshot of exactly the ROM's base name is taken at once, whatever else competes.
        if (sourceNames.contains(romBase + ".png")) {
            EXPECT_EQ(match, romBase + ".png");
            EXPECT_EQ(fields[3], "2");
        }
        ++(score == 2.0F ? fullScoreRows : fuzzyRows);
    }
    EXPECT_EQ(rowRomNames, listedRomNames);
    EXPECT_TRUE(std::is_sorted(
        rowRomNames.begin(), rowRomNames.end(),
        [](const std::string& a, const std::string& b) { return ComparePathsFolded(a, b) < 0; }));
    auto sortedRowNames = rowRomNames;
    auto sortedRomNames = romNames;
    std::sort(sortedRowNames.begin(), sortedRowNames.end());
    std::sort(sortedRomNames.begin(), sortedRomNames.end());
    EXPECT_EQ(sortedRowNames, sortedRomNames);
    // The lists name many of the same games: both kinds of match must occur.
    EXPECT_GT(fullScoreRows, 0U);
    EXPECT_GT(fuzzyRows, 0U);
}

INSTANTIATE_TEST_SUITE_P(NameLists, CliDataTest,
                         testing::Values(DataSet{"sega32x", "nointro-2016.txt", SIZE_MAX, false},
                                         DataSet{"sega32x", "boxarts.txt", SIZE_MAX, true},
                                         DataSet{"snes", "nointro-2016.txt", 600, false},
                                         DataSet{"mastersystem", "snaps.txt", 600, false},
                                         DataSet{"arcade", "mame2016.txt", 400, false}),
                         [](const testing::TestParamInfo<DataSet>& param) {
                             return std::string(param.param.system) + '_' +
                                    std::to_string(param.index);
                         });

} // namespace
} // namespace tallowick::cli
