// SPDX-License-Identifier: MIT
#include "listing/file_listing.h"
#include "temp_dir.h"

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

using testing_support::TempDir;

TEST(StripTrailingSeparatorTest, RemovesTrailingSeparatorsAndTheBlanksAroundThem) {
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"/games/roms/", "/games/roms"},
        {"/srv/roms//", "/srv/roms"},
        {"/x//  ", "/x"},
        {"/x/ \t\n\v\f\r", "/x"},
        {"/x/ /", "/x"},
        {"relative/", "relative"},
        // White space with no separator after it stays, and so does a separator inside the text.
        {"/x ", "/x "},
        {"/x/ y", "/x/ y"},
        {"  ", "  "},
        // Only the six ASCII blanks count: a no-break space (0xA0) is a name byte.
        {"/x/\xA0", "/x/\xA0"},
        // A backslash is an ordinary name byte, never a separator.
        {"a\\/", "a\\"},
        {"C:\\x\\", "C:\\x\\"},
        {"\\", "\\"},
        {"", ""},
        {"name", "name"},
        // The root keeps its one separator, whatever stood after it.
        {"/", "/"},
        {"//", "/"},
        {"///", "/"},
        {"/  ", "/"},
        {"/ /", "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("path '" + c.path + "'");
        std::string path = c.path;
        StripTrailingSeparator(path);
        EXPECT_EQ(path, c.expected);
    }
}

std::vector<std::string> SortedPaths(const CFileListing& listing) {
    auto paths = PathsOf(listing);
    std::sort(paths.begin(), paths.end());
    return paths;
}

const FileEntry* FindEntry(const CFileListing& listing, const std::string& path) {
    const auto found = std::find_if(listing.m_entries.begin(), listing.m_entries.end(),
                                    [&](const FileEntry& entry) { return entry.path == path; });
    return found == listing.m_entries.end() ? nullptr : &*found;
}

class FileListingTest : public testing::Test {
protected:
    // Lists m_dir the way the program does with the given flags.
    CFileListing List(bool includeFiles, bool includeFolders) const {
        CFileListing listing;
        listing.SetFolder(m_dir.Path(), false);
        EXPECT_TRUE(listing.Find("*.*", includeFiles, includeFolders));
        return listing;
    }

    TempDir m_dir;
};

TEST_F(FileListingTest, FilesAndFoldersAsTheFlagsAsk) {
    m_dir.AddFile("game.zip", "data");
    m_dir.AddFile(".hidden");
    m_dir.AddFile("README");
    m_dir.AddFolder("sub");
    m_dir.AddFile("sub/inner.zip");
    m_dir.AddFolder(".config");
    const std::string file = m_dir / "game.zip";
    const std::string hidden = m_dir / ".hidden";
    const std::string noDot = m_dir / "README";
    const std::string sub = m_dir / "sub";
    const std::string hiddenSub = m_dir / ".config";

    struct Case {
        const char* name;
        bool includeFiles;
        bool includeFolders;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"files only: subfolders and their contents stay out", true, false, {hidden, file, noDot}},
        {"folders only", false, true, {hiddenSub, sub}},
        {"both", true, true, {hidden, hiddenSub, file, noDot, sub}},
        {"neither", false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CFileListing listing = List(c.includeFiles, c.includeFolders);
        auto expected = c.expected;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(SortedPaths(listing), expected);
        for (const FileEntry& entry : listing.m_entries) {
            const bool folder = entry.path == sub || entry.path == hiddenSub;
            EXPECT_EQ(entry.isFolder, folder) << entry.path;
            EXPECT_EQ((entry.attributes & kAttributeFolder) != 0, folder) << entry.path;
        }
    }
}

TEST_F(FileListingTest, NamesComeBackByteForByte) {
    const std::vector<std::string> names = {
        "with space.png",
        "tab\there.png",
        "new\nline.png",
        "carriage\rreturn.png",
        "Game [!].png",
        "Game (USA).png",
        "\xFF\xFE.png",    // not UTF-8
        "caf\xC3\xA9.png", // UTF-8
        "back\\slash.png", // an ordinary byte here
        "trailing blank ", // kept, not trimmed
        " leading blank.png",
        "-dash.png",
        "*.*",                 // wildcard bytes in a name are just bytes
        std::string(255, 'n'), // the longest name the file system allows
        std::string(251, 'x') + ".png",
    };
    std::vector<std::string> expected;
    for (const std::string& name : names) {
        m_dir.AddFile(name);
        expected.push_back(m_dir.Path() + '/' + name);
    }
    std::sort(expected.begin(), expected.end());

    EXPECT_EQ(SortedPaths(List(true, false)), expected);
}

