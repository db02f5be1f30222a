// SPDX-License-Identifier: MIT
// Copies that meet the limits of the machine: a full disk, a file size limit, a folder without
// write permission, a file too large for 32-bit offsets.
#include "copy/file_copy.h"
#include "copy/file_descriptor.h"
#include "folder_contents.h"
#include "temp_dir.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tallowick {
namespace {

using testing_support::NamesIn;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace fs = std::filesystem;

constexpr std::size_t kSourceSize = 1 << 20;

// A small tmpfs mounted on a new folder for as long as the object lives.
class Tmpfs {
public:
    Tmpfs(const std::string& folder, const char* size) : m_folder(folder) {
        fs::create_directory(folder);
        const std::string options = std::string("size=") + size;
        m_mounted = mount("tallowick-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                          options.c_str()) == 0;
    }
    ~Tmpfs() {
        if (m_mounted) {
            umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;
    bool IsMounted() const { return m_mounted; }

private:
    std::string m_folder;
    bool m_mounted = false;
};

TEST(FullDiskTest, LeavesTheOldTargetAndNoTemporaryFile) {
    const TempDir root;
    const Tmpfs disk(root / "small disk", "64k");
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root and mount rights); "
                        "FileSizeLimitTest covers the failed write instead";
    }
    root.AddFile("shot.png", std::string(kSourceSize, 'n'));
    root.AddFile("small disk/old.png", "old");

    const CopyOutcome outcome = CopyFileInto(root / "shot.png", root / "small disk", "old.png");

    EXPECT_EQ(outcome.status, CopyStatus::Failed);
    EXPECT_EQ(outcome.error, ENOSPC);
    EXPECT_NE(outcome.reason.find("No space left on device"), std::string::npos) << outcome.reason;
    EXPECT_EQ(ReadFile(root / "small disk/old.png"), "old");
    EXPECT_EQ(NamesIn(root / "small disk"), std::vector<std::string>{"old.png"});
}

// Between two file systems the kernel may not copy by itself; reads and writes take over, and
// holes stay holes.
TEST(OtherFileSystemTest, CopiesContentAndHoles) {
    const TempDir root;
    const Tmpfs disk(root / "other disk", "16m");
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root and mount rights)";
    }
    std::string content(3 << 20, '\0');
    content.replace(0, 4, "head");
    content.replace(content.size() - 4, 4, "tail");
    {
        const FileDescriptor source(open((root / "holes.bin").c_str(), O_WRONLY | O_CREAT, 0644));
        ASSERT_TRUE(source.IsOpen());
        ASSERT_EQ(ftruncate(source.Get(), static_cast<off_t>(content.size())), 0);
        ASSERT_EQ(pwrite(source.Get(), "head", 4, 0), 4);
        ASSERT_EQ(pwrite(source.Get(), "tail", 4, static_cast<off_t>(content.size() - 4)), 4);
    }
    root.AddFile("dense.bin", std::string(5 << 20, 'd'));

    const CopyOutcome holes = CopyFileInto(root / "holes.bin", root / "other disk", "holes.bin");
    const CopyOutcome dense = CopyFileInto(root / "dense.bin", root / "other disk", "dense.bin");

    ASSERT_EQ(holes.status, CopyStatus::Copied) << holes.reason;
    ASSERT_EQ(dense.status, CopyStatus::Copied) << dense.reason;
    EXPECT_EQ(ReadFile(root / "other disk/holes.bin"), content);
    EXPECT_EQ(ReadFile(root / "other disk/dense.bin"), std::string(5 << 20, 'd'));
}

// What a copy made in a child process gave. The child can take limits and rights that the
// test process must not keep.
struct ChildCopy {
    bool ran = false; ///< false when the child could not take its limits or rights
    bool failed = false;
    std::string reason;
};

constexpr int kChildCouldNotPrepare = 3;

ChildCopy CopyInChildProcess(const std::function<bool()>& prepare,
                             const std::function<CopyOutcome()>& copy) {
    int reasonPipe[2];
    if (pipe(reasonPipe) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(reasonPipe[0]);
        if (!prepare()) {
            _exit(kChildCouldNotPrepare);
        }
        const CopyOutcome outcome = copy();
        const ssize_t written = write(reasonPipe[1], outcome.reason.data(), outcome.reason.size());
        _exit(written >= 0 && outcome.status == CopyStatus::Failed ? 0 : 1);
    }
    close(reasonPipe[1]);
    const FileDescriptor reader(reasonPipe[0]);
    ChildCopy result;
    std::string chunk(1024, '\0');
    for (ssize_t got = 0; (got = read(reader.Get(), chunk.data(), chunk.size())) > 0;) {
        result.reason.append(chunk.data(), static_cast<std::size_t>(got));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return result;
    }
    result.ran = WEXITSTATUS(status) != kChildCouldNotPrepare;
    result.failed = WEXITSTATUS(status) == 0;
    return result;
}

