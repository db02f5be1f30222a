// SPDX-License-Identifier: MIT
// Folder paths as a user may type them: stripping must only ever shorten the path from its end,
// keep the root, and leave nothing to strip a second time.
#include "fuzz_check.h"
#include "listing/file_listing.h"
#include "matching/name_parts.h"

#include <string>

using tallowick::fuzz::AsText;
using tallowick::fuzz::Require;

namespace {

std::string_view WithoutTrailingSpace(std::string_view text) {
    while (!text.empty() && tallowick::IsNameSpace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = AsText(data, size);
    std::string path(input);
    tallowick::StripTrailingSeparator(path);

    Require(input.starts_with(path), "the stripped path is the start of the input");
    const std::string_view rest = WithoutTrailingSpace(path);
    Require(rest.size() < 2 || rest.back() != '/', "no separator is left at the end");
    Require(path.size() == input.size() || input[path.size()] == '/' || path == "/",
            "a path is only cut right before a separator, the root right after its own");
    Require(input.empty() == path.empty(), "a path never becomes empty");

    std::string again = path;
    tallowick::StripTrailingSeparator(again);
    Require(again == path, "stripping twice = stripping once");
    return 0;
}
