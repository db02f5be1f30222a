// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "matching/lookup_pass.h"

#include <ostream>
#include <span>

namespace tallowick::cli {

/// Copies the matched files of `rows` into options.copyFolder (or, with --dry-run, prints what
/// it would copy), reports failures and warnings on `err` and the summary on `out`. Shows
/// progress on `err` when `showProgress` is set. Gives the exit status.
int RunCopyMode(const CliOptions& options, std::span<const ResultRow> rows, std::ostream& out,
                std::ostream& err, bool showProgress);

} // namespace tallowick::cli
