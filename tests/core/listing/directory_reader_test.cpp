// SPDX-License-Identifier: MIT
#include "listing/directory_reader.h"
#include "listing/file_listing.h"
#include "temp_dir.h"

#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

using testing_support::TempDir;

TEST(ToFileTimeTest, CountsHundredNanosecondsSince1601) {
    struct Case {
        std::int64_t seconds;
        std::uint32_t nanoseconds;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {0, 0, 116'444'736'000'000'000},  // 1970-01-01
        {0, 99, 116'444'736'000'000'000}, // below 100 ns is dropped
        {0, 999'999'999, 116'444'736'009'999'999},
        {1'000'000'000, 123'456'789, 126'444'736'001'234'567}, // 2001-09-09 01:46:40.1234567
        {-11'644'473'600, 0, 0},                               // 1601-01-01
        {-1, 0, 116'444'735'990'000'000},                      // before 1970
        {4'102'444'800, 0, 157'469'184'000'000'000}, // 2100-01-01: past 32 bits of seconds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.seconds) + " s " + std::to_string(c.nanoseconds) + " ns");
        EXPECT_EQ(ToFileTime(c.seconds, c.nanoseconds), c.expected);
    }
}

TEST(FolderPrefixTest, EndsInExactlyOneSlash) {
    struct Case {
        std::string folder;
        std::string expected;
    };
    const Case cases[] = {
        {"/srv/roms", "/srv/roms/"},
        {"/srv/roms//", "/srv/roms/"},
        {"/", "/"},
        {"//", "/"},
        {"rel", "rel/"},
        {"/x ", "/x /"},
        {"", "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("folder '" + c.folder + "'");
        EXPECT_EQ(FolderPrefix(c.folder), c.expected);
    }
}

// The one entry that listing `folder` with files and folders gives for `name`.
FileEntry ListedEntry(const TempDir& dir, const std::string& name) {
    CFileListing listing;
    listing.SetFolder(dir.Path(), false);
    listing.Find(name, true, true);
    EXPECT_EQ(listing.m_entries.size(), 1U) << name;
    return listing.m_entries.empty() ? FileEntry{} : listing.m_entries.front();
}

TEST(ListedEntryTest, AttributeWord) {
    TempDir dir;
    dir.AddFile("plain.png");
    dir.AddFile(".hidden.png");
    chmod(dir.AddFile("locked.png").c_str(), 0444);
    chmod(dir.AddFile(".locked").c_str(), 0400);
    dir.AddFolder("folder");
    dir.AddFolder(".git");
    chmod(dir.AddFolder("shut").c_str(), 0555);
    struct Case {
        const char* name;
        std::uint32_t attributes;
    };
    const Case cases[] = {
        {"plain.png", 0x80},   // none of the others: "normal"
        {".hidden.png", 0x02}, // a leading dot hides
        {"locked.png", 0x01},  // no write bit for anyone
        {".locked", 0x03},     {"folder", 0x10}, {".git", 0x12}, {"shut", 0x11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FileEntry entry = ListedEntry(dir, c.name);
        EXPECT_EQ(entry.attributes, c.attributes);
        EXPECT_EQ(entry.isFolder, (c.attributes & kAttributeFolder) != 0);
        EXPECT_EQ(entry.reserved, 0U);
    }
}

TEST(ListedEntryTest, SizesAreSixtyFourBit) {
    TempDir dir;
    dir.AddFile("empty.png");
    dir.AddFile("small.png", "0123456789");
    // A sparse file: its size is set without writing, so it takes no disk space.
    constexpr std::uint64_t kFiveGiB = std::uint64_t{5} << 30;
    const std::string big = dir.AddFile("big.iso");
    const int fd = open(big.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const bool grown = ftruncate(fd, static_cast<off_t>(kFiveGiB)) == 0;
    close(fd);
    if (!grown) {
        GTEST_SKIP() << "this file system does not take a 5 GiB sparse file";
    }
    EXPECT_EQ(ListedEntry(dir, "empty.png").size, 0U);
    EXPECT_EQ(ListedEntry(dir, "small.png").size, 10U);
    EXPECT_EQ(ListedEntry(dir, "big.iso").size, kFiveGiB);
}

TEST(ListedEntryTest, LastWriteTimeInHundredNanoseconds) {
    TempDir dir;
    const std::string path = dir.AddFile("dated.png");
    // 2001-09-09 01:46:40.123456789 UTC
    const timespec times[2] = {{1'000'000'000, 0}, {1'000'000'000, 123'456'789}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(ListedEntry(dir, "dated.png").lastWriteTime, 126'444'736'001'234'567U);
}

TEST(ListedEntryTest, CreationTimeIsRecent) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::uint64_t nowFileTime =
        ToFileTime(std::chrono::duration_cast<std::chrono::seconds>(now).count(), 0);
    constexpr std::uint64_t kMinute = 60 * 10'000'000ULL;
    TempDir dir;
    dir.AddFile("new.png");
    const std::uint64_t created = ListedEntry(dir, "new.png").creationTime;
    EXPECT_GT(created, nowFileTime - kMinute);
    EXPECT_LT(created, nowFileTime + kMinute);
}

TEST(DirectoryReaderTest, OpenErrorNamesTheCause) {
    TempDir dir;
    const std::string file = dir.AddFile("plain.txt");
    EXPECT_EQ(DirectoryReader::OpenError(dir.Path()), std::nullopt);
    EXPECT_EQ(DirectoryReader::OpenError(dir / "missing"), "No such file or directory");
    EXPECT_EQ(DirectoryReader::OpenError(file), "Not a directory");
    EXPECT_EQ(DirectoryReader::OpenError(file + "/sub"), "Not a directory");
    EXPECT_EQ(DirectoryReader::OpenError(""), "no folder given");
}

} // namespace
} // namespace tallowick
