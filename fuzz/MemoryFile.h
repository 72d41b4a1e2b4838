#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvix::fuzz {

// A regular file that lives in memory, reached by a path like any working copy, so
// that a fuzz run does not wear a disk. Laid anew for every input.
class MemoryFile {
public:
    MemoryFile()
    {
        m_fd = ::memfd_create("working-copy", MFD_CLOEXEC);
        if (m_fd < 0) fail("memfd_create");
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~MemoryFile() { ::close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& path() const { return m_path; }

    void lay(const std::vector<std::uint8_t>& bytes)
    {
        setLength(0);
        if (!bytes.empty() &&
            ::pwrite(m_fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
            fail("pwrite");
    }
    // Holes read as zeros and cost nothing: whole executables' lengths stay cheap.
    void setLength(std::uint64_t length)
    {
        if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0) fail("ftruncate");
    }

    std::uint64_t length() const
    {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0) fail("fstat");
        return static_cast<std::uint64_t>(st.st_size);
    }
    std::vector<std::uint8_t> contents() const
    {
        std::vector<std::uint8_t> bytes(length());
        if (!bytes.empty() &&
            ::pread(m_fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
            fail("pread");
        return bytes;
    }

private:
    [[noreturn]] static void fail(const char* what)
    {
        std::perror(what);
        std::abort();
    }

    int m_fd = -1;
    std::string m_path;
};

// A broken invariant: says which and stops the run, so that libFuzzer keeps the input.
[[noreturn]] inline void broken(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void require(bool holds, const char* what)
{
    if (!holds) broken(what);
}

} // namespace tarvix::fuzz
