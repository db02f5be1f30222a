// SPDX-License-Identifier: MIT
#include "matching/name_parts.h"

namespace tallowick {

std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view BaseNameOf(std::string_view fileName) {
    return fileName.substr(0, fileName.rfind('.'));
}

std::string_view ExtensionOf(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : fileName.substr(dot);
}

std::string_view BracketCut(std::string_view text) {
    return text.substr(0, text.find_first_of("(["));
}

std::string_view WithoutTags(std::string_view text) {
    const std::string_view cut = Trim(BracketCut(text));
    return cut.empty() ? text : cut;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsNameSpace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsNameSpace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace tallowick
