#include "tables/Access.h"

#include "exe/PointerTranslation.h"
#include "exe/WorkingCopy.h"

#include <algorithm>
#include <stdexcept>

namespace tarvix::tables {

namespace {

std::uint64_t fixedBase(const Run& run, const Edition& edition)
{
    if (run.via) throw std::logic_error("a table found through a pointer needs the file to be placed");
    return run.offset.of(edition);
}

std::string upToZero(std::span<const std::uint8_t> bytes)
{
    auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

} // namespace

Placement::Placement(const Table& table, const Edition& edition, WorkingCopy& file)
    : m_table(&table), m_edition(&edition)
{
    for (const Run& run : table.runs) {
        if (!run.via) {
            m_runBase.push_back(run.offset.of(edition));
            continue;
        }
        const std::uint32_t pointer = file.readUnsigned(run.via->pointerOffset.of(edition), 4);
        m_runBase.push_back(run.via->translation == Translation::HighRange
                                ? translateHighRangePointer(pointer, edition.pointerDelta)
                                : translatePointer(pointer, edition.pointerDelta));
    }
}

Placement::Placement(const Table& table, const Edition& edition) : m_table(&table), m_edition(&edition)
{
    for (const Run& run : table.runs) m_runBase.push_back(fixedBase(run, edition));
}

std::size_t Placement::runIndex(const Run& run) const
{
    const auto index = static_cast<std::size_t>(&run - m_table->runs.data());
    if (index >= m_table->runs.size()) throw std::logic_error("a field of another table");
    return index;
}

std::uint64_t Placement::entryOffset(const Run& run, int row) const
{
    return m_runBase[runIndex(run)] + std::uint64_t{run.stride.of(*m_edition)} * static_cast<std::uint64_t>(row);
}

std::uint64_t Placement::offsetOf(const FieldRef& field, int row) const
{
    return entryOffset(*field.run, row) + field.field->offset;
}

std::uint32_t decodeBits(std::span<const std::uint8_t> bytes, Type type)
{
    const std::size_t width = std::min<std::size_t>(widthOf(type), bytes.size());
    std::uint32_t v = 0;
    for (std::size_t i = width; i-- > 0;) v = (v << 8) | bytes[i];
    return v;
}

std::int64_t asValue(std::uint32_t bits, Type type)
{
    switch (type) {
    case Type::S8: return static_cast<std::int8_t>(bits);
    case Type::S16: return static_cast<std::int16_t>(bits);
    case Type::S32: return static_cast<std::int32_t>(bits);
    default: return bits;
    }
}

std::uint32_t lowBits(std::int64_t value, Type type)
{
    const std::uint32_t width = widthOf(type);
    const std::uint64_t mask = width >= 4 ? 0xFFFFFFFFull : ((1ull << (8 * width)) - 1);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & mask);
}

namespace {

// Bytes of a run's entry that its fields take.
std::uint32_t spanOf(const Run& run)
{
    std::uint32_t span = 0;
    for (const Field& f : run.fields) span = std::max(span, f.offset + widthOf(f.type, f.room));
    return span;
}

} // namespace

RowBytes RowBytes::read(WorkingCopy& file, const Placement& placement, int row)
{
    RowBytes r;
    r.m_placement = &placement;
    r.m_row = row;
    for (const Run& run : placement.table().runs)
        r.m_runs.push_back(file.read(placement.entryOffset(run, row), spanOf(run)));
    return r;
}

std::vector<RowBytes> RowBytes::readRows(WorkingCopy& file, const Placement& placement, int count)
{
    if (count < 0) count = placement.rows();
    std::vector<RowBytes> rows(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        rows[static_cast<std::size_t>(row)].m_placement = &placement;
        rows[static_cast<std::size_t>(row)].m_row = row;
    }
    if (count == 0) return rows;
    for (const Run& run : placement.table().runs) {
        const std::uint32_t span = spanOf(run);
        const std::size_t stride = run.stride.of(placement.edition());
        const std::vector<std::uint8_t> all =
            file.read(placement.entryOffset(run, 0), stride * static_cast<std::size_t>(count - 1) + span);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const auto first = all.begin() + static_cast<std::ptrdiff_t>(stride * row);
            rows[row].m_runs.emplace_back(first, first + span);
        }
    }
    return rows;
}

