#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvix {

// One access cycle on the working copy: opened by a handler, used, closed when the
// handler's scope ends. Opening never creates or truncates the file, and no write can
// reach beyond its end, so the working copy's length never changes through Tarvix.
// Every failure is a FileError naming the file, the step and the system's reason.
class WorkingCopy {
public:
    // WriteOnly still opens the file for reading too: a field that cannot be written
    // whole is put back from the bytes it replaced, which must be read first.
    enum class Mode { ReadOnly, WriteOnly, ReadWrite };

    WorkingCopy(std::string path, Mode mode);
    // Refuses to open a file whose length is no longer expectedLength, the length of the
    // edition it was loaded as: another program may have replaced or cut it since, and
    // every offset an editor uses belongs to that one length.
    WorkingCopy(std::string path, Mode mode, std::uint64_t expectedLength);
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    const std::string& path() const { return m_path; }
    std::uint64_t length() const { return m_length; }

    // Reads up to buffer.size() bytes at offset; returns how many were read. A read at
    // or past the end reads fewer and zero-fills the rest of the buffer.
    std::size_t readInto(std::uint64_t offset, std::span<std::uint8_t> buffer);
    // count bytes at offset, zero-filled past the end of the file.
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count);
    // Little-endian integer of width 1, 2 or 4.
    std::uint32_t readUnsigned(std::uint64_t offset, int width);
    std::int32_t readSigned(std::uint64_t offset, int width);

    // Refuses (FileError, nothing written) when any byte would lie at or past the end, or
    // when the file's length is no longer what it was at opening. A field that cannot be
    // written whole gets its old bytes back before the FileError is thrown.
    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Writes the low `width` bytes of value, little-endian.
    void writeUnsigned(std::uint64_t offset, int width, std::uint32_t value);

    // Closes now and reports a failure to flush; the destructor closes silently.
    void close();

private:
    void checkLengthUnchanged(const char* operation) const;

    std::string m_path;
    Mode m_mode;
    int m_fd = -1;
    std::uint64_t m_length = 0;
};

} // namespace tarvix
