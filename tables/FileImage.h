#pragma once

#include "tables/Access.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix {
class WorkingCopy;
}

namespace tarvix::tables {

// A field's value in the form of the data files: a number in decimal with the field's
// sign, or a text. A pointer field also carries the pointer itself; a zero pointer has
// no text (isNull), which is not the same as an empty one.
struct FieldValue {
    std::string text;
    std::uint32_t pointer = 0;
    bool isNull = false;
};

// Whether a value given as text (a number in any decimal spelling, or a text) is the
// value stored. A zero pointer holds only the empty text.
bool sameValue(const Field& field, const FieldValue& stored, std::string_view value);

// Bytes [begin, end) of a file.
struct ByteRange {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// Reads one field of one row from a whole file's bytes, as cellsOf() reads it from the
// file: texts behind pointers up to their zero byte, at most kLongestText bytes.
FieldValue valueIn(std::span<const std::uint8_t> bytes, const Placement& placement, const FieldRef& field,
                   int row);

// The same, read from a working copy in the caller's access cycle.
FieldValue readValue(WorkingCopy& file, const Placement& placement, const FieldRef& field, int row);

// Two values the game reads alike: the same number, or the same text (or none).
inline bool sameValue(const FieldValue& a, const FieldValue& b)
{
    return a.isNull == b.isNull && a.text == b.text;
}

// A whole executable read in one go, every table placed in it: for comparing two files
// and for checking a batch of writes before any of it reaches the disk.
class FileImage {
public:
    // Throws std::runtime_error naming the file when its length is neither edition's.
    explicit FileImage(WorkingCopy& file);

    const std::string& path() const { return m_path; }
    const Edition& edition() const { return *m_edition; }
    std::span<const std::uint8_t> bytes() const { return m_bytes; }
    const Placement& placement(const Table& table) const;

    FieldValue value(const FieldRef& field, int row) const;
    // The bytes that make the value: a number's own bytes; an inline text's whole buffer;
    // a pointer's four bytes and the text behind it with its zero byte. Clipped to the file.
    std::vector<ByteRange> extent(const FieldRef& field, int row) const;

private:
    std::string m_path;
    const Edition* m_edition = nullptr;
    std::vector<std::uint8_t> m_bytes;
    std::vector<Placement> m_placements; // in the order of allTables()
};

} // namespace tarvix::tables
