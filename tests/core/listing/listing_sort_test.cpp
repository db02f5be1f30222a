// SPDX-License-Identifier: MIT
#include "listing/file_listing.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(ComparePathsFoldedTest, FoldsOnlyAsciiUpperCase) {
    struct Case {
        std::string_view a;
        std::string_view b;
        int expected; // sign of the comparison
    };
    const Case cases[] = {
        {"ABC", "abc", 0},
        {"abc", "ABC", 0},
        {"ab", "abc", -1},
        {"", "", 0},
        {"", "a", -1},
        {"/r/_x", "/r/Ax", -1}, // '_' (0x5F) against 'a' (0x61) after
                                // folding
        {"/r/_x", "/r/ax", -1},
        {"[x", "A", -1},      // '[' (0x5B) lies between 'Z' and 'a' and is not
                              // folded
        {"@", "a", -1},       // nor is '@' (0x40), just below 'A'
        {"\xC9", "\xE9", -1}, // bytes from 0x80 up keep their values: no folding
        {"z", "\xC9", -1},    // and come after every ASCII letter
        {"Z", "\x80", -1},
        {"A2", "a10", 1}, // plain bytes, no numeric order
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " <=> " + std::string(c.b));
        EXPECT_EQ(Sign(ComparePathsFolded(c.a, c.b)), c.expected);
        EXPECT_EQ(Sign(ComparePathsFolded(c.b, c.a)), -c.expected);
    }
}

FileEntry Entry(std::string path, std::uint64_t lastWriteTime = 0, std::uint64_t size = 0) {
    FileEntry entry;
    entry.path = std::move(path);
    entry.lastWriteTime = lastWriteTime;
    entry.size = size;
    return entry;
}

std::vector<std::string> Paths(const std::vector<FileEntry>& entries) {
    std::vector<std::string> paths;
    for (const FileEntry& entry : entries) {
        paths.push_back(entry.path);
    }
    return paths;
}

constexpr std::uint64_t kHigh = std::uint64_t{1} << 32;

TEST(ListingSortTest, OrdersByEachKey) {
    // Paths, times and sizes all differ within each list, so every expected order is the only
    // right one.
    const std::vector<FileEntry> mixed = {
        Entry("/r/b.png", 30, 5),
        Entry("/r/_z.png", 10, 1),
        Entry("/r/C.png", 20, 2),
        Entry("/r/a.png", 40, 3),
    };
    const std::vector<FileEntry> times = {
        Entry("high1-low0", kHigh),
        Entry("high0-lowmax", 0xFFFF'FFFFU),
        Entry("high1-lowtop", kHigh + 0x8000'0000U),
        Entry("high1-low1", kHigh + 1),
    };
    const std::vector<FileEntry> sizes = {
        Entry("five-gib", 0, 5 * (kHigh / 4)),
        Entry("zero", 0, 0),
        Entry("four-gib-plus-one", 0, kHigh + 1),
        Entry("max", 0, UINT64_MAX),
    };
    struct Case {
        const char* name;
        std::vector<FileEntry> entries;
        int key;
        bool descending;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"path ascending",
         mixed,
         kSortByPath,
         false,
         {"/r/_z.png", "/r/a.png", "/r/b.png", "/r/C.png"}},
        {"path descending",
         mixed,
         kSortByPath,
         true,
         {"/r/C.png", "/r/b.png", "/r/a.png", "/r/_z.png"}},
        {"time ascending",
         mixed,
         kSortByLastWriteTime,
         false,
         {"/r/_z.png", "/r/C.png", "/r/b.png", "/r/a.png"}},
        {"time descending",
         mixed,
         kSortByLastWriteTime,
         true,
         {"/r/a.png", "/r/b.png", "/r/C.png", "/r/_z.png"}},
        {"size ascending",
         mixed,
         kSortBySize,
         false,
         {"/r/_z.png", "/r/C.png", "/r/a.png", "/r/b.png"}},
        {"size descending",
         mixed,
         kSortBySize,
         true,
         {"/r/b.png", "/r/a.png", "/r/C.png", "/r/_z.png"}},
        {"time: the high half decides first, then the low half unsigned",
         times,
         kSortByLastWriteTime,
         false,
         {"high0-lowmax", "high1-low0", "high1-low1", "high1-lowtop"}},
        {"size: all 64 bits count",
         sizes,
         kSortBySize,
         false,
         {"zero", "four-gib-plus-one", "five-gib", "max"}},
        {"key 0 leaves the order", mixed, 0, false, Paths(mixed)},
        {"key 4 leaves the order", mixed, 4, true, Paths(mixed)},
        {"a negative key leaves the order", mixed, -1, false, Paths(mixed)},
        {"empty list", {}, kSortByPath, false, {}},
        {"one entry", {Entry("only")}, kSortBySize, true, {"only"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFileListing listing;
        listing.m_entries = c.entries;
        EXPECT_TRUE(listing.Sort(c.key, c.descending));
        EXPECT_EQ(Paths(listing.m_entries), c.expected);
    }
}

TEST(ListingSortTest, EqualSizesDescending) {
    CFileListing listing;
    for (const std::uint64_t size : {1, 5, 2, 5}) {
        listing.m_entries.push_back(Entry("f", 0, size));
    }
    listing.Sort(kSortBySize, true);
    std::vector<std::uint64_t> sizes;
    for (const FileEntry& entry : listing.m_entries) {
        sizes.push_back(entry.size);
    }
    EXPECT_EQ(sizes, (std::vector<std::uint64_t>{5, 5, 2, 1}));
}

TEST(ListingSortTest, CaseVariantsOfOnePathSortAsEqual) {
    CFileListing listing;
    listing.m_entries = {Entry("/r/b"), Entry("/r/ABC"), Entry("/r/a"), Entry("/r/abc")};
    listing.Sort(kSortByPath, false);
    const auto paths = Paths(listing.m_entries);
    ASSERT_EQ(paths.size(), 4U);
    EXPECT_EQ(paths[0], "/r/a");
    EXPECT_EQ(ComparePathsFolded(paths[1], "/r/abc"), 0);
    EXPECT_EQ(ComparePathsFolded(paths[2], "/r/abc"), 0);
    EXPECT_NE(paths[1], paths[2]);
    EXPECT_EQ(paths[3], "/r/b");
}

TEST(ListingSortTest, LeavesTheFoldersAlone) {
    CFileListing listing;
    listing.m_strFolder = "/z";
    listing.m_folders = {"/z", "/a"};
    listing.m_entries = {Entry("/z/b"), Entry("/z/a")};
    listing.Sort(kSortByPath, false);
    EXPECT_EQ(listing.m_strFolder, "/z");
    EXPECT_EQ(listing.m_folders, (std::vector<std::string>{"/z", "/a"}));
}

} // namespace
} // namespace tallowick
