#include "tables/CellText.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace tarvix::tables {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// \xHH at position i of s: the byte it stands for, or -1.
int escapeAt(std::string_view s, std::size_t i)
{
    if (i + 4 > s.size()) return -1;
    if (s[i] != '\\' || s[i + 1] != 'x') return -1;
    const int high = hexDigit(s[i + 2]);
    const int low = hexDigit(s[i + 3]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

std::string hexByte(unsigned byte)
{
    static const char kHex[] = "0123456789ABCDEF";
    return std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

// A character typed as UTF-8 (a terminal's, a spreadsheet's) at position i, as the one
// byte the game's 8-bit texts give it, as the editors store it. Anything else would be
// stored as other characters than were typed, so it is refused.
unsigned latin1At(std::string_view s, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    const auto next = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0u;
    const bool continued = (next & 0xC0) == 0x80;
    if ((lead == 0xC2 || lead == 0xC3) && continued) return ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
    if (lead >= 0xC4 && lead <= 0xF4 && continued) {
        std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, s.size() - i);
        throw std::invalid_argument("\"" + std::string(s.substr(i, length)) +
                                    "\" is not a character the game's 8-bit texts can hold (write a byte as "
                                    "\\xHH)");
    }
    throw std::invalid_argument("byte 0x" + hexByte(lead).substr(2) +
                                " is not part of a UTF-8 character (write a byte of the game's text as " +
                                hexByte(lead) + ")");
}

} // namespace

std::string escapeText(std::string_view text)
{
    std::string cell;
    cell.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool plain = byte >= 0x20 && byte < 0x7F && escapeAt(text, i) < 0;
        if (plain) {
            cell += static_cast<char>(byte);
            continue;
        }
        cell += hexByte(byte);
    }
    return cell;
}

std::string unescapeText(std::string_view cell)
{
    std::string text;
    text.reserve(cell.size());
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const auto lead = static_cast<unsigned char>(cell[i]);
        if (const int byte = escapeAt(cell, i); byte >= 0) {
            text += static_cast<char>(byte);
            i += 3;
        } else if (lead < 0x80) {
            text += cell[i];
        } else {
            text += static_cast<char>(latin1At(cell, i));
            ++i;
        }
    }
    return text;
}

std::optional<std::int64_t> parseInteger(std::string_view cell)
{
    std::int64_t value = 0;
    const char* end = cell.data() + cell.size();
    auto [stop, err] = std::from_chars(cell.data(), end, value);
    if (cell.empty() || err != std::errc() || stop != end) return std::nullopt;
    return value;
}

} // namespace tarvix::tables
