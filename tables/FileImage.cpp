#include "tables/FileImage.h"

#include "exe/PointerTranslation.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "tables/CellText.h"
#include "tables/Cells.h"
#include "tables/GameTables.h"

#include <algorithm>
#include <stdexcept>

namespace tarvix::tables {

namespace {

// Bytes [offset, offset + count) that lie inside the file.
std::span<const std::uint8_t> clipped(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                                      std::uint64_t count)
{
    if (offset >= bytes.size()) return {};
    return bytes.subspan(static_cast<std::size_t>(offset),
                         static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes.size() - offset)));
}

// Length of the text at offset and whether its zero byte lies within limit and the file.
struct TextSpan {
    std::uint64_t length = 0;
    bool terminated = false;
};

TextSpan textAt(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t limit)
{
    const auto window = clipped(bytes, offset, limit);
    const auto zero = std::find(window.begin(), window.end(), std::uint8_t{0});
    return {static_cast<std::uint64_t>(zero - window.begin()), zero != window.end()};
}

// A number's bits; zeros for bytes past the end of the file, as WorkingCopy reads them.
std::uint32_t bitsAt(std::span<const std::uint8_t> bytes, std::uint64_t offset, Type type)
{
    std::uint8_t raw[4] = {};
    const auto stored = clipped(bytes, offset, widthOf(type));
    std::copy(stored.begin(), stored.end(), raw);
    return decodeBits(raw, type);
}

std::uint32_t pointerTarget(std::uint32_t pointer, const Placement& placement)
{
    return translatePointer(pointer, placement.edition().pointerDelta);
}

} // namespace

FieldValue readValue(WorkingCopy& file, const Placement& placement, const FieldRef& field, int row)
{
    const Field& f = *field.field;
    const std::uint64_t at = placement.offsetOf(field, row);
    FieldValue value;
    switch (f.type) {
    case Type::Pointer: {
        const StoredName name = readName(file, at, kLongestText, placement.edition().pointerDelta);
        value.isNull = name.isNull;
        value.pointer = name.pointer;
        value.text = name.text;
        break;
    }
    case Type::Text: value.text = readFixedText(file, at, f.room); break;
    default: value.text = std::to_string(asValue(file.readUnsigned(at, static_cast<int>(widthOf(f.type))), f.type)); break;
    }
    return value;
}

bool sameValue(const Field& field, const FieldValue& stored, std::string_view value)
{
    if (isText(field.type)) return stored.text == value && (!stored.isNull || value.empty());
    const auto given = parseInteger(value);
    return given && std::to_string(*given) == stored.text;
}

FieldValue valueIn(std::span<const std::uint8_t> bytes, const Placement& placement, const FieldRef& field,
                   int row)
{
    const Field& f = *field.field;
    const std::uint64_t at = placement.offsetOf(field, row);
    FieldValue value;
    if (f.type == Type::Text) {
        const auto text = clipped(bytes, at, textAt(bytes, at, f.room).length);
        value.text.assign(text.begin(), text.end());
        return value;
    }
    const std::uint32_t bits = bitsAt(bytes, at, f.type);
    if (f.type != Type::Pointer) {
        value.text = std::to_string(asValue(bits, f.type));
        return value;
    }
    value.pointer = bits;
    value.isNull = bits == 0;
    if (!value.isNull) {
        const std::uint64_t target = pointerTarget(bits, placement);
        const auto text = clipped(bytes, target, textAt(bytes, target, kLongestText).length);
        value.text.assign(text.begin(), text.end());
    }
    return value;
}

FileImage::FileImage(WorkingCopy& file) : m_path(file.path())
{
    m_edition = editionForLength(file.length());
    if (!m_edition)
        throw std::runtime_error(
            m_path + ": " + std::to_string(file.length()) +
            " bytes, the length of neither the Diablo 1.09 (760320 bytes) nor the Hellfire "
            "1.01 executable (859136 bytes)");
    m_bytes = file.read(0, static_cast<std::size_t>(file.length()));
    for (const Table* table : allTables())
        m_placements.emplace_back(*table, *m_edition, file);
}

const Placement& FileImage::placement(const Table& table) const
{
    for (const Placement& placement : m_placements)
        if (&placement.table() == &table) return placement;
    throw std::logic_error("no placement for table " + std::string(table.name));
}

FieldValue FileImage::value(const FieldRef& field, int row) const
{
    return valueIn(m_bytes, placement(*field.table), field, row);
}

std::vector<ByteRange> FileImage::extent(const FieldRef& field, int row) const
{
    const Placement& place = placement(*field.table);
    const Field& f = *field.field;
    const std::uint64_t at = place.offsetOf(field, row);
    const std::uint64_t size = m_bytes.size();
    auto range = [&](std::uint64_t begin, std::uint64_t count) {
        begin = std::min(begin, size);
        return ByteRange{begin, std::min(size, begin + count)};
    };
    auto textRange = [&](std::uint64_t begin, std::uint64_t limit) {
        const TextSpan text = textAt(m_bytes, begin, limit);
        return range(begin, text.length + (text.terminated ? 1 : 0));
    };

    std::vector<ByteRange> ranges{range(at, widthOf(f.type, f.room))};
    if (f.type == Type::Pointer) {
        const std::uint32_t pointer = bitsAt(m_bytes, at, Type::Pointer);
        if (pointer != 0) ranges.push_back(textRange(pointerTarget(pointer, place), kLongestText));
    }
    return ranges;
}

} // namespace tarvix::tables