TEST_F(FileListingTest, PatternSelectsNames) {
    m_dir.AddFile("a.png");
    m_dir.AddFile("b.zip");
    m_dir.AddFile("no_dot");
    struct Case {
        const char* pattern;
        std::vector<std::string> expected; // sorted
    };
    const Case cases[] = {
        {"*.*", {m_dir / "a.png", m_dir / "b.zip", m_dir / "no_dot"}},
        {"*", {m_dir / "a.png", m_dir / "b.zip", m_dir / "no_dot"}},
        {"*.png", {m_dir / "a.png"}},
        {"n?_*", {m_dir / "no_dot"}},
        {"*.gif", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        CFileListing listing;
        listing.SetFolder(m_dir.Path(), false);
        EXPECT_TRUE(listing.Find(c.pattern, true, false));
        EXPECT_EQ(SortedPaths(listing), c.expected);
    }
}

TEST_F(FileListingTest, TrailingSeparatorsAreStrippedAndTheJointIsOneSlash) {
    m_dir.AddFile("a.zip");
    CFileListing listing;
    listing.SetFolder(m_dir.Path() + "///  ", false);
    EXPECT_EQ(listing.m_strFolder, m_dir.Path());
    EXPECT_EQ(listing.m_folders, std::vector<std::string>{m_dir.Path()});
    listing.Find("*.*", true, false);
    EXPECT_EQ(PathsOf(listing), std::vector<std::string>{m_dir / "a.zip"});
}

TEST(FileListingRootTest, RootFolderIsListedWithASingleSlash) {
    CFileListing listing;
    listing.SetFolder("/", false);
    EXPECT_EQ(listing.m_folders, std::vector<std::string>{"/"});
    EXPECT_TRUE(listing.Find("*.*", false, true));
    ASSERT_NE(FindEntry(listing, "/tmp"), nullptr);
    for (const FileEntry& entry : listing.m_entries) {
        EXPECT_NE(entry.path.substr(0, 2), "//") << entry.path;
    }
}

TEST(FileListingEmptyFolderTest, EmptyFolderStringListsNothing) {
    for (const bool includeSubfolders : {false, true}) {
        SCOPED_TRACE(includeSubfolders ? "with subfolders" : "without subfolders");
        CFileListing listing;
        listing.SetFolder("", includeSubfolders);
        EXPECT_EQ(listing.m_folders, std::vector<std::string>{""});
        EXPECT_TRUE(listing.Find("*.*", true, true));
        EXPECT_TRUE(listing.m_entries.empty());
    }
    std::vector<std::string> folders;
    EXPECT_TRUE(CollectSubfolders(folders, ""));
    EXPECT_TRUE(folders.empty());
}

TEST_F(FileListingTest, UnreadableFoldersContributeNothing) {
    m_dir.AddFile("plain.txt");
    struct Case {
        const char* name;
        std::string folder;
    };
    const Case cases[] = {
        {"missing", m_dir / "missing"},
        {"a file, not a folder", m_dir / "plain.txt"},
        // opendir fails with ENOTDIR here, for root too.
        {"below a file", m_dir / "plain.txt/sub"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFileListing listing;
        listing.m_entries = {FileEntry{.path = "kept"}};
        listing.SetFolder(c.folder, true);
        EXPECT_EQ(listing.m_folders, std::vector<std::string>{c.folder});
        EXPECT_TRUE(listing.Find("*.*", true, true));
        ASSERT_EQ(listing.m_entries.size(), 1U);
        EXPECT_EQ(listing.m_entries[0].path, "kept");
    }
}

TEST_F(FileListingTest, FolderWithoutReadPermissionContributesNothing) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root; the ENOTDIR cases cover the failure";
    }
    const std::string locked = m_dir.AddFolder("locked");
    m_dir.AddFile("locked/inside.txt");
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    CFileListing listing;
    listing.SetFolder(locked, true);
    EXPECT_TRUE(listing.Find("*.*", true, true));
    chmod(locked.c_str(), 0755);
    EXPECT_TRUE(listing.m_entries.empty());
    EXPECT_EQ(listing.m_folders, std::vector<std::string>{locked});
}

TEST_F(FileListingTest, SetFolderTwiceListsBoth) {
    const std::string first = m_dir.AddFolder("first");
    const std::string second = m_dir.AddFolder("second");
    m_dir.AddFile("first/one.zip");
    m_dir.AddFile("second/two.zip");
    CFileListing listing;
    listing.SetFolder(first, false);
    listing.SetFolder(second + "/", false);
    EXPECT_EQ(listing.m_strFolder, second);
    EXPECT_EQ(listing.m_folders, (std::vector<std::string>{first, second}));
    listing.Find("*.*", true, false);
    EXPECT_EQ(PathsOf(listing),
              (std::vector<std::string>{first + "/one.zip", second + "/two.zip"}));

    // Find appends; the clear operations empty one list each.
    listing.Find("*.*", true, false);
    EXPECT_EQ(listing.m_entries.size(), 4U);
    EXPECT_TRUE(listing.ClearEntries());
    EXPECT_TRUE(listing.m_entries.empty());
    EXPECT_EQ(listing.m_folders.size(), 2U);
    EXPECT_TRUE(listing.ClearFolders());
    EXPECT_TRUE(listing.m_folders.empty());
    EXPECT_TRUE(listing.Find("*.*", true, false));
    EXPECT_TRUE(listing.m_entries.empty());
}

