#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvix {

// One of the two game executables Tarvix knows. Recognised by exact file length only:
// the program never reads the executable's headers.
struct Edition {
    std::string_view tag;   // "diablo7" or "hell1"
    std::uint32_t fileLength;
    std::uint32_t pointerDelta; // virtual address minus file offset
};

inline constexpr Edition kDiablo{"diablo7", 0xB9A00, 0x402200};
inline constexpr Edition kHellfire{"hell1", 0xD1C00, 0x401600};

// nullptr for any other length.
const Edition* editionForLength(std::uint64_t length);
// Exact, case-sensitive comparison with the two tags; nullptr for anything else.
const Edition* editionForTag(std::string_view tag);

// Picks the value that belongs to the edition tag; nothing for an unknown tag.
template <class T>
std::optional<T> byEdition(std::string_view tag, const T& diablo, const T& hellfire)
{
    if (tag == kDiablo.tag) return diablo;
    if (tag == kHellfire.tag) return hellfire;
    return std::nullopt;
}

} // namespace tarvix
