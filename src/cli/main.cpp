// korvane-cli: the command-line face over the same data directory as the window.

#include <iostream>

#include "cli/run_cli.h"

int main(int argc, char** argv) { return korvane::RunCli(argc, argv, std::cout, std::cerr); }
