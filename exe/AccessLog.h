#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvix {

// One read or write an access cycle made.
struct Access {
    bool write;
    std::uint64_t offset;
    std::size_t count;
};

// Notes every read and write made on any working copy while it lives, for tools that
// measure what a handler costs against the bare system calls it needs (the benchmark).
// One at a time; nothing is noted while none lives.
class AccessLog {
public:
    AccessLog();
    ~AccessLog();
    AccessLog(const AccessLog&) = delete;
    AccessLog& operator=(const AccessLog&) = delete;

    const std::vector<Access>& accesses() const { return m_accesses; }

    // Called by the working copy for each read and write.
    static void note(bool write, std::uint64_t offset, std::size_t count);

private:
    std::vector<Access> m_accesses;
    AccessLog* m_previous;
};

} // namespace tarvix
