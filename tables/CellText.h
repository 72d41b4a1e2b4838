#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How a value is written as one cell of a data file, a dump or a recipe, and read back.
namespace tarvix::tables {

// The game's texts are 8-bit and may hold anything but their zero byte; a cell must stay
// on one line and survive a spreadsheet. Bytes outside printable ASCII (tab, newline,
// 0x7F, 0x80..0xFF) become \xHH with two upper-case hex digits. A backslash stays as it is
// (the game's file names are full of them: Sfx\Misc\Walk1.wav, Monsters\newsfx\...),
// except where \x and two hex digits follow it, which would read back as an escape: that
// backslash alone is written \x5C.
std::string escapeText(std::string_view text);
// The inverse of escapeText for every text; \xHH with hex digits of either case is one
// byte, any other backslash is itself. A character typed as UTF-8 (é) is its one byte of
// the game's 8-bit text, as the editors store it; std::invalid_argument says why for
// one no 8-bit text holds (€) and for a byte above 0x7F that is not UTF-8.
std::string unescapeText(std::string_view cell);

// A whole cell in decimal, with an optional minus sign; nothing for anything else.
std::optional<std::int64_t> parseInteger(std::string_view cell);

} // namespace tarvix::tables