// A file size limit makes every write past 64 KiB fail the way a full disk does, as any user.
TEST(FileSizeLimitTest, LeavesTheOldTargetAndNoTemporaryFile) {
    const TempDir root;
    root.AddFile("shot.png", std::string(kSourceSize, 'n'));
    root.AddFile("old.png", "old");

    const ChildCopy child = CopyInChildProcess(
        [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64 << 10, 64 << 10};
            return setrlimit(RLIMIT_FSIZE, &limit) == 0;
        },
        [&] { return CopyFileInto(root / "shot.png", root.Path(), "old.png"); });

    ASSERT_TRUE(child.ran);
    EXPECT_TRUE(child.failed) << "the copy did not fail: " << child.reason;
    EXPECT_NE(child.reason.find("File too large"), std::string::npos) << child.reason;
    EXPECT_EQ(ReadFile(root / "old.png"), "old");
    EXPECT_EQ(NamesIn(root.Path()), (std::vector<std::string>{"old.png", "shot.png"}));
}

// Root writes into any folder, so the child gives up root first.
TEST(ReadOnlyFolderTest, CopyFailsWithTheSystemsReasonAndLeavesTheFolderAlone) {
    const TempDir root;
    root.AddFile("shot.png", "new");
    root.AddFolder("dest");
    root.AddFile("dest/old.png", "old");
    ASSERT_EQ(chmod((root / "dest").c_str(), 0555), 0);
    ASSERT_EQ(chmod(root.Path().c_str(), 0755), 0); // lets the child reach the folders

    constexpr uid_t kNobody = 65534;
    const ChildCopy child = CopyInChildProcess(
        [] { return geteuid() != 0 || (setgid(kNobody) == 0 && setuid(kNobody) == 0); },
        [&] { return CopyFileInto(root / "shot.png", root / "dest", "old.png"); });
    chmod((root / "dest").c_str(), 0755);

    if (!child.ran) {
        GTEST_SKIP() << "cannot give up root in a child process here";
    }
    EXPECT_TRUE(child.failed) << "the copy did not fail";
    EXPECT_NE(child.reason.find("Permission denied"), std::string::npos) << child.reason;
    EXPECT_EQ(ReadFile(root / "dest/old.png"), "old");
    EXPECT_EQ(NamesIn(root / "dest"), std::vector<std::string>{"old.png"});
}

std::string ReadAt(int fd, off_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    const ssize_t got = pread(fd, bytes.data(), size, offset);
    bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    return bytes;
}

TEST(LargeFileTest, SparseFileOver4GiBCopies) {
    const TempDir root;
    constexpr off_t kSize = (off_t{9} << 29) + 12345; // 4.5 GiB and a bit
    // Where holes are not kept, the copy takes the whole size on disk.
    struct statvfs disk {};
    ASSERT_EQ(statvfs(root.Path().c_str(), &disk), 0);
    const auto freeBytes = static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize;
    if (freeBytes < (10ULL << 30)) {
        GTEST_SKIP() << "less than 10 GiB free in " << root.Path();
    }
    struct Sample {
        off_t offset;
        std::string bytes;
    };
    const Sample written[] = {
        {0, "head"}, {(off_t{1} << 32) - 3, "across 4 GiB"}, {kSize - 4, "tail"}};
    {
        const FileDescriptor source(open((root / "big.bin").c_str(), O_WRONLY | O_CREAT, 0644));
        ASSERT_TRUE(source.IsOpen());
        ASSERT_EQ(ftruncate(source.Get(), kSize), 0);
        for (const Sample& sample : written) {
            ASSERT_EQ(pwrite(source.Get(), sample.bytes.data(), sample.bytes.size(), sample.offset),
                      static_cast<ssize_t>(sample.bytes.size()));
        }
    }

    const CopyOutcome outcome = CopyFileInto(root / "big.bin", root.Path(), "big copy.bin");

    ASSERT_EQ(outcome.status, CopyStatus::Copied) << outcome.reason;
    EXPECT_EQ(fs::file_size(root / "big copy.bin"), static_cast<std::uintmax_t>(kSize));
    const FileDescriptor copy(open((root / "big copy.bin").c_str(), O_RDONLY));
    ASSERT_TRUE(copy.IsOpen());
    for (const Sample& sample : written) {
        EXPECT_EQ(ReadAt(copy.Get(), sample.offset, sample.bytes.size()), sample.bytes);
    }
    EXPECT_EQ(ReadAt(copy.Get(), off_t{1} << 31, 8), std::string(8, '\0'));
    EXPECT_EQ(ReadAt(copy.Get(), kSize, 8), "");
}

} // namespace
} // namespace tallowick
