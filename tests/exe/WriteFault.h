#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace tarvix::test {

// Makes the system's write() and pwrite() misbehave, as a full or failing disk would,
// for files under one folder. Test programs that link WriteFault.cpp replace those
// functions for the whole process (their own code, the exe library and Qt alike);
// without a WriteFault alive, and for every other file, writes pass unchanged.
class WriteFault {
public:
    // What one call does instead of writing everything it was given.
    struct Step {
        std::size_t bytes = std::numeric_limits<std::size_t>::max(); // at most this many
        int err = 0; // when not 0: write nothing and fail with this errno

        static Step writes(std::size_t n) { return {n, 0}; }
        static Step fails(int err) { return {0, err}; }
        static Step passes() { return {}; }
    };

    // Calls on files under folder follow plan, one step per call, and then `after`.
    WriteFault(std::string folder, std::vector<Step> plan, Step after = Step::passes());
    ~WriteFault();
    WriteFault(const WriteFault&) = delete;
    WriteFault& operator=(const WriteFault&) = delete;

    // Calls on files under the folder so far.
    std::size_t calls() const;
};

} // namespace tarvix::test
