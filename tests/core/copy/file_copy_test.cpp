// SPDX-License-Identifier: MIT
#include "copy/file_copy.h"
#include "copy_folders.h"
#include "folder_contents.h"
#include "temp_dir.h"

#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

using testing_support::NamesIn;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace fs = std::filesystem;

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info;
}

std::string BinaryContent(std::size_t size) {
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        content[i] = static_cast<char>((i * 131U + i / 977U) & 0xFFU);
    }
    return content;
}

using FileCopyTest = testing_support::CopyFolders;

struct ContentCase {
    const char* label;
    std::string sourceName;
    std::string newName;
    std::string content;
};

void PrintTo(const ContentCase& c, std::ostream* out) {
    *out << c.label;
}

class CopiedContentTest : public FileCopyTest, public testing::WithParamInterface<ContentCase> {};

TEST_P(CopiedContentTest, TargetGetsContentModeAndTime) {
    const ContentCase& c = GetParam();
    AddSource(c.sourceName, c.content);
    ASSERT_EQ(chmod(Source(c.sourceName).c_str(), 0640), 0);
    const struct timespec times[2] = {{1'000'000'000, 0}, {1'234'567'890, 123'456'789}};
    ASSERT_EQ(utimensat(AT_FDCWD, Source(c.sourceName).c_str(), times, 0), 0);
    AddTarget(c.newName, "old content that is longer than some of the new ones");

    const CopyOutcome outcome = CopyFileInto(Source(c.sourceName), Dest(), c.newName);

    ASSERT_EQ(outcome.status, CopyStatus::Copied) << outcome.reason;
    EXPECT_EQ(ReadFile(Target(c.newName)), c.content);
    const struct stat info = StatOf(Target(c.newName));
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    EXPECT_EQ(info.st_mtim.tv_sec, 1'234'567'890);
    EXPECT_EQ(info.st_mtim.tv_nsec, 123'456'789);
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{c.newName}) << "a temporary file is left";
    EXPECT_EQ(ReadFile(Source(c.sourceName)), c.content);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, CopiedContentTest,
    testing::Values(ContentCase{"Empty", "a.png", "b.png", ""},
                    ContentCase{"Small", "shot.png", "Game (USA).png", "new"},
                    ContentCase{"SeveralMiB", "big.bin", "big copy.bin", BinaryContent(5'000'123)},
                    ContentCase{"NotUtf8Name", "\xff\xfe.png", "\xc3\x28 (J).png", "bytes"}),
    [](const auto& param) { return std::string(param.param.label); });

TEST_F(FileCopyTest, CopyOntoItselfIsRefusedAndSourceStaysIntact) {
    const std::string content = BinaryContent(70'000);
    AddSource("game.png", content);
    ASSERT_EQ(link(Source("game.png").c_str(), Target("hard link.png").c_str()), 0);
    m_root.AddLink("src link", m_root / "src");

    struct Case {
        std::string destFolder;
        std::string newName;
    };
    for (const Case& c : {Case{m_root / "src", "game.png"}, Case{m_root / "src/", "game.png"},
                          Case{m_root / "src link", "game.png"}, Case{Dest(), "hard link.png"}}) {
        SCOPED_TRACE(c.destFolder + " + " + c.newName);
        const CopyOutcome outcome = CopyFileInto(Source("game.png"), c.destFolder, c.newName);
        EXPECT_EQ(outcome.status, CopyStatus::Failed);
        EXPECT_NE(outcome.reason.find("itself"), std::string::npos) << outcome.reason;
        EXPECT_EQ(ReadFile(Source("game.png")), content);
    }
    EXPECT_EQ(NamesIn(m_root / "src"), std::vector<std::string>{"game.png"});
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{"hard link.png"});
}

