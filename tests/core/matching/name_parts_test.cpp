// SPDX-License-Identifier: MIT
#include "matching/name_parts.h"

#include <gtest/gtest.h>

namespace tallowick {
namespace {

struct NamePartsCase {
    std::string_view fileName;
    std::string_view base;
    std::string_view extension;
};

class NamePartsTest : public testing::TestWithParam<NamePartsCase> {};

TEST_P(NamePartsTest, SplitsAtTheLastDot) {
    const auto& c = GetParam();
    EXPECT_EQ(BaseNameOf(c.fileName), c.base);
    EXPECT_EQ(ExtensionOf(c.fileName), c.extension);
}

INSTANTIATE_TEST_SUITE_P(Names, NamePartsTest,
                         testing::Values(NamePartsCase{"Game Rev 1.1.zip", "Game Rev 1.1", ".zip"},
                                         NamePartsCase{"README", "README", ""},
                                         NamePartsCase{".hidden", "", ".hidden"},
                                         NamePartsCase{"name.", "name", "."},
                                         NamePartsCase{"", "", ""}));

} // namespace
} // namespace tallowick
