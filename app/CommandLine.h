#pragma once

#include <optional>
#include <ostream>

namespace tarvix {

// The program's version, the project's version in the build.
const char* programVersion();

// --help and --version, answered before any window system is needed, so that they work
// in a terminal without a display. When one of them is given its answer goes to out and
// the result is the exit code; otherwise nothing, and the program starts as usual. Other
// arguments are left to Qt and the program.
std::optional<int> answerInfoOption(int argc, const char* const* argv, std::ostream& out);

} // namespace tarvix
