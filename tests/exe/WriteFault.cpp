#include "WriteFault.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <mutex>
#include <string_view>

#include <dlfcn.h>
#include <unistd.h>

using tarvix::test::WriteFault;

namespace {

struct Fault {
    std::string folder;
    std::vector<WriteFault::Step> plan;
    WriteFault::Step after;
    std::size_t next = 0;
    std::size_t calls = 0;
};

std::mutex g_mutex;
Fault* g_fault = nullptr;

bool isUnder(const std::string& folder, int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link, target, sizeof target);
    if (n <= 0) return false;
    return std::string_view(target, static_cast<std::size_t>(n)).starts_with(folder + "/");
}

// How many of count bytes the call may write, or -1 with errno set when it must fail.
ssize_t allowed(int fd, std::size_t count)
{
    std::lock_guard lock(g_mutex);
    if (!g_fault || !isUnder(g_fault->folder, fd)) return static_cast<ssize_t>(count);
    ++g_fault->calls;
    const WriteFault::Step step =
        g_fault->next < g_fault->plan.size() ? g_fault->plan[g_fault->next++] : g_fault->after;
    if (step.err != 0) {
        errno = step.err;
        return -1;
    }
    return static_cast<ssize_t>(std::min(count, step.bytes));
}

template <class Function> Function systemFunction(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

namespace tarvix::test {

WriteFault::WriteFault(std::string folder, std::vector<Step> plan, Step after)
{
    std::lock_guard lock(g_mutex);
    g_fault = new Fault{std::move(folder), std::move(plan), after};
}

WriteFault::~WriteFault()
{
    std::lock_guard lock(g_mutex);
    delete g_fault;
    g_fault = nullptr;
}

std::size_t WriteFault::calls() const
{
    std::lock_guard lock(g_mutex);
    return g_fault->calls;
}

} // namespace tarvix::test

// Defined in the test program, these come before the C library's for every caller in
// the process, and pass on to the next definition (the C library's, or a sanitizer's).
extern "C" ssize_t write(int fd, const void* buffer, size_t count)
{
    static const auto next = systemFunction<ssize_t (*)(int, const void*, size_t)>("write");
    const ssize_t n = allowed(fd, count);
    return n < 0 ? n : next(fd, buffer, static_cast<size_t>(n));
}

extern "C" ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset)
{
    static const auto next = systemFunction<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    const ssize_t n = allowed(fd, count);
    return n < 0 ? n : next(fd, buffer, static_cast<size_t>(n), offset);
}

extern "C" ssize_t pwrite64(int fd, const void* buffer, size_t count, off64_t offset)
{
    static const auto next = systemFunction<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    const ssize_t n = allowed(fd, count);
    return n < 0 ? n : next(fd, buffer, static_cast<size_t>(n), offset);
}
