// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tallowick::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; ///< the output could not be written
inline constexpr int kExitUsage = 2;

/// Runs tallowick-cli with the arguments after the program name; gives the exit status.
int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

} // namespace tallowick::cli
