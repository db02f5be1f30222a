// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace tallowick {

// The parts of a name that matching works on. Names are byte strings: every search here is
// a plain byte search, and the results are views into the argument.

/// The text after the last '/', or the whole path when it holds none.
std::string_view FileNameOf(std::string_view path);

/// The text of a file name before its last '.', or the whole name when it holds none.
std::string_view BaseNameOf(std::string_view fileName);

/// The text of a file name from its last '.' to its end, dot included; empty without a dot.
/// BaseNameOf(name) followed by ExtensionOf(name) always gives name back.
std::string_view ExtensionOf(std::string_view fileName);

/// The text before the earlier of the first '(' and the first '['; the whole text without either.
std::string_view BracketCut(std::string_view text);

/// The text cut at its first bracket and trimmed, for comparing names without their tags
/// ("Game (USA) [!]" reads as "Game"). A name that the cut would empty is kept whole.
std::string_view WithoutTags(std::string_view text);

/// True for tab, line feed, vertical tab, form feed, carriage return and space. Bytes of 0x80
/// and above never count as white space.
constexpr bool IsNameSpace(unsigned char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

/// The text without white space at either end.
std::string_view Trim(std::string_view text);

} // namespace tallowick