TEST_F(FileCopyTest, NewNameThatIsNoPlainFileNameWritesNothing) {
    AddSource("shot.png", "content");
    m_root.AddFolder("dest/a");
    const std::string names[] = {"../x", "a/b", "", ".", "..", "/x", "x/", std::string("x\0y", 3)};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const CopyOutcome outcome = CopyFileInto(Source("shot.png"), Dest(), name);
        EXPECT_EQ(outcome.status, CopyStatus::Failed);
        EXPECT_NE(outcome.reason.find("new name cannot be used"), std::string::npos)
            << outcome.reason;
    }
    EXPECT_EQ(NamesIn(m_root.Path()), (std::vector<std::string>{"dest", "src"}));
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{"a"});
    EXPECT_TRUE(NamesIn(m_root / "dest/a").empty());
}

TEST_F(FileCopyTest, FailuresGiveTheSystemsReasonAndKeepTheTarget) {
    AddSource("shot.png", "new");
    m_root.AddFile("plain file", "not a folder");
    m_root.AddFolder("dest/folder.png");
    m_root.AddFile("dest/folder.png/inside", "kept");
    AddTarget("old.png", "old");

    struct Case {
        const char* label;
        std::string source;
        std::string destFolder;
        std::string newName;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"missing source", Source("gone.png"), Dest(), "old.png", "No such file or directory"},
        {"source is a folder", m_root / "src", Dest(), "old.png", "Is a directory"},
        {"missing destination", Source("shot.png"), m_root / "no such folder", "old.png",
         "No such file or directory"},
        {"destination under a file", Source("shot.png"), m_root / "plain file/dest", "old.png",
         "Not a directory"},
        {"destination is a file", Source("shot.png"), m_root / "plain file", "old.png",
         "Not a directory"},
        {"target is a folder", Source("shot.png"), Dest(), "folder.png", "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const CopyOutcome outcome = CopyFileInto(c.source, c.destFolder, c.newName);
        EXPECT_EQ(outcome.status, CopyStatus::Failed);
        EXPECT_NE(outcome.reason.find(c.reasonPart), std::string::npos) << outcome.reason;
    }
    EXPECT_EQ(ReadFile(Target("old.png")), "old");
    EXPECT_EQ(ReadFile(m_root / "dest/folder.png/inside"), "kept");
    EXPECT_EQ(NamesIn(Dest()), (std::vector<std::string>{"folder.png", "old.png"}));
    EXPECT_EQ(ReadFile(m_root / "plain file"), "not a folder");
}

// Sets the immutable flag on a file and clears it again, so that the folder can be removed
// whatever the test did.
class ImmutableFlag {
public:
    explicit ImmutableFlag(const std::string& path) : m_fd(open(path.c_str(), O_RDONLY)) {
        m_set = m_fd >= 0 && ChangeFlag(true);
    }
    ~ImmutableFlag() {
        if (m_set) {
            ChangeFlag(false);
        }
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    ImmutableFlag(const ImmutableFlag&) = delete;
    ImmutableFlag& operator=(const ImmutableFlag&) = delete;
    bool IsSet() const { return m_set; }

private:
    bool ChangeFlag(bool on) const {
        int flags = 0;
        if (ioctl(m_fd, FS_IOC_GETFLAGS, &flags) != 0) {
            return false;
        }
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        return ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
    }

    int m_fd;
    bool m_set = false;
};

// The rename over the target is the last step; when it fails, the copy made so far must go.
TEST_F(FileCopyTest, TargetThatCannotBeReplacedKeepsOldContentAndNoTemporaryFile) {
    AddSource("shot.png", "new");
    AddTarget("old.png", "old");
    const ImmutableFlag immutable(Target("old.png"));
    if (!immutable.IsSet()) {
        GTEST_SKIP() << "cannot make a file immutable here (needs CAP_LINUX_IMMUTABLE and a file "
                        "system with the flag), and nothing else stops root from replacing it";
    }

    const CopyOutcome outcome = CopyFileInto(Source("shot.png"), Dest(), "old.png");

    EXPECT_EQ(outcome.status, CopyStatus::Failed);
    EXPECT_NE(outcome.reason.find("Operation not permitted"), std::string::npos) << outcome.reason;
    EXPECT_EQ(ReadFile(Target("old.png")), "old");
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{"old.png"});
}

