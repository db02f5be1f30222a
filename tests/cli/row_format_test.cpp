// SPDX-License-Identifier: MIT
#include "cli/row_format.h"
#include "temp_dir.h"
#include "tsv_reader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tallowick::cli {
namespace {

std::string Written(const std::vector<ResultRow>& rows, RowFormat format) {
    std::ostringstream out;
    WriteRows(out, rows, format);
    return out.str();
}

TEST(ParseRowFormatTest, KnowsTheFourNames) {
    EXPECT_EQ(ParseRowFormat("table"), RowFormat::Table);
    EXPECT_EQ(ParseRowFormat("tsv"), RowFormat::Tsv);
    EXPECT_EQ(ParseRowFormat("csv"), RowFormat::Csv);
    EXPECT_EQ(ParseRowFormat("json"), RowFormat::Json);
    for (const char* unknown : {"", "TSV", "tsv ", "xml"}) {
        EXPECT_EQ(ParseRowFormat(unknown), std::nullopt) << unknown;
    }
}

TEST(ScoreTextTest, ShortestTextThatReadsBackAsTheStoredScore) {
    struct Case {
        float score;
        const char* expected;
    };
    const Case cases[] = {
        {2.0F, "2"},
        {1.25F, "1.25"},
        {1.625F, "1.625"},
        {1.7142857F, "1.7142857"},
        {1.6800001F, "1.6800001"},
        {std::nextafter(1.25F, 2.0F), "1.2500001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::string text = ScoreText({"r.zip", "m.png", "r.png", c.score});
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), c.score);
    }
    EXPECT_EQ(ScoreText({"r.zip", "", "", 0.0F}), "");
}

TEST(EscapeTsvTest, EscapesTheFourSpecialBytesOnly) {
    struct Case {
        std::string name;
        std::string expected;
    };
    const Case cases[] = {
        {"plain (USA) [!].png", "plain (USA) [!].png"},
        {"a\tb", "a\\tb"},
        {"a\nb", "a\\nb"},
        {"a\rb", "a\\rb"},
        {"a\\b", "a\\\\b"},
        {"\\t", "\\\\t"}, // a backslash followed by t stays apart from an escaped tab
        {"\v\f\x01\x7F", "\v\f\x01\x7F"},
        {"\xFF\xFE.png", "\xFF\xFE.png"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(EscapeTsv(c.name), c.expected);
        EXPECT_EQ(UnescapeTsv(EscapeTsv(c.name)), c.name);
    }
}

TEST(EscapeTsvTest, EveryByteRoundTrips) {
    std::string allBytes;
    for (int byte = 1; byte < 256; ++byte) {
        allBytes += static_cast<char>(byte);
    }
    const std::string escaped = EscapeTsv(allBytes);
    EXPECT_EQ(escaped.find_first_of("\t\n\r"), std::string::npos);
    EXPECT_EQ(UnescapeTsv(escaped), allBytes);
}

TEST(WriteRowsTest, TsvIsOneLinePerRowByteForByte) {
    const std::vector<ResultRow> rows = {
        {"Game (USA).zip", "Game.png", "Game (USA).png", 1.625F},
        {"\xFF\xFE.zip", "\xFF\xFE.png", "\xFF\xFE.png", 2.0F},
        {"tab\there.zip", "", "", 0.0F},
        {"back\\slash\n.zip", "back\\slash\r.png", "back\\slash\n.png", 1.5F},
    };
    EXPECT_EQ(Written(rows, RowFormat::Tsv), "Game (USA).zip\tGame.png\tGame (USA).png\t1.625\n"
                                             "\xFF\xFE.zip\t\xFF\xFE.png\t\xFF\xFE.png\t2\n"
                                             "tab\\there.zip\t\t\t\n"
                                             "back\\\\slash\\n.zip\tback\\\\slash\\r.png\t"
                                             "back\\\\slash\\n.png\t1.5\n");
    EXPECT_EQ(Written({}, RowFormat::Tsv), "");
}

TEST(WriteRowsTest, CsvFollowsRfc4180) {
    const std::vector<ResultRow> rows = {
        {"plain.zip", "plain.png", "plain.png", 2.0F},
        {"Game, The (USA).zip", "Game, The.png", "Game, The (USA).png", 1.5F},
        {"say \"hi\".zip", "", "", 0.0F},
        {"line\nbreak.zip", "cr\rname.png", "line\nbreak.png", 1.25F},
        {"tab\t and \xFF.zip", " lead.png", "tab\t and \xFF.png", 1.5F},
    };
    EXPECT_EQ(Written(rows, RowFormat::Csv),
              "ROM Name,Closest Match,New Name,Score\r\n"
              "plain.zip,plain.png,plain.png,2\r\n"
              "\"Game, The (USA).zip\",\"Game, The.png\",\"Game, The (USA).png\",1.5\r\n"
              "\"say \"\"hi\"\".zip\",,,\r\n"
              "\"line\nbreak.zip\",\"cr\rname.png\",\"line\nbreak.png\",1.25\r\n"
              "tab\t and \xFF.zip, lead.png,tab\t and \xFF.png,1.5\r\n");
    EXPECT_EQ(Written({}, RowFormat::Csv), "ROM Name,Closest Match,New Name,Score\r\n");
}

TEST(JsonStringTest, ValidUtf8WithControlBytesEscaped) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", "Game (USA).png", "\"Game (USA).png\""},
        {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        {"control bytes", "\t\n\r\x01\x1F", "\"\\u0009\\u000a\\u000d\\u0001\\u001f\""},
        {"DEL needs no escape", "\x7F", "\"\x7F\""},
        {"two-byte UTF-8", "caf\xC3\xA9", "\"caf\xC3\xA9\""},
        {"four-byte UTF-8", "\xF0\x9F\x8E\xAE", "\"\xF0\x9F\x8E\xAE\""},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", "\"\xF4\x8F\xBF\xBF\""},
        // Every byte that is not part of a valid sequence becomes one U+FFFD.
        {"stray bytes", "\xFF\xFE.png", "\"" + fffd + fffd + ".png\""},
        {"lone continuation", "\x80", "\"" + fffd + "\""},
        {"overlong", "\xC0\x80", "\"" + fffd + fffd + "\""},
        {"overlong three bytes", "\xE0\x80\xAF", "\"" + fffd + fffd + fffd + "\""},
        {"surrogate", "\xED\xA0\x80", "\"" + fffd + fffd + fffd + "\""},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "\"" + fffd + fffd + fffd + fffd + "\""},
        {"cut short", "\xE2\x82x", "\"" + fffd + fffd + "x\""},
        {"cut short at the end", "a\xC3", "\"a" + fffd + "\""},
        {"empty", "", "\"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JsonString(c.text), c.expected);
    }
}

