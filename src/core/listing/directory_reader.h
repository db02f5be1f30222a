// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <dirent.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tallowick {

/// One name read from a folder, with what the listing records of it.
struct DirectoryItem {
    std::string name;
    bool isFolder = false;
    bool isLink = false; ///< a symbolic link; the other fields describe what it points to
    std::uint32_t attributes = 0;
    std::uint64_t creationTime = 0;  ///< 100-ns intervals since 1601-01-01 UTC
    std::uint64_t lastWriteTime = 0; ///< 100-ns intervals since 1601-01-01 UTC
    std::uint64_t size = 0;
};

/// Reads the names of one folder, "." and ".." left out. A link is described as what it points
/// to; a link that points nowhere is described as a file.
class DirectoryReader {
public:
    explicit DirectoryReader(const std::string& folder);

    bool IsOpen() const { return m_dir != nullptr; }

    /// The next name, or nothing when none is left or reading failed.
    std::optional<DirectoryItem> Next();

    /// Why `folder` cannot be opened for reading, or nothing when it can.
    static std::optional<std::string> OpenError(const std::string& folder);

private:
    struct CloseDir {
        void operator()(DIR* dir) const { closedir(dir); }
    };
    std::unique_ptr<DIR, CloseDir> m_dir;
};

/// The folder as a prefix for its names: trailing separators stripped, one '/' appended.
std::string FolderPrefix(std::string folder);

/// True when `name` matches the wildcard `pattern`; "*.*" and "*" match every name, names
/// without a dot included.
bool MatchesPattern(const std::string& name, std::string_view pattern);

/// Seconds and nanoseconds since 1970 as 100-ns intervals since 1601-01-01 UTC.
std::uint64_t ToFileTime(std::int64_t seconds, std::uint32_t nanoseconds);

} // namespace tallowick
