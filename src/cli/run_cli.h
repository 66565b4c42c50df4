#pragma once

// korvane-cli as a function: parses the arguments, runs the command, returns the exit code.
// Tests run it in-process.

#include <ostream>

namespace korvane {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace korvane
