#pragma once

#include "tables/Layout.h"

#include <span>
#include <string_view>

// Every game table and fixed text the program reads or writes, for both executables:
// where it lies and what each of its fields is. Every offset, count and stride of the
// game is written here and nowhere else.
namespace tarvix::tables {

extern const Table kBaseItems;    // base item kinds, 76-byte records
extern const Table kUniqueItems;  // unique items, 84-byte records with six effect slots
extern const Table kAffixes;      // prefixes then suffixes, 48-byte records
extern const Table kMonsters;     // monster kinds, 128-byte records
extern const Table kActiveFlags;  // whether the game may place each monster kind
extern const Table kBosses;       // boss monsters, 32-byte records
extern const Table kSpeeches;     // speeches, 16-byte records
extern const Table kSounds;       // sound names, 9-byte records
extern const Table kFlips;        // item flip animations: name, flip sound, inventory sound
extern const Table kGraphicFlips; // flip animation of each item graphic, found through a pointer
extern const Table kSpells;       // spells, 56-byte records
extern const Table kSpellIcons;   // icon number of each spell
extern const Table kSpellbook;    // five pages of seven slots
extern const Table kClasses;      // character classes, spread over seven arrays
extern const Table kTexts;        // texts at fixed places: version string, save names, cursor file

// In the order above.
std::span<const Table* const> allTables();
// nullptr when there is no such table.
const Table* findTable(std::string_view name);

// The spellbook's pages are runs of this many slots: slot k of page p is row 7p + k.
inline constexpr int kSpellbookSlotsPerPage = 7;

// Affix rows before this one are prefixes (the prefix list's terminator included).
int prefixCount(const Edition& edition);

} // namespace tarvix::tables