// True when every folder comes right after the whole of its own subtree: depth first, each
// folder after its subfolders.
bool IsDepthFirstPostOrder(const std::vector<std::string>& folders) {
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::string prefix = folders[i] + '/';
        const auto below = [&](const std::string& f) { return f.starts_with(prefix); };
        const auto count =
            static_cast<std::size_t>(std::count_if(folders.begin(), folders.end(), below));
        if (count > i || !std::all_of(folders.begin() + static_cast<std::ptrdiff_t>(i - count),
                                      folders.begin() + static_cast<std::ptrdiff_t>(i), below)) {
            return false;
        }
    }
    return true;
}

TEST_F(FileListingTest, CollectSubfoldersWalksDepthFirst) {
    for (const char* folder : {"A", "A/B", "A/B/D", "A/B/D/E", "A/C", "A/C/F", "A/G"}) {
        m_dir.AddFolder(folder);
    }
    m_dir.AddFile("A/B/file.zip");
    const std::string a = m_dir / "A";

    std::vector<std::string> folders;
    EXPECT_TRUE(CollectSubfolders(folders, a));
    auto sorted = folders;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{a + "/B", a + "/B/D", a + "/B/D/E", a + "/C",
                                                a + "/C/F", a + "/G"}));
    EXPECT_TRUE(IsDepthFirstPostOrder(folders)) << testing::PrintToString(folders);

    CFileListing listing;
    listing.SetFolder(a + "/", true);
    ASSERT_FALSE(listing.m_folders.empty());
    EXPECT_EQ(listing.m_folders.back(), a);
    EXPECT_EQ(listing.m_folders.size(), folders.size() + 1);
    EXPECT_TRUE(IsDepthFirstPostOrder(listing.m_folders));
    listing.Find("*.*", true, false);
    EXPECT_EQ(PathsOf(listing), std::vector<std::string>{a + "/B/file.zip"});
}

TEST(DepthFirstCheckTest, RejectsParentBeforeChildAndSplitSubtrees) {
    EXPECT_TRUE(IsDepthFirstPostOrder({"A/B/D", "A/B", "A/C"}));
    EXPECT_FALSE(IsDepthFirstPostOrder({"A/B", "A/B/D", "A/C"}));
    EXPECT_FALSE(IsDepthFirstPostOrder({"A/B/D", "A/C", "A/B"}));
}

TEST_F(FileListingTest, CollectSubfoldersOfAnUnreadableFolderAppendsNothing) {
    m_dir.AddFile("plain.txt");
    std::vector<std::string> folders = {"earlier"};
    EXPECT_TRUE(CollectSubfolders(folders, m_dir / "missing"));
    EXPECT_TRUE(CollectSubfolders(folders, m_dir / "plain.txt/sub"));
    EXPECT_EQ(folders, std::vector<std::string>{"earlier"});
}

TEST_F(FileListingTest, LinksAreListedAsWhatTheyPointTo) {
    m_dir.AddFile("target.png", "12345");
    m_dir.AddFolder("folder");
    m_dir.AddLink("to-file.png", "target.png");
    m_dir.AddLink("to-folder", "folder");
    m_dir.AddLink("dangling.png", "nowhere.png");
    m_dir.AddLink("self", "self"); // a loop: resolving it fails with ELOOP

    const CFileListing listing = List(true, true);
    EXPECT_EQ(listing.m_entries.size(), 6U);
    struct Case {
        const char* name;
        bool isFolder;
    };
    const Case cases[] = {
        {"to-file.png", false},
        {"to-folder", true},
        {"dangling.png", false},
        {"self", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FileEntry* entry = FindEntry(listing, m_dir / c.name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->isFolder, c.isFolder);
        EXPECT_EQ((entry->attributes & kAttributeFolder) != 0, c.isFolder);
    }
    EXPECT_EQ(FindEntry(listing, m_dir / "to-file.png")->size, 5U);
}

TEST_F(FileListingTest, SubfolderWalkDoesNotFollowLinks) {
    m_dir.AddFolder("top");
    m_dir.AddFolder("top/sub");
    m_dir.AddLink("top/sub/up", "..");  // back to top: following it would never end
    m_dir.AddLink("top/sub/here", "."); // to itself
    m_dir.AddLink("top/self", "self");
    m_dir.AddFile("top/sub/shot.png");
    const std::string top = m_dir / "top";

    CFileListing listing;
    listing.SetFolder(top, true);
    EXPECT_EQ(listing.m_folders, (std::vector<std::string>{top + "/sub", top}));
    EXPECT_TRUE(listing.Find("*.*", true, true));
    EXPECT_EQ(SortedPaths(listing),
              (std::vector<std::string>{top + "/self", top + "/sub", top + "/sub/here",
                                        top + "/sub/shot.png", top + "/sub/up"}));
}

} // namespace
} // namespace tallowick
