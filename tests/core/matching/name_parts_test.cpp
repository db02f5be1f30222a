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

void PrintTo(const NamePartsCase& c, std::ostream* os) {
    *os << c.fileName;
}

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

struct TagCase {
    std::string_view name;
    std::string_view withoutTags;
};

void PrintTo(const TagCase& c, std::ostream* os) {
    *os << c.name;
}

class WithoutTagsTest : public testing::TestWithParam<TagCase> {};

TEST_P(WithoutTagsTest, CutsAtTheFirstBracketAndTrims) {
    EXPECT_EQ(WithoutTags(GetParam().name), GetParam().withoutTags);
}

INSTANTIATE_TEST_SUITE_P(Names, WithoutTagsTest,
                         testing::Values(TagCase{"Game (USA) [!]", "Game"},
                                         TagCase{"Game [b1] (USA)", "Game"},
                                         TagCase{" Game \t", "Game"}, TagCase{"Game", "Game"},
                                         TagCase{"(Proto) Foo", "(Proto) Foo"},
                                         TagCase{"  [BIOS] x", "  [BIOS] x"}, TagCase{"", ""}));

TEST(TrimTest, TrimsOnlyAsciiWhiteSpace) {
    EXPECT_EQ(Trim("\t\n\v\f\r a b \r"), "a b");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(FileNameOfTest, TakesTheTextAfterTheLastSlash) {
    EXPECT_EQ(FileNameOf("/roms/snes/Game.sfc"), "Game.sfc");
    EXPECT_EQ(FileNameOf("Game.sfc"), "Game.sfc");
    EXPECT_EQ(FileNameOf("a\\b.png"), "a\\b.png");
    EXPECT_EQ(FileNameOf("/roms/"), "");
}

} // namespace
} // namespace tallowick
