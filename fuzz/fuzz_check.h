// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tallowick::fuzz {

/// Stops the run with a crash that the fuzzer records, when a property does not hold.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

/// True when `part` lies inside the memory of `whole`: the name functions give views into
/// their argument, never into a copy.
inline bool IsViewInto(std::string_view part, std::string_view whole) {
    const auto begin = reinterpret_cast<std::uintptr_t>(whole.data());
    const auto partBegin = reinterpret_cast<std::uintptr_t>(part.data());
    return part.empty() || (partBegin >= begin && partBegin + part.size() <= begin + whole.size());
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace tallowick::fuzz
