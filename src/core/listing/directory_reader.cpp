// SPDX-License-Identifier: MIT
#include "listing/directory_reader.h"

#include "listing/file_listing.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace tallowick {

namespace {

constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeHidden = 0x02;
constexpr std::uint32_t kAttributeNormal = 0x80;

// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11'644'473'600;
constexpr std::int64_t kIntervalsPerSecond = 10'000'000;

std::uint32_t AttributesOf(const std::string& name, const struct statx& info, bool isFolder) {
    std::uint32_t attributes = 0;
    if (isFolder) {
        attributes |= kAttributeFolder;
    }
    if (name.front() == '.') {
        attributes |= kAttributeHidden;
    }
    if ((info.stx_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        attributes |= kAttributeReadOnly;
    }
    return attributes == 0 ? kAttributeNormal : attributes;
}

} // namespace

std::uint64_t ToFileTime(std::int64_t seconds, std::uint32_t nanoseconds) {
    return static_cast<std::uint64_t>((seconds + kEpochDifference) * kIntervalsPerSecond +
                                      nanoseconds / 100);
}

DirectoryReader::DirectoryReader(const std::string& folder) : m_dir(opendir(folder.c_str())) {}

std::optional<DirectoryItem> DirectoryReader::Next() {
    if (!m_dir) {
        return std::nullopt;
    }
    for (;;) {
        const dirent* found = readdir(m_dir.get());
        if (found == nullptr) {
            return std::nullopt;
        }
        if (std::strcmp(found->d_name, ".") == 0 || std::strcmp(found->d_name, "..") == 0) {
            continue;
        }
        DirectoryItem item;
        item.name = found->d_name;

        const int folderFd = dirfd(m_dir.get());
        constexpr unsigned kWanted = STATX_BASIC_STATS | STATX_BTIME;
        struct statx info {};
        if (statx(folderFd, found->d_name, AT_STATX_SYNC_AS_STAT, kWanted, &info) != 0 &&
            statx(folderFd, found->d_name, AT_SYMLINK_NOFOLLOW, kWanted, &info) != 0) {
            continue; // gone since it was read
        }
        if (found->d_type == DT_LNK) {
            item.isLink = true;
        } else if (found->d_type == DT_UNKNOWN) {
            struct stat linkInfo {};
            item.isLink = fstatat(folderFd, found->d_name, &linkInfo, AT_SYMLINK_NOFOLLOW) == 0 &&
                          S_ISLNK(linkInfo.st_mode);
        }
        item.isFolder = S_ISDIR(info.stx_mode);
        item.attributes = AttributesOf(item.name, info, item.isFolder);
        // Not every file system records a birth time; the last status change stands in.
        const auto& born = (info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime : info.stx_ctime;
        item.creationTime = ToFileTime(born.tv_sec, born.tv_nsec);
        item.lastWriteTime = ToFileTime(info.stx_mtime.tv_sec, info.stx_mtime.tv_nsec);
        item.size = item.isFolder ? 0 : info.stx_size;
        return item;
    }
}

std::optional<std::string> DirectoryReader::OpenError(const std::string& folder) {
    if (folder.empty()) {
        return "no folder given";
    }
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return std::strerror(errno);
    }
    closedir(dir);
    return std::nullopt;
}

std::string FolderPrefix(std::string folder) {
    StripTrailingSeparator(folder);
    if (folder.empty() || folder.back() != '/') {
        folder.push_back('/');
    }
    return folder;
}

bool MatchesPattern(const std::string& name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    return fnmatch(std::string(pattern).c_str(), name.c_str(), 0) == 0;
}

} // namespace tallowick
