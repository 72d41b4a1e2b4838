#pragma once

#include "tables/Layout.h"

#include <cstdint>
#include <string_view>

// What the sample generator decides for itself. Where the game keeps its tables is not
// among it: that is the table descriptions' business.
namespace tarvix::gensample {

using tables::PerEdition;

// File offset where the pool of texts starts; it grows upwards as texts are added.
inline constexpr PerEdition kPoolOffset{0x30000, 0x30000};

// Where the generator puts the graphic-to-flip table, which the game finds through the
// flip-table pointer. For Diablo the place must lie where that pointer falls in the range
// translated with Hellfire's delta (file offsets 0x78DF0..0x81DFF).
inline constexpr PerEdition kGraphicFlipPlace{0x7A000, 0xA4180};

// The graphic-to-flip table may be read up to graphic 255, so its whole byte range is kept.
inline constexpr std::uint32_t kGraphicFlipReserve = 256;

// The data file of the texts at fixed places: one row per text, keyed by field name.
inline constexpr std::string_view kFixedTextData = "scalars";

// A run whose entries are the game's ints of which the data gives only the low bytes:
// zeros above its small values, as the game has them, rather than the filler.
bool holdsSmallInts(const tables::Run& run);

} // namespace tarvix::gensample
