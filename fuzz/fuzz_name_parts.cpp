// SPDX-License-Identifier: MIT
// The name parts over arbitrary bytes: they must split, cut and trim every input the way their
// contracts say, without reading outside it.
#include "fuzz_check.h"
#include "matching/name_parts.h"

#include <string>

using tallowick::fuzz::AsText;
using tallowick::fuzz::IsViewInto;
using tallowick::fuzz::Require;

namespace {

bool EndsInNameSpace(std::string_view text) {
    return !text.empty() && (tallowick::IsNameSpace(static_cast<unsigned char>(text.front())) ||
                             tallowick::IsNameSpace(static_cast<unsigned char>(text.back())));
}

void CheckFileName(std::string_view path) {
    const std::string_view fileName = tallowick::FileNameOf(path);
    Require(path.ends_with(fileName), "FileNameOf is the end of the path");
    Require(fileName.find('/') == std::string_view::npos, "FileNameOf holds no '/'");
    Require(fileName.size() == path.size() || path[path.size() - fileName.size() - 1] == '/',
            "FileNameOf starts after the last '/'");

    const std::string_view base = tallowick::BaseNameOf(fileName);
    const std::string_view extension = tallowick::ExtensionOf(fileName);
    Require(std::string(base).append(extension) == fileName, "base + extension = name");
    Require(extension.empty() ||
                (extension.front() == '.' && extension.find('.', 1) == std::string_view::npos),
            "the extension starts at the last '.'");
    Require(!extension.empty() || fileName.find('.') == std::string_view::npos,
            "a name with a '.' has an extension");
    Require(IsViewInto(base, fileName) && IsViewInto(extension, fileName),
            "base and extension are views into the name");
}

void CheckCutAndTrim(std::string_view text) {
    const std::string_view cut = tallowick::BracketCut(text);
    Require(text.starts_with(cut), "BracketCut is the start of the text");
    Require(cut.find_first_of("([") == std::string_view::npos, "BracketCut holds no bracket");
    Require(cut.size() == text.size() || text[cut.size()] == '(' || text[cut.size()] == '[',
            "BracketCut stops at a bracket");

    const std::string_view trimmed = tallowick::Trim(text);
    Require(IsViewInto(trimmed, text), "Trim is a view into the text");
    Require(!EndsInNameSpace(trimmed), "Trim leaves no white space at either end");
    Require(tallowick::Trim(trimmed) == trimmed, "Trim twice = Trim once");

    const std::string_view withoutTags = tallowick::WithoutTags(text);
    Require(IsViewInto(withoutTags, text), "WithoutTags is a view into the text");
    Require(text.empty() || !withoutTags.empty(), "WithoutTags never empties a name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = AsText(data, size);
    CheckFileName(text);
    CheckCutAndTrim(text);
    return 0;
}
