#include "exe/WorkingCopy.h"

#include "exe/AccessLog.h"
#include "exe/FileError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvix {

namespace {

const char* purpose(WorkingCopy::Mode mode)
{
    switch (mode) {
    case WorkingCopy::Mode::ReadOnly: return " for reading";
    case WorkingCopy::Mode::WriteOnly: return " for writing";
    case WorkingCopy::Mode::ReadWrite: return " for reading and writing";
    }
    return "";
}

std::string changedOnDisk(std::uint64_t now, std::uint64_t expected)
{
    return "The file changed on disk: it is now " + std::to_string(now) + " bytes long instead of " +
           std::to_string(expected);
}

std::string writeFailure(int err)
{
    return err != 0 ? std::strerror(err) : "The system wrote nothing";
}

// Writes all of bytes, carrying on after short writes; returns how many were written
// and, when that is fewer, the errno of the step that failed (0 if it wrote nothing).
std::size_t writeAll(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes, int& err)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return done;
        }
        if (n == 0) {
            err = 0;
            return done;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// Fields are 1, 2 or 4 bytes; anything else would run past the 4-byte scratch buffers.
void checkWidth(int width)
{
    if (width < 1 || width > 4) throw std::invalid_argument("field width must be 1 to 4 bytes");
}

} // namespace

WorkingCopy::WorkingCopy(std::string path, Mode mode) : m_path(std::move(path)), m_mode(mode)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a partner before the check for a
    // regular file could refuse it, and the program would freeze.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    flags |= mode == Mode::ReadOnly ? O_RDONLY : O_RDWR;
    m_fd = ::open(m_path.c_str(), flags);
    if (m_fd < 0) {
        int err = errno;
        // A socket or a FIFO without a reader fails with "No such device or address",
        // which says nothing to the user about what the file is.
        struct stat st {};
        if (err == ENXIO && ::stat(m_path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            throw FileError(m_path, "open", "Not a regular file", purpose(mode));
        throw FileError::fromErrno(m_path, "open", err, purpose(mode));
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        int err = errno;
        ::close(m_fd);
        throw FileError::fromErrno(m_path, "open", err, purpose(mode));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(m_fd);
        throw FileError(m_path, "open", "Not a regular file", purpose(mode));
    }
    int status = ::fcntl(m_fd, F_GETFL);
    if (status < 0 || ::fcntl(m_fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        int err = errno;
        ::close(m_fd);
        throw FileError::fromErrno(m_path, "open", err, purpose(mode));
    }
    m_length = static_cast<std::uint64_t>(st.st_size);
}

WorkingCopy::WorkingCopy(std::string path, Mode mode, std::uint64_t expectedLength)
    : WorkingCopy(std::move(path), mode)
{
    // The object is complete here, so its destructor closes the file.
    if (m_length != expectedLength)
        throw FileError(m_path, "open", changedOnDisk(m_length, expectedLength), purpose(mode));
}

WorkingCopy::~WorkingCopy()
{
    if (m_fd >= 0) ::close(m_fd);
}

void WorkingCopy::close()
{
    if (m_fd < 0) return;
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) throw FileError::fromErrno(m_path, "close", errno);
}

std::size_t WorkingCopy::readInto(std::uint64_t offset, std::span<std::uint8_t> buffer)
{
    if (m_fd < 0) throw FileError(m_path, "read", "File is not open");
    AccessLog::note(false, offset, buffer.size());
    std::size_t done = 0;
    while (done < buffer.size() && offset + done < m_length) {
        ssize_t n = ::pread(m_fd, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError::fromErrno(m_path, "read", errno);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    // An empty buffer may have no storage at all, and memset on a null pointer is
    // undefined even for zero bytes.
    if (done < buffer.size()) std::memset(buffer.data() + done, 0, buffer.size() - done);
    return done;
}

std::vector<std::uint8_t> WorkingCopy::read(std::uint64_t offset, std::size_t count)
{
    std::vector<std::uint8_t> bytes(count);
    readInto(offset, bytes);
    return bytes;
}

std::uint32_t WorkingCopy::readUnsigned(std::uint64_t offset, int width)
{
    checkWidth(width);
    std::uint8_t b[4] = {};
    readInto(offset, std::span<std::uint8_t>(b, static_cast<std::size_t>(width)));
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[i];
    return v;
}

std::int32_t WorkingCopy::readSigned(std::uint64_t offset, int width)
{
    // The field's top bit goes to bit 31 and back, carrying the sign with it: right
    // shifts of signed values are arithmetic since C++20.
    const int unused = 32 - 8 * width;
    return static_cast<std::int32_t>(readUnsigned(offset, width) << unused) >> unused;
}

void WorkingCopy::write(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    if (m_fd < 0) throw FileError(m_path, "write", "File is not open");
    if (m_mode == Mode::ReadOnly) throw FileError(m_path, "write", "File was opened for reading only");
    if (offset > m_length || bytes.size() > m_length - offset) {
        char where[64];
        std::snprintf(where, sizeof where, "offset 0x%llX lies outside the file",
                      static_cast<unsigned long long>(offset));
        throw FileError(m_path, "write", where);
    }
    if (bytes.empty()) return;
    AccessLog::note(true, offset, bytes.size());
    // A file cut short since opening would be lengthened by a write past its new end.
    checkLengthUnchanged("write");
    std::vector<std::uint8_t> old(bytes.size());
    if (readInto(offset, old) != old.size()) {
        checkLengthUnchanged("write");
        throw FileError(m_path, "write", "The bytes it would replace could not be read");
    }

    int err = 0;
    if (writeAll(m_fd, offset, bytes, err) == bytes.size()) return;
    // Half a field is worse than none: an editor reports the failure, and the user must
    // be able to trust that the field still holds what it held.
    std::string reason = writeFailure(err);
    int restoreErr = 0;
    if (writeAll(m_fd, offset, old, restoreErr) != old.size()) {
        char where[96];
        std::snprintf(where, sizeof where, ", and the old bytes at offset 0x%llX could not be put back: ",
                      static_cast<unsigned long long>(offset));
        reason += where + writeFailure(restoreErr);
    }
    throw FileError(m_path, "write", reason);
}

void WorkingCopy::checkLengthUnchanged(const char* operation) const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) throw FileError::fromErrno(m_path, operation, errno);
    const auto now = static_cast<std::uint64_t>(st.st_size);
    if (now != m_length) throw FileError(m_path, operation, changedOnDisk(now, m_length));
}

void WorkingCopy::writeUnsigned(std::uint64_t offset, int width, std::uint32_t value)
{
    checkWidth(width);
    std::uint8_t b[4];
    for (int i = 0; i < width; ++i) b[i] = static_cast<std::uint8_t>(value >> (8 * i));
    write(offset, std::span<const std::uint8_t>(b, static_cast<std::size_t>(width)));
}

} // namespace tarvix
