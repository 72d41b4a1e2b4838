#pragma once

#include "exe/TextAccess.h"
#include "tables/Layout.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvix {
class WorkingCopy;
}

namespace tarvix::tables {

// Where a table's runs lie in one working copy. Fixed places come from the edition; a
// place the game finds through a pointer is read from the file.
class Placement {
public:
    Placement(const Table& table, const Edition& edition, WorkingCopy& file);
    // For tables at fixed places; throws std::logic_error for one found through a pointer.
    Placement(const Table& table, const Edition& edition);

    const Table& table() const { return *m_table; }
    const Edition& edition() const { return *m_edition; }
    int rows() const { return static_cast<int>(m_table->rows.of(*m_edition)); }

    // No check against rows(): a modder may have lengthened a table the game reads on.
    std::uint64_t entryOffset(const Run& run, int row) const;
    std::uint64_t offsetOf(const FieldRef& field, int row) const;

private:
    std::size_t runIndex(const Run& run) const;

    const Table* m_table;
    const Edition* m_edition;
    std::vector<std::uint64_t> m_runBase;
};

// Bits of a stored number as the game reads them back.
std::uint32_t decodeBits(std::span<const std::uint8_t> bytes, Type type);
std::int64_t asValue(std::uint32_t bits, Type type);
// The low bits of value that the type stores.
std::uint32_t lowBits(std::int64_t value, Type type);

// One row's bytes, every run of it read in the same access cycle.
class RowBytes {
public:
    static RowBytes read(WorkingCopy& file, const Placement& placement, int row);
    // Rows [0, count) (count < 0: the table's rows), one read per run.
    static std::vector<RowBytes> readRows(WorkingCopy& file, const Placement& placement, int count = -1);

    int row() const { return m_row; }
    std::uint64_t offsetOf(const FieldRef& field) const;
    std::uint32_t bits(const FieldRef& field) const;    // numbers and pointers
    std::int64_t value(const FieldRef& field) const;    // bits read with the field's sign
    std::string inlineText(const FieldRef& field) const; // Text: its buffer up to the first zero

private:
    std::span<const std::uint8_t> bytesOf(const FieldRef& field) const;

    const Placement* m_placement = nullptr;
    int m_row = 0;
    std::vector<std::vector<std::uint8_t>> m_runs;
};

// The texts behind one pointer field for rows [0, count) (count < 0: the table's rows),
// as a list of names shows them: the pointers in one read, then the texts, all in the
// caller's access cycle. A zero pointer gives an empty StoredName.
std::vector<StoredName> readTexts(WorkingCopy& file, const Placement& placement, const FieldRef& field,
                                  std::size_t window, int count = -1);
// The same for count pointers that a caller was handed as a place in the file: the first
// at firstPointer, the others stride bytes apart.
std::vector<StoredName> readTexts(WorkingCopy& file, std::uint64_t firstPointer, std::uint32_t stride, int count,
                                  std::size_t window, std::uint32_t pointerDelta);

// The values of one number field for rows [0, count) (count < 0: the table's rows), read
// with the field's sign, from one read in the caller's access cycle.
std::vector<std::int64_t> readColumn(WorkingCopy& file, const Placement& placement, const FieldRef& field,
                                     int count = -1);

} // namespace tarvix::tables
