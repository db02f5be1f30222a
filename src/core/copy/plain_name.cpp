// SPDX-License-Identifier: MIT
#include "copy/plain_name.h"

namespace tallowick {

std::optional<std::string> PlainFileNameError(std::string_view name) {
    if (name.empty()) {
        return "the name is empty";
    }
    if (name == "." || name == "..") {
        return "\"" + std::string(name) + "\" names a folder, not a file";
    }
    if (name.find('/') != std::string_view::npos) {
        return "the name holds a '/', which would lead into another folder";
    }
    if (name.find('\0') != std::string_view::npos) {
        return "the name holds a NUL byte";
    }
    return std::nullopt;
}

} // namespace tallowick
