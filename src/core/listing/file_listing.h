// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallowick {

/// The attribute bit of a folder.
inline constexpr std::uint32_t kAttributeFolder = 0x10;

/// One listed file or folder.
struct FileEntry {
    std::string path;                ///< listed folder, '/', then the name exactly as read
    bool isFolder = false;           ///< the folder bit of `attributes` is set
    std::uint32_t attributes = 0;    ///< attribute word: 0x10 folder, 0x01 read-only, 0x02 hidden
    std::uint64_t creationTime = 0;  ///< 100-ns intervals since 1601-01-01 UTC
    std::uint64_t reserved = 0;      ///< never set, never read; always 0
    std::uint64_t lastWriteTime = 0; ///< 100-ns intervals since 1601-01-01 UTC
    std::uint64_t size = 0;          ///< bytes
};

/// The sort keys of CFileListing::Sort.
enum SortKey : int { kSortByPath = 1, kSortByLastWriteTime = 2, kSortBySize = 3 };

/// A folder's files (and, on request, subfolders and their whole tree) as FileEntry records.
class CFileListing {
public:
    virtual ~CFileListing() = default;

    /// Stores the folder (trailing separators removed) and appends it to the folders that Find
    /// searches, after all of its subfolders when `includeSubfolders` is set. Always true.
    bool SetFolder(std::string_view folderPath, bool includeSubfolders);

    /// Appends to m_entries the names in every non-empty folder of m_folders that match
    /// `pattern` ("*.*" and "*" match every name), files and folders as the flags ask. "." and
    /// ".." are never listed; a folder that cannot be read contributes nothing. False only when
    /// memory ran out while a folder was read.
    bool Find(std::string_view pattern, bool includeFiles, bool includeFolders);

    /// Reorders m_entries by `key` (see SortKey); any other key leaves them as they are.
    /// Always true.
    bool Sort(int key, bool descending);

    bool ClearFolders();
    bool ClearEntries();

    std::string m_strFolder;            ///< the folder last given to SetFolder, stripped
    std::vector<std::string> m_folders; ///< the folders Find searches, in search order
    std::vector<FileEntry> m_entries;   ///< what Find appended, until Sort reorders it

private:
    bool ListFolder(const std::string& folder, std::string_view pattern, bool includeFiles,
                    bool includeFolders);
};

/// Removes trailing separators ('/') and the white space around them, as long as a separator
/// is the last byte after trailing white space is removed. A path that does not end so keeps its
/// trailing white space. The root folder "/" keeps its one separator.
void StripTrailingSeparator(std::string& path);

/// Appends every folder below `parent` to `folders`, depth first, each after its own subfolders.
/// Always true, also when `parent` cannot be read. An empty `parent` has no subfolders.
bool CollectSubfolders(std::vector<std::string>& folders, const std::string& parent);

/// Orders two paths by bytes with ASCII upper-case letters folded to lower case; negative,
/// zero or positive like strcmp.
int ComparePathsFolded(std::string_view a, std::string_view b);

/// Lists the files directly inside `folder` afresh, the way the program always lists a picked
/// folder: both lists cleared, the folder set without subfolders, every file found, then sorted
/// by path, ascending.
void RelistFolder(CFileListing& listing, std::string_view folder);

/// The paths of the listing's entries, in listing order.
std::vector<std::string> PathsOf(const CFileListing& listing);

/// Why `folder` cannot be listed (missing, not a folder, not readable), or nothing when it can.
std::optional<std::string> FolderAccessError(const std::string& folder);

} // namespace tallowick
