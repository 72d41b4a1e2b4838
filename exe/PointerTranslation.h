#pragma once

#include <cstdint>

namespace tarvix {

// File offset of a pointer stored in the game's tables (32-bit arithmetic).
std::uint32_t translatePointer(std::uint32_t pointer, std::uint32_t delta);

// The flip table's pointer can lie in a range that the Diablo executable maps with
// Hellfire's delta; pointers there translate with 0x401600 whatever the edition.
inline constexpr std::uint32_t kHighRangeFirst = 0x47A3F0;
inline constexpr std::uint32_t kHighRangeLast = 0x4833FF;
inline constexpr std::uint32_t kHighRangeDelta = 0x401600;
std::uint32_t translateHighRangePointer(std::uint32_t pointer, std::uint32_t delta);

} // namespace tarvix
