#include "cli/CommandSupport.h"

#include "exe/FileError.h"
#include "tables/GameTables.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvix::cli {

Refused Refused::of(const std::string& heading, const std::vector<std::string>& reasons, std::size_t shown)
{
    std::string message = heading;
    for (std::size_t i = 0; i < reasons.size() && i < shown; ++i)
        message += "\n  " + reasons[i];
    if (reasons.size() > shown) message += "\n  ... and " + std::to_string(reasons.size() - shown) + " more";
    return Refused(message);
}

std::string Arguments::option(std::string_view name, std::string fallback) const
{
    auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
}

const tables::Table& tableNamed(std::string_view name)
{
    if (const tables::Table* table = tables::findTable(name)) return *table;
    std::string known;
    for (const tables::Table* table : tables::allTables())
        known += (known.empty() ? "" : ", ") + std::string(table->name);
    throw Refused("no table \"" + std::string(name) + "\"; the tables are " + known);
}

int rowNumber(std::string_view text, const tables::Placement& placement)
{
    const std::string table(placement.table().name);
    const int rows = placement.rows();
    int row = -1;
    bool digits = !text.empty() && text.size() < 10;
    for (char c : text)
        digits = digits && c >= '0' && c <= '9';
    if (digits) row = std::stoi(std::string(text));
    if (row < 0 || row >= rows)
        throw Refused("row \"" + std::string(text) + "\": " + table + " has rows 0 to " +
                      std::to_string(rows - 1));
    return row;
}

const Edition& editionOfLength(const std::string& path, std::uint64_t length)
{
    if (const Edition* edition = editionForLength(length)) return *edition;
    throw Refused(path + ": " + std::to_string(length) + " bytes, the length of neither the Diablo 1.09 (" +
                  std::to_string(kDiablo.fileLength) + " bytes) nor the Hellfire 1.01 executable (" +
                  std::to_string(kHellfire.fileLength) + " bytes)");
}

std::string editionName(const Edition& edition)
{
    return edition.tag == kDiablo.tag ? "Diablo 1.09" : "Hellfire 1.01";
}

std::string named(const tables::FieldRef& field, int row)
{
    return std::string(field.table->name) + " row " + std::to_string(row) + " " +
           std::string(field.field->name);
}

std::span<const std::uint8_t> asBytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void replaceFile(const std::string& target, std::span<const std::uint8_t> bytes, unsigned mode)
{
    // A link is followed, as cp would: the file it leads to takes the bytes, and the link
    // stays. A device, folder or pipe is never replaced by a regular file.
    std::string path = target;
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            char* resolved = ::realpath(target.c_str(), nullptr);
            if (!resolved)
                throw FileError::fromErrno(target, "write", errno, " (following the link it is)");
            path = resolved;
            std::free(resolved);
            if (::stat(path.c_str(), &info) != 0) throw FileError::fromErrno(path, "write", errno);
        }
        if (!S_ISREG(info.st_mode))
            throw Refused(target + " is not a regular file (a folder, a device or a pipe); nothing written");
    }
    std::string temporary = path + ".tarvix-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw FileError::fromErrno(path, "write", errno, " (making a temporary file beside it)");
    auto fail = [&](const char* step) {
        const int err = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        throw FileError::fromErrno(temporary, step, err);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("write");
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0) fail("set the permissions of");
    if (::fsync(fd) != 0) fail("write");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        throw FileError::fromErrno(temporary, "write", err);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        throw FileError::fromErrno(path, "replace", err, " with " + temporary);
    }
}

std::string readWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError::fromErrno(path, "open", errno, " for reading");
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            throw FileError::fromErrno(path, "read", err);
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

unsigned permissionsOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throw FileError::fromErrno(path, "open", errno);
    return st.st_mode & 07777;
}

std::string hex(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

} // namespace tarvix::cli