TEST_F(FileCopyTest, SymbolicLinkTargetIsReplacedNotWrittenThrough) {
    AddSource("shot.png", "new");
    m_root.AddFile("outside.png", "outside");
    m_root.AddLink("dest/link.png", m_root / "outside.png");

    const CopyOutcome outcome = CopyFileInto(Source("shot.png"), Dest(), "link.png");

    ASSERT_EQ(outcome.status, CopyStatus::Copied) << outcome.reason;
    EXPECT_TRUE(S_ISREG(StatOf(Target("link.png")).st_mode));
    EXPECT_EQ(ReadFile(Target("link.png")), "new");
    EXPECT_EQ(ReadFile(m_root / "outside.png"), "outside");
}

TEST_F(FileCopyTest, KeepExistingLeavesTargetsThatExist) {
    AddSource("shot.png", "new");
    AddTarget("old.png", "old");
    m_root.AddLink("dest/dangling.png", m_root / "nowhere");
    const CopyOptions keep{.keepExisting = true};

    EXPECT_EQ(CopyFileInto(Source("shot.png"), Dest(), "old.png", keep).status,
              CopyStatus::SkippedExisting);
    EXPECT_EQ(CopyFileInto(Source("shot.png"), Dest(), "dangling.png", keep).status,
              CopyStatus::SkippedExisting);
    EXPECT_EQ(CopyFileInto(Source("shot.png"), Dest(), "fresh.png", keep).status,
              CopyStatus::Copied);

    EXPECT_EQ(ReadFile(Target("old.png")), "old");
    EXPECT_TRUE(fs::is_symlink(Target("dangling.png")));
    EXPECT_EQ(ReadFile(Target("fresh.png")), "new");
}

TEST_F(FileCopyTest, DryRunChecksButWritesNothing) {
    AddSource("shot.png", "new");
    AddTarget("old.png", "old");
    const CopyOptions dry{.dryRun = true};

    EXPECT_EQ(CopyFileInto(Source("shot.png"), Dest(), "old.png", dry).status, CopyStatus::Copied);
    EXPECT_EQ(CopyFileInto(Source("shot.png"), Dest(), "new.png", dry).status, CopyStatus::Copied);
    EXPECT_EQ(CopyFileInto(Source("gone.png"), Dest(), "new.png", dry).status, CopyStatus::Failed);
    EXPECT_EQ(CopyFileInto(Source("shot.png"), Dest(), "..", dry).status, CopyStatus::Failed);

    EXPECT_EQ(ReadFile(Target("old.png")), "old");
    EXPECT_EQ(NamesIn(Dest()), std::vector<std::string>{"old.png"});
}

TEST_F(FileCopyTest, NamedPipeSourceIsRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo(Source("pipe.png").c_str(), 0600), 0);

    const CopyOutcome outcome = CopyFileInto(Source("pipe.png"), Dest(), "pipe.png");

    EXPECT_EQ(outcome.status, CopyStatus::Failed);
    EXPECT_NE(outcome.reason.find("not a regular file"), std::string::npos) << outcome.reason;
    EXPECT_TRUE(NamesIn(Dest()).empty());
}

TEST(DestinationFolderErrorTest, TellsWhyAFolderCannotTakeCopies) {
    const TempDir root;
    root.AddFile("file", "x");
    EXPECT_EQ(DestinationFolderError(root.Path()), std::nullopt);
    EXPECT_EQ(DestinationFolderError(root / "missing"), "No such file or directory");
    EXPECT_EQ(DestinationFolderError(root / "file"), "Not a directory");
    EXPECT_EQ(DestinationFolderError(root / "file/below"), "Not a directory");
    EXPECT_TRUE(DestinationFolderError(""));
}

} // namespace
} // namespace tallowick
