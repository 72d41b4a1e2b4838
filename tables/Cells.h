#pragma once

#include "tables/Access.h"

#include <string>
#include <vector>

namespace tarvix::tables {

// A table's rows as text, one cell per column, in the form of the sample data files:
// the index column, the columns that follow from the row number, then each field in row
// order; numbers in decimal with the field's sign, a text as its characters, and beside
// each pointer a "<name>_null" column holding 1 for a zero pointer (whose text is empty)
// and 0 otherwise, so that no text and an empty text differ.
std::vector<std::string> columnsOf(const Table& table);

// Texts behind pointers are read up to their zero byte, at most this many bytes.
inline constexpr std::size_t kLongestText = 4096;

// The cells of one row, in the order of columnsOf().
std::vector<std::string> cellsOf(WorkingCopy& file, const Placement& placement, int row);

} // namespace tarvix::tables
