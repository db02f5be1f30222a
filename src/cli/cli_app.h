// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tallowick::cli {

inline constexpr std::string_view kProgram = "tallowick-cli";

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; ///< the output could not be written, or copies failed
inline constexpr int kExitUsage = 2;

/// Runs tallowick-cli with the arguments after the program name; gives the exit status.
/// `errIsTerminal` lets a copy show its progress on `err`.
int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false);

} // namespace tallowick::cli