TEST(WriteRowsTest, JsonIsAnArrayOfObjects) {
    const std::vector<ResultRow> rows = {
        {"Game (USA).zip", "Game.png", "Game (USA).png", 1.625F},
        {"Other.zip", "", "", 0.0F},
    };
    EXPECT_EQ(Written(rows, RowFormat::Json),
              "[\n"
              "  {\"romName\": \"Game (USA).zip\", \"closestMatch\": \"Game.png\", "
              "\"newName\": \"Game (USA).png\", \"score\": 1.625},\n"
              "  {\"romName\": \"Other.zip\", \"closestMatch\": \"\", \"newName\": \"\", "
              "\"score\": null}\n"
              "]\n");
    EXPECT_EQ(Written({}, RowFormat::Json), "[]\n");
}

// A JSON parser that is not ours reads the output back; the test is skipped where there is none.
TEST(WriteRowsTest, JsonParsesWithAnIndependentReader) {
    const std::vector<ResultRow> rows = {
        {"\xFF\xFE.zip", "\xFF\xFE.png", "\xFF\xFE.png", 2.0F},
        {"ctl\x01\t\"\\.zip", "ctl.png", "ctl\x01\t\"\\.png", 1.7142857F},
        {"caf\xC3\xA9.zip", "", "", 0.0F},
    };
    const testing_support::TempDir dir;
    const std::string input = dir / "rows.json";
    const std::string output = dir / "reread.json";
    std::ofstream(input, std::ios::binary) << Written(rows, RowFormat::Json);
    const std::string command =
        "python3 -c 'import json, sys; "
        "print(json.dumps(json.load(open(sys.argv[1], encoding=\"utf-8\")), sort_keys=True))' '" +
        input + "' > '" + output + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    if (status != 0 && std::system("python3 -c pass 2>/dev/null") != 0) {
        GTEST_SKIP() << "python3 is not available to read the JSON back";
    }
    ASSERT_EQ(status, 0) << "python3 could not read the output as JSON";
    std::ifstream reread(output, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(reread), {}};
    EXPECT_EQ(text,
              "[{\"closestMatch\": \"\\ufffd\\ufffd.png\", \"newName\": \"\\ufffd\\ufffd.png\", "
              "\"romName\": \"\\ufffd\\ufffd.zip\", \"score\": 2}, "
              "{\"closestMatch\": \"ctl.png\", \"newName\": \"ctl\\u0001\\t\\\"\\\\.png\", "
              "\"romName\": \"ctl\\u0001\\t\\\"\\\\.zip\", \"score\": 1.7142857}, "
              "{\"closestMatch\": \"\", \"newName\": \"\", \"romName\": \"caf\\u00e9.zip\", "
              "\"score\": null}]\n");
}

TEST(WriteRowsTest, TableShowsControlBytesAsEscapes) {
    const std::vector<ResultRow> rows{{"\x1B[2Jx\t.zip", "", "", 0}};
    EXPECT_EQ(Written(rows, RowFormat::Table), "ROM Name        Closest Match  New Name  Score\n"
                                               "\\x1B[2Jx\\t.zip\n");
}

TEST(WriteRowsTest, TableAlignsColumnsByCharacters) {
    const std::vector<ResultRow> rows = {
        {"Alpha (USA).zip", "Alpha.png", "Alpha (USA).png", 1.625F},
        {"\xC3\x89mile.zip", "", "", 0.0F}, // nine characters in ten bytes
        {"tab\there.zip", "tab.png", "tab\there.png", 2.0F},
    };
    EXPECT_EQ(Written(rows, RowFormat::Table),
              "ROM Name         Closest Match  New Name         Score\n"
              "Alpha (USA).zip  Alpha.png      Alpha (USA).png  1.625\n"
              "\xC3\x89mile.zip\n"
              "tab\\there.zip    tab.png        tab\\there.png    2\n");
    EXPECT_EQ(Written({}, RowFormat::Table), "ROM Name  Closest Match  New Name  Score\n");
}

} // namespace
} // namespace tallowick::cli
