#include "SampleImage.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace tarvix::gensample {

namespace {

std::string hex(std::uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string describe(const SampleImage::Region& region)
{
    return region.what + " [" + hex(region.begin) + ", " + hex(region.end) + ")";
}

// Bytes the data does not describe, inside records or between tables: varied, so that a
// read at a wrong offset or of a wrong width does not happen to find what it expects.
std::uint8_t fillerByte(std::uint64_t offset)
{
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(offset) * 0x9E3779B1u) >> 24);
}

} // namespace

SampleImage::SampleImage(const Edition& edition, std::uint32_t poolOffset)
    : m_edition(edition), m_poolOffset(poolOffset), m_bytes(edition.fileLength)
{
    for (std::size_t i = 0; i < m_bytes.size(); ++i)
        m_bytes[i] = fillerByte(i);
}

void SampleImage::checkInside(std::uint64_t offset, std::uint64_t size, std::string_view what) const
{
    if (offset > m_bytes.size() || size > m_bytes.size() - offset)
        throw std::runtime_error(std::string(what) + " at " + hex(offset) + " (" + std::to_string(size) +
                                 " bytes) lies outside the " + std::to_string(m_bytes.size()) + "-byte file");
}

void SampleImage::reserve(std::string what, std::uint64_t offset, std::uint64_t size, Fill fill)
{
    checkInside(offset, size, what);
    if (fill == Fill::Clear)
        std::fill_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), size, std::uint8_t{0});
    m_regions.push_back({std::move(what), offset, offset + size});
}

void SampleImage::putInteger(std::uint64_t offset, std::uint32_t width, std::uint32_t value)
{
    checkInside(offset, width, "a field");
    for (std::uint32_t i = 0; i < width; ++i)
        m_bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void SampleImage::putBytes(std::uint64_t offset, std::string_view bytes)
{
    checkInside(offset, bytes.size(), "a text");
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::uint32_t SampleImage::addText(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos) throw std::runtime_error("a text holds a zero byte");
    // Texts start on 4-byte boundaries, as the game's compiler lays out its literals.
    m_pool.resize((m_pool.size() + 3) & ~std::size_t{3}, '\0');
    std::uint32_t offset = m_poolOffset + static_cast<std::uint32_t>(m_pool.size());
    m_pool.append(text);
    m_pool.push_back('\0');
    return offset + m_edition.pointerDelta;
}

void SampleImage::finish()
{
    reserve("text pool", m_poolOffset, m_pool.size(), Fill::Clear);
    putBytes(m_poolOffset, m_pool);

    std::sort(m_regions.begin(), m_regions.end(),
              [](const Region& a, const Region& b) { return a.begin < b.begin; });
    for (std::size_t i = 1; i < m_regions.size(); ++i) {
        if (m_regions[i].begin < m_regions[i - 1].end)
            throw std::runtime_error(describe(m_regions[i - 1]) + " overlaps " + describe(m_regions[i]));
    }
}

} // namespace tarvix::gensample