std::span<const std::uint8_t> RowBytes::bytesOf(const FieldRef& field) const
{
    const auto index = static_cast<std::size_t>(field.run - m_placement->table().runs.data());
    if (index >= m_runs.size()) throw std::logic_error("a field of another table: " + field.qualifiedName());
    const auto& bytes = m_runs[index];
    return std::span<const std::uint8_t>(bytes).subspan(field.field->offset,
                                                         widthOf(field.field->type, field.field->room));
}

std::uint64_t RowBytes::offsetOf(const FieldRef& field) const
{
    return m_placement->offsetOf(field, m_row);
}

std::uint32_t RowBytes::bits(const FieldRef& field) const
{
    return decodeBits(bytesOf(field), field.field->type);
}

std::int64_t RowBytes::value(const FieldRef& field) const
{
    return asValue(bits(field), field.field->type);
}

std::string RowBytes::inlineText(const FieldRef& field) const
{
    return upToZero(bytesOf(field));
}

std::vector<StoredName> readTexts(WorkingCopy& file, const Placement& placement, const FieldRef& field,
                                  std::size_t window, int count)
{
    if (count < 0) count = placement.rows();
    return readTexts(file, placement.offsetOf(field, 0), field.run->stride.of(placement.edition()), count, window,
                     placement.edition().pointerDelta);
}

std::vector<StoredName> readTexts(WorkingCopy& file, std::uint64_t first, std::uint32_t stride, int count,
                                  std::size_t window, std::uint32_t pointerDelta)
{
    std::vector<StoredName> names(static_cast<std::size_t>(std::max(count, 0)));
    if (count <= 0) return names;
    const std::vector<std::uint8_t> entries = file.read(first, std::size_t{stride} * (count - 1) + 4);

    std::uint64_t low = UINT64_MAX, high = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t pointer = decodeBits(std::span(entries).subspan(std::size_t{stride} * i, 4), Type::U32);
        if (pointer == 0) continue;
        StoredName& name = names[static_cast<std::size_t>(i)];
        name.isNull = false;
        name.pointer = pointer;
        name.target = translatePointer(pointer, pointerDelta);
        low = std::min<std::uint64_t>(low, name.target);
        high = std::max<std::uint64_t>(high, name.target + window);
    }
    if (high == 0) return names;

    // Names lie together in the game's string pool: one read covers them all, where the
    // pool is not spread over more than a modest stretch of the file.
    constexpr std::uint64_t kOneRead = 1 << 20;
    std::vector<std::uint8_t> pool;
    if (high - low <= kOneRead) pool = file.read(low, static_cast<std::size_t>(high - low));
    for (StoredName& name : names) {
        if (name.isNull) continue;
        if (!pool.empty()) name.text = upToZero(std::span(pool).subspan(name.target - low, window));
        else name.text = upToZero(file.read(name.target, window));
    }
    return names;
}

std::vector<std::int64_t> readColumn(WorkingCopy& file, const Placement& placement, const FieldRef& field,
                                     int count)
{
    if (field.field->type == Type::Text) throw std::logic_error(field.qualifiedName() + " holds a text, not a number");
    if (count < 0) count = placement.rows();
    std::vector<std::int64_t> values(static_cast<std::size_t>(count));
    if (count == 0) return values;
    const std::size_t stride = field.run->stride.of(placement.edition());
    const std::size_t width = widthOf(field.field->type);
    const std::vector<std::uint8_t> entries =
        file.read(placement.offsetOf(field, 0), stride * static_cast<std::size_t>(count - 1) + width);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = asValue(decodeBits(std::span(entries).subspan(stride * i, width), field.field->type),
                            field.field->type);
    return values;
}

} // namespace tarvix::tables
