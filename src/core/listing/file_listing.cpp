// SPDX-License-Identifier: MIT
#include "listing/file_listing.h"

#include "listing/directory_reader.h"
#include "matching/name_parts.h"

#include <new>

namespace tallowick {

void StripTrailingSeparator(std::string& path) {
    for (;;) {
        std::string_view copy = path;
        while (!copy.empty() && IsNameSpace(static_cast<unsigned char>(copy.back()))) {
            copy.remove_suffix(1);
        }
        if (copy.empty() || copy.back() != '/') {
            return;
        }
        // The root keeps its separator: without it the folder would read as no folder at all.
        // Blanks after it go all the same, as they do after any other separator.
        if (copy.size() == 1) {
            path = "/";
            return;
        }
        path.assign(copy.substr(0, copy.size() - 1));
    }
}

bool CFileListing::SetFolder(std::string_view folderPath, bool includeSubfolders) {
    m_strFolder.assign(folderPath);
    StripTrailingSeparator(m_strFolder);
    if (includeSubfolders) {
        CollectSubfolders(m_folders, m_strFolder);
    }
    m_folders.push_back(m_strFolder);
    return true;
}

bool CFileListing::Find(std::string_view pattern, bool includeFiles, bool includeFolders) {
    for (const std::string& folder : m_folders) {
        if (folder.empty()) {
            continue;
        }
        if (!ListFolder(folder, pattern, includeFiles, includeFolders)) {
            return false;
        }
    }
    return true;
}

bool CFileListing::ListFolder(const std::string& folder, std::string_view pattern,
                              bool includeFiles, bool includeFolders) {
    const std::string basePath = FolderPrefix(folder);
    DirectoryReader reader(basePath);
    if (!reader.IsOpen()) {
        return true;
    }
    try {
        while (const auto found = reader.Next()) {
            if (!MatchesPattern(found->name, pattern)) {
                continue;
            }
            if (found->isFolder ? !includeFolders : !includeFiles) {
                continue;
            }
            FileEntry entry;
            entry.path = basePath + found->name;
            entry.isFolder = found->isFolder;
            entry.attributes = found->attributes;
            entry.creationTime = found->creationTime;
            entry.lastWriteTime = found->lastWriteTime;
            entry.size = found->size;
            m_entries.push_back(std::move(entry));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CFileListing::ClearFolders() {
    std::vector<std::string>().swap(m_folders);
    return true;
}

bool CFileListing::ClearEntries() {
    std::vector<FileEntry>().swap(m_entries);
    return true;
}

bool CollectSubfolders(std::vector<std::string>& folders, const std::string& parent) {
    // The empty folder is no folder: with a '/' joined to it, the walk would start at the root
    // and gather the whole file system.
    if (parent.empty()) {
        return true;
    }
    const std::string basePath = FolderPrefix(parent);
    DirectoryReader reader(basePath);
    if (!reader.IsOpen()) {
        return true;
    }
    try {
        while (const auto found = reader.Next()) {
            // A link to a folder is listed like the folder, but the walk does not follow it:
            // a link that points back up the tree would make it endless.
            if (!found->isFolder || found->isLink) {
                continue;
            }
            std::string subfolder = basePath + found->name;
            CollectSubfolders(folders, subfolder);
            folders.push_back(std::move(subfolder));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void RelistFolder(CFileListing& listing, std::string_view folder) {
    listing.ClearFolders();
    listing.ClearEntries();
    listing.SetFolder(folder, false);
    listing.Find("*.*", true, false);
    listing.Sort(kSortByPath, false);
}

std::vector<std::string> PathsOf(const CFileListing& listing) {
    std::vector<std::string> paths;
    paths.reserve(listing.m_entries.size());
    for (const FileEntry& entry : listing.m_entries) {
        paths.push_back(entry.path);
    }
    return paths;
}

std::optional<std::string> FolderAccessError(const std::string& folder) {
    return DirectoryReader::OpenError(folder);
}

} // namespace tallowick
