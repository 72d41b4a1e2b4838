#pragma once

#include "tables/FileImage.h"

#include <string>
#include <vector>

namespace tarvix::tables {

// One field whose bytes differ between two files of one edition. The texts differ too,
// except where only bytes behind the end of a text in its buffer do (sameText()).
struct FieldChange {
    FieldRef field;
    int row = 0;
    std::string rowName; // the row's name in the first file, where its table names rows
    FieldValue before;
    FieldValue after;

    // A pointer field whose pointer itself changed: its text now comes from elsewhere, or
    // there is none. Writing a value in place cannot do that.
    bool retargeted() const { return before.pointer != after.pointer; }
    bool sameText() const { return before.text == after.text && !retargeted(); }
};

// What differs between two executables of one edition, in the terms of the tables.
struct Differences {
    std::vector<FieldChange> fields;  // in the order of allTables(), then row, then field
    std::vector<ByteRange> unclaimed; // differing bytes that no field's value takes, ascending

    bool same() const { return fields.empty() && unclaimed.empty(); }
};

// Throws std::runtime_error naming both files when their editions differ.
Differences compare(const FileImage& before, const FileImage& after);

// Whether any field of a row reads otherwise in the working copy than in the original:
// what a record list marks. Reads the row in the caller's access cycle.
bool rowDiffers(WorkingCopy& file, const FileImage& original, const Table& table, int row);

// The text a list shows for a row ("name", else "magic_name"); empty for tables without.
std::string rowName(const FileImage& image, const Table& table, int row);

} // namespace tarvix::tables
