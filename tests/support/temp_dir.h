// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowick::testing_support {

/// A fresh folder under the system's temporary folder, removed with all it holds on
/// destruction. Paths are plain byte strings, so names that are not valid UTF-8 work too.
class TempDir {
public:
    TempDir() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/tallowick-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }

    /// The full path of `relative` inside the folder.
    std::string operator/(std::string_view relative) const {
        return m_path + '/' + std::string(relative);
    }

    /// Creates the file `relative` holding `content`; gives its full path.
    std::string AddFile(std::string_view relative, std::string_view content = {}) const {
        const std::string path = *this / relative;
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) {
            throw std::runtime_error("cannot create " + path);
        }
        const bool written = content.empty() || write(fd, content.data(), content.size()) ==
                                                    static_cast<ssize_t>(content.size());
        close(fd);
        if (!written) {
            throw std::runtime_error("cannot write " + path);
        }
        return path;
    }

    /// Creates the folder `relative`; gives its full path.
    std::string AddFolder(std::string_view relative) const {
        const std::string path = *this / relative;
        if (mkdir(path.c_str(), 0755) != 0) {
            throw std::runtime_error("cannot create folder " + path);
        }
        return path;
    }

    /// Creates the symbolic link `relative` pointing to `target` as written; gives its path.
    std::string AddLink(std::string_view relative, std::string_view target) const {
        const std::string path = *this / relative;
        if (symlink(std::string(target).c_str(), path.c_str()) != 0) {
            throw std::runtime_error("cannot create link " + path);
        }
        return path;
    }

private:
    std::string m_path;
};

} // namespace tallowick::testing_support
