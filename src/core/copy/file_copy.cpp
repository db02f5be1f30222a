// SPDX-License-Identifier: MIT
#include "copy/file_copy.h"

#include "copy/content_copy.h"
#include "copy/file_descriptor.h"
#include "copy/plain_name.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tallowick {

namespace {

constexpr int kTempNameAttempts = 16;

CopyOutcome Copied() {
    return {CopyStatus::Copied, 0, {}};
}

CopyOutcome KeptExisting() {
    return {CopyStatus::SkippedExisting, 0, {}};
}

CopyOutcome Refused(std::string reason) {
    return {CopyStatus::Failed, 0, std::move(reason)};
}

CopyOutcome FailedStep(int error, std::string_view step) {
    return {CopyStatus::Failed, error,
            std::string(step) + ": " + std::generic_category().message(error)};
}

bool HoldsNul(const std::string& path) {
    return path.find('\0') != std::string::npos;
}

// A hidden name, so that a copy cut short by a crash does not pass for one of the user's files.
std::string RandomTempName() {
    std::random_device random;
    const auto value = (std::uint64_t{random()} << 32U) | random();
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value, 16).ptr;
    return ".tallowick-" + std::string(digits.data(), end) + ".tmp";
}

// A new, empty file in the destination folder, removed again unless it is renamed to the target.
class TempFile {
public:
    explicit TempFile(int folder) : m_folder(folder) {
        for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
            m_name = RandomTempName();
            // O_EXCL: never a file or link that is there already, whoever made it.
            m_file =
                FileDescriptor(openat(folder, m_name.c_str(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
            if (m_file.IsOpen() || errno != EEXIST) {
                break;
            }
        }
        m_error = m_file.IsOpen() ? 0 : errno;
        m_pending = m_file.IsOpen();
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        m_file.Close();
        if (m_pending) {
            unlinkat(m_folder, m_name.c_str(), 0);
        }
    }

    int OpenError() const { return m_error; }
    int Fd() const { return m_file.Get(); }
    int Close() { return m_file.Close(); }

    /// Renames the file to `target`; with `noReplace` an existing target is kept and the rename
    /// fails with EEXIST. Gives 0 or the errno of the rename.
    int RenameTo(const std::string& target, bool noReplace) {
        const unsigned flags = noReplace ? RENAME_NOREPLACE : 0U;
        int result = renameat2(m_folder, m_name.c_str(), m_folder, target.c_str(), flags);
        // A file system that cannot keep the target atomically: the caller has just seen that
        // no target exists, which is as close as it gets there.
        if (result != 0 && noReplace && errno == EINVAL) {
            result = renameat(m_folder, m_name.c_str(), m_folder, target.c_str());
        }
        if (result != 0) {
            return errno;
        }
        m_pending = false;
        return 0;
    }

private:
    int m_folder;           ///< the destination folder; not owned
    std::string m_name;     ///< inside m_folder
    FileDescriptor m_file;  ///< open for writing until Close
    int m_error = 0;        ///< errno of the failed creation, 0 once created
    bool m_pending = false; ///< created by us and not yet renamed: removed at the end
};

CopyOutcome WriteCopy(int source, const struct stat& sourceInfo, int folder,
                      const std::string& target, bool keepExisting) {
    TempFile temp(folder);
    if (temp.OpenError() != 0) {
        return FailedStep(temp.OpenError(), "cannot create a file in the destination folder");
    }
    if (const int error = CopyFileContent(source, temp.Fd(), sourceInfo.st_size)) {
        if (error == ENODATA) {
            return Refused("the source file got shorter while it was being copied");
        }
        return FailedStep(error, "cannot write the copy");
    }
    if (fchmod(temp.Fd(), sourceInfo.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO)) != 0) {
        return FailedStep(errno, "cannot set the copy's permissions");
    }
    const struct timespec times[2] = {{0, UTIME_OMIT}, sourceInfo.st_mtim};
    if (futimens(temp.Fd(), times) != 0) {
        return FailedStep(errno, "cannot set the copy's modification time");
    }
    if (fsync(temp.Fd()) != 0) {
        return FailedStep(errno, "cannot write the copy to disk");
    }
    if (const int error = temp.Close()) {
        return FailedStep(error, "cannot write the copy to disk");
    }
    if (const int error = temp.RenameTo(target, keepExisting)) {
        if (keepExisting && error == EEXIST) {
            return KeptExisting(); // appeared while the copy was being written
        }
        return FailedStep(error, "cannot replace the target");
    }
    return Copied();
}

// What stops a copy to `target` before anything is written, or nothing. A link is looked at,
// not followed: the rename replaces the link itself.
std::optional<CopyOutcome> CheckTarget(int folder, const std::string& target,
                                       const struct stat& sourceInfo, bool keepExisting) {
    struct stat targetInfo {};
    if (fstatat(folder, target.c_str(), &targetInfo, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        return FailedStep(errno, "cannot look at the target");
    }
    // Also a hard link to the source: replacing it would gain nothing.
    if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino) {
        return Refused("the target is the source file itself");
    }
    if (S_ISDIR(targetInfo.st_mode)) {
        return FailedStep(EISDIR, "cannot replace the target");
    }
    if (keepExisting) {
        return KeptExisting();
    }
    return std::nullopt;
}

} // namespace

CopyOutcome CopyFileInto(const std::string& sourcePath, const std::string& destFolder,
                         std::string_view newName, const CopyOptions& options) {
    if (const auto problem = PlainFileNameError(newName)) {
        return Refused("the new name cannot be used: " + *problem);
    }
    if (HoldsNul(sourcePath) || HoldsNul(destFolder)) {
        return Refused("a folder or file path holds a NUL byte");
    }
    // Non-blocking, so that a named pipe among the source files cannot stall the copy here.
    const FileDescriptor source(
        open(sourcePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!source.IsOpen()) {
        return FailedStep(errno, "cannot open the source file");
    }
    struct stat sourceInfo {};
    if (fstat(source.Get(), &sourceInfo) != 0) {
        return FailedStep(errno, "cannot read the source file");
    }
    if (S_ISDIR(sourceInfo.st_mode)) {
        return FailedStep(EISDIR, "cannot copy the source");
    }
    if (!S_ISREG(sourceInfo.st_mode)) {
        return Refused("the source is not a regular file");
    }
    const FileDescriptor folder(open(destFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.IsOpen()) {
        return FailedStep(errno, "cannot open the destination folder");
    }
    const std::string target(newName);
    if (auto refusal = CheckTarget(folder.Get(), target, sourceInfo, options.keepExisting)) {
        return *refusal;
    }
    if (options.dryRun) {
        return Copied();
    }
    return WriteCopy(source.Get(), sourceInfo, folder.Get(), target, options.keepExisting);
}

int SyncFolder(const std::string& folder) {
    const FileDescriptor handle(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!handle.IsOpen()) {
        return errno;
    }
    return fsync(handle.Get()) == 0 ? 0 : errno;
}

std::optional<std::string> DestinationFolderError(const std::string& folder) {
    if (folder.empty()) {
        return "no folder given";
    }
    if (HoldsNul(folder)) {
        return "the path holds a NUL byte";
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        return std::generic_category().message(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return std::generic_category().message(ENOTDIR);
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        return std::generic_category().message(errno);
    }
    return std::nullopt;
}

} // namespace tallowick
