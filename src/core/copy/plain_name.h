// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallowick {

/// Why `name` cannot be used as the name of a file directly inside a folder (empty, "." or
/// "..", holding a '/' or a NUL byte), or nothing when it can.
std::optional<std::string> PlainFileNameError(std::string_view name);

} // namespace tallowick
