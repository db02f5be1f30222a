// SPDX-License-Identifier: MIT
#include "cli/cli_app.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return tallowick::cli::RunCli(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
