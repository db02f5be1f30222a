// SPDX-License-Identifier: MIT
#include "listing/file_listing.h"

#include <algorithm>

namespace tallowick {

namespace {

constexpr unsigned char FoldAsciiUpper(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

template <typename Less>
void SortEntries(std::vector<FileEntry>& entries, bool descending, Less less) {
    if (descending) {
        std::sort(entries.begin(), entries.end(),
                  [&](const FileEntry& a, const FileEntry& b) { return less(b, a); });
    } else {
        std::sort(entries.begin(), entries.end(), less);
    }
}

} // namespace

int ComparePathsFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = FoldAsciiUpper(static_cast<unsigned char>(a[i]));
        const unsigned char y = FoldAsciiUpper(static_cast<unsigned char>(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool CFileListing::Sort(int key, bool descending) {
    switch (key) {
    case kSortByPath:
        SortEntries(m_entries, descending, [](const FileEntry& a, const FileEntry& b) {
            return ComparePathsFolded(a.path, b.path) < 0;
        });
        break;
    case kSortByLastWriteTime:
        SortEntries(m_entries, descending, [](const FileEntry& a, const FileEntry& b) {
            return a.lastWriteTime < b.lastWriteTime;
        });
        break;
    case kSortBySize:
        SortEntries(m_entries, descending,
                    [](const FileEntry& a, const FileEntry& b) { return a.size < b.size; });
        break;
    default:
        break;
    }
    return true;
}

} // namespace tallowick
