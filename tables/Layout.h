#pragma once

#include "exe/Edition.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarvix::tables {

// How a field's bytes are stored. Widths are those of the game's own members; a text is
// either reached through a 4-byte pointer or stored in place in a buffer of its room.
enum class Type : std::uint8_t { U8, S8, U16, S16, U32, S32, Pointer, Text };

// Bytes the field takes in its row (a Text field: its room).
std::uint32_t widthOf(Type type, std::uint32_t room = 0);
bool isSigned(Type type);
bool isText(Type type); // Pointer or Text: the value a player sees is a text
const char* typeName(Type type);

struct Range {
    std::int64_t min;
    std::int64_t max;
};
// Values a number field can hold (a pointer as an unsigned 32-bit number).
Range rangeOf(Type type);

// A stored number and the number a player knows may differ by a rule the game itself
// applies (a dungeon level stored doubled, a staff price stored five times over).
struct Conversion {
    std::int64_t (*toShown)(std::int64_t stored);
    std::int64_t (*toStored)(std::int64_t shown);
};

namespace conversions {
extern const Conversion identity;
extern const Conversion doubledLevel; // stored 2 x level - 2, level shown (stored + 2) / 2
extern const Conversion timesFive;    // stored 5 x shown, shown = stored / 5 (toward zero)
} // namespace conversions

// The shown values whose stored form fits the type, for a monotonic conversion.
Range shownRange(Type type, const Conversion& conversion);

// A value that differs between the two executables.
struct PerEdition {
    std::uint32_t diablo;
    std::uint32_t hellfire;

    constexpr std::uint32_t of(const Edition& edition) const
    {
        return edition.tag == kDiablo.tag ? diablo : hellfire;
    }
};

constexpr PerEdition same(std::uint32_t value)
{
    return {value, value};
}

struct Field {
    std::string_view name;
    std::uint32_t offset; // within its run's entry
    Type type;
    std::uint32_t room = 0;                  // Text: bytes of its buffer, the zero byte included
    const Conversion* conversion = nullptr;  // a rule the game applies to the value, if any
    bool readOnly = false;                   // bytes the program reads but must never write
};

// How a pointer stored in the file leads to a place in the file.
enum class Translation : std::uint8_t {
    Plain,     // minus the edition's pointer delta
    HighRange, // the flip table's pointer: a range of it always takes Hellfire's delta
};

// A table the game finds through a pointer rather than at a fixed place.
struct Via {
    PerEdition pointerOffset; // file offset of the 4-byte pointer
    Translation translation;
};

// One array of entries, one entry per row of its table. Most tables are one run of
// records; a few rows are spread over several arrays (a character class over its frame,
// start-attribute, blocking-bonus, maximum and name arrays).
struct Run {
    PerEdition offset; // file offset of row 0's entry (unused when via is set)
    PerEdition stride; // entry i lies at offset + i x stride
    std::span<const Field> fields;
    const Via* via = nullptr;
};

// A column of a data file that no byte stores: it follows from the row number.
struct Derived {
    std::string_view name;
    std::string (*value)(const Edition& edition, int row);
};

struct Table {
    std::string_view name;        // also the stem of its sample data files
    PerEdition rows;              // rows the game holds; nothing in the file gives them
    std::span<const Run> runs;
    std::string_view indexColumn; // column naming the row in data files; empty = row order
    std::span<const Derived> derived = {};
};

// A field found by name: where it lies is its run's business.
struct FieldRef {
    const Table* table = nullptr;
    const Run* run = nullptr;
    const Field* field = nullptr;

    explicit operator bool() const { return field != nullptr; }
    std::string qualifiedName() const; // "table.field"
};

// Throws std::logic_error naming table and field when there is no such field: a fault
// of the program, found the first time the name is used.
FieldRef fieldOf(const Table& table, std::string_view name);
// Empty when there is none.
FieldRef findField(const Table& table, std::string_view name);

} // namespace tarvix::tables
