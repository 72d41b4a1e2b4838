#pragma once

#include "exe/Edition.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tarvix::gensample {

// A constant that differs between the two executables.
struct PerEdition {
    std::uint32_t diablo;
    std::uint32_t hellfire;

    std::uint32_t of(const Edition& edition) const { return edition.tag == kDiablo.tag ? diablo : hellfire; }
};

enum class Kind {
    Unsigned,
    Signed,
    Text, // 4-byte pointer to a text in the pool; the data gives the text, `<column>_null` = 1 for 0
};

// One stored field of a record, named after its data column.
struct Field {
    std::string_view column;
    std::uint32_t offset; // within the record
    std::uint32_t width;  // bytes: 1, 2 or 4 (always 4 for Text)
    Kind kind;
};

// A run of records at a fixed file offset, filled from one data file.
struct TableLayout {
    std::string_view name;        // for messages and the map
    std::string_view data;        // data file stem: "<data>_diablo.tsv" / "<data>_hellfire.tsv"
    std::string_view indexColumn; // column giving the record number; empty = the row order
    PerEdition offset;            // file offset of record 0
    PerEdition count;             // records the game holds: the data must give exactly these
    PerEdition stride;            // record i lies at offset + i x stride
    PerEdition reserved;          // bytes kept for the table when more than count x stride, else 0
    std::span<const Field> fields;
    // Bytes of a record that no field describes normally keep the filler, as varied as
    // the other members and padding the game keeps there. An array of the game's ints
    // of which the data gives only the low bytes holds zeros above its small values.
    bool zeroAboveFields = false;
};

// A text at a fixed file offset. Some of the game's offsets point one byte into a
// literal; that byte (the data's byte_before) is laid down in front of the text.
struct FixedText {
    std::string_view key; // row key in scalars_<edition>.tsv
    PerEdition offset;
    std::uint32_t region; // bytes the editor reads there
};

// A pointer stored at a fixed offset that leads to a table whose place the generator chooses.
struct TablePointer {
    std::string_view name;
    PerEdition offset;
    std::string_view table; // TableLayout::name of the target
};

std::span<const TableLayout> tableLayouts();
std::span<const FixedText> fixedTexts();
const TablePointer& flipTablePointer();

// File offset where the pool of texts starts; it grows upwards as texts are added.
inline constexpr PerEdition kPoolOffset{0x30000, 0x30000};

// Columns of the data that describe a record rather than being stored in it.
bool isDescriptiveColumn(std::string_view column);

} // namespace tarvix::gensample
