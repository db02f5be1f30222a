// SPDX-License-Identifier: MIT
#pragma once

#include "temp_dir.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace tallowick::testing_support {

// A source folder and a destination folder side by side in one temporary folder, so that a
// stray write next to the destination shows too.
class CopyFolders : public testing::Test {
protected:
    void SetUp() override {
        m_root.AddFolder("src");
        m_root.AddFolder("dest");
    }
    std::string Source(std::string_view name) const {
        return m_root / ("src/" + std::string(name));
    }
    std::string Dest() const { return m_root / "dest"; }
    void AddSource(const std::string& name, std::string_view content) const {
        m_root.AddFile("src/" + name, content);
    }
    void AddTarget(const std::string& name, std::string_view content) const {
        m_root.AddFile("dest/" + name, content);
    }
    std::string Target(std::string_view name) const {
        return m_root / ("dest/" + std::string(name));
    }

    TempDir m_root;
};

} // namespace tallowick::testing_support
