// SPDX-License-Identifier: MIT
#include "copy/content_copy.h"

#include <algorithm>
#include <cerrno>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace tallowick {

namespace {

constexpr off_t kKernelChunk = off_t{1} << 30;
constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// Errors by which copy_file_range says it cannot copy between these two files at all, as
// opposed to a copy that went wrong (a full disk, an I/O error).
bool KernelCopyUnsupported(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == ENOTSUP || error == EBADF || error == EPERM;
}

// Copies bytes [offset, end) to the same offsets of the target with pread and pwrite.
int CopyRangeByReadWrite(int source, int target, off_t offset, off_t end) {
    std::vector<char> buffer(kBufferSize);
    while (offset < end) {
        const auto wanted = static_cast<std::size_t>(std::min<off_t>(end - offset, kBufferSize));
        const ssize_t got = pread(source, buffer.data(), wanted, offset);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return ENODATA;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = pwrite(target, buffer.data() + written,
                                       static_cast<std::size_t>(got - written), offset + written);
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errno;
            }
            written += put;
        }
        offset += got;
    }
    return 0;
}

// Copies bytes [offset, end) with copy_file_range. Clears `kernelCopyWorks` and hands the rest
// of the range to reads and writes when the kernel cannot copy between these files.
int CopyRange(int source, int target, off_t offset, off_t end, bool& kernelCopyWorks) {
    while (kernelCopyWorks && offset < end) {
        off_t in = offset;
        off_t out = offset;
        const auto wanted = static_cast<std::size_t>(std::min(end - offset, kKernelChunk));
        const ssize_t copied = copy_file_range(source, &in, target, &out, wanted, 0);
        if (copied < 0 && errno == EINTR) {
            continue;
        }
        if (copied < 0 && !KernelCopyUnsupported(errno)) {
            return errno;
        }
        // Some file systems give 0 for files whose size they do not know up front; reads and
        // writes tell a truly shorter source from those.
        if (copied <= 0) {
            kernelCopyWorks = false;
            break;
        }
        offset += copied;
    }
    return CopyRangeByReadWrite(source, target, offset, end);
}

} // namespace

int CopyFileContent(int source, int target, off_t size) {
    if (ioctl(target, FICLONE, source) == 0) {
        return 0;
    }
    bool kernelCopyWorks = true;
    off_t position = 0;
    while (position < size) {
        off_t dataStart = lseek(source, position, SEEK_DATA);
        if (dataStart < 0) {
            if (errno == ENXIO) {
                break; // only a hole is left
            }
            dataStart = position; // no hole information: copy all of it
        }
        if (dataStart >= size) {
            break;
        }
        off_t dataEnd = lseek(source, dataStart, SEEK_HOLE);
        if (dataEnd < 0 || dataEnd > size) {
            dataEnd = size;
        }
        if (const int error = CopyRange(source, target, dataStart, dataEnd, kernelCopyWorks)) {
            return error;
        }
        position = dataEnd;
    }
    // A trailing hole has no data to copy; the size makes it part of the file.
    if (ftruncate(target, size) != 0) {
        return errno;
    }
    return 0;
}

} // namespace tallowick
