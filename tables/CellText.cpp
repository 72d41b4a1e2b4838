#include "tables/CellText.h"

#include <charconv>

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

} // namespace

std::string escapeText(std::string_view text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string cell;
    cell.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool plain = byte >= 0x20 && byte < 0x7F && escapeAt(text, i) < 0;
        if (plain) {
            cell += static_cast<char>(byte);
            continue;
        }
        cell += "\\x";
        cell += kHex[byte >> 4];
        cell += kHex[byte & 0xF];
    }
    return cell;
}

std::string unescapeText(std::string_view cell)
{
    std::string text;
    text.reserve(cell.size());
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const int byte = escapeAt(cell, i);
        if (byte < 0) {
            text += cell[i];
            continue;
        }
        text += static_cast<char>(byte);
        i += 3;
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
