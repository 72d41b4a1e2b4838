#pragma once

#include "exe/Edition.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix::gensample {

// Bytes of one sample executable being put together. Every table and text claims its
// bytes; finish() refuses the image when two claims meet or one leaves the file.
class SampleImage {
public:
    struct Region {
        std::string what;
        std::uint64_t begin;
        std::uint64_t end; // one past the last byte
    };

    SampleImage(const Edition& edition, std::uint32_t poolOffset);

    const Edition& edition() const { return m_edition; }

    // What a claimed region holds before its fields are written.
    enum class Fill {
        Keep,  // the filler: record bytes the data does not describe stay as varied as the
               // game's own, so a reader that takes a field too wide gets a wrong value
        Clear, // zeros, as behind a text in its buffer or above a small int
    };

    // Claims [offset, offset + size).
    void reserve(std::string what, std::uint64_t offset, std::uint64_t size, Fill fill);
    // Low `width` bytes of value, little-endian.
    void putInteger(std::uint64_t offset, std::uint32_t width, std::uint32_t value);
    void putBytes(std::uint64_t offset, std::string_view bytes);

    // Adds text and its zero byte to the pool and returns the pointer the game would
    // hold for it. Every call gets its own copy, so that renaming one record never
    // renames another.
    std::uint32_t addText(std::string_view text);

    // Lays the pool down and checks every claim. Throws std::runtime_error naming the
    // regions concerned.
    void finish();
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    // Sorted by offset once finish() has run.
    const std::vector<Region>& regions() const { return m_regions; }

private:
    void checkInside(std::uint64_t offset, std::uint64_t size, std::string_view what) const;

    const Edition& m_edition;
    std::uint32_t m_poolOffset;
    std::string m_pool;
    std::vector<std::uint8_t> m_bytes;
    std::vector<Region> m_regions;
};

} // namespace tarvix::gensample
