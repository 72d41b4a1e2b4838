#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tarvix::cli {

// Exit statuses of every command.
inline constexpr int kSuccess = 0;
inline constexpr int kDifferent = 1; // diff: the files differ
inline constexpr int kRefused = 2;   // a usage error, refused input or a file that cannot be used

// Runs one command line (the words after the program's name): results go to out,
// messages to err. Returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace tarvix::cli
