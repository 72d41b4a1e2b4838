#include "tables/Diff.h"

#include "tables/GameTables.h"

#include <algorithm>
#include <stdexcept>

namespace tarvix::tables {

namespace {

bool sameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
               const std::vector<ByteRange>& ranges)
{
    for (const ByteRange& r : ranges)
        if (!std::equal(a.begin() + r.begin, a.begin() + r.end, b.begin() + r.begin)) return false;
    return true;
}

} // namespace

bool rowDiffers(WorkingCopy& file, const FileImage& original, const Table& table, int row)
{
    const Placement& placement = original.placement(table);
    for (const Run& run : table.runs)
        for (const Field& field : run.fields) {
            const FieldRef ref{&table, &run, &field};
            if (!sameValue(readValue(file, placement, ref, row), original.value(ref, row))) return true;
        }
    return false;
}

std::string rowName(const FileImage& image, const Table& table, int row)
{
    for (std::string_view name : {"name", "magic_name"}) {
        const FieldRef field = findField(table, name);
        if (field && isText(field.field->type)) return image.value(field, row).text;
    }
    return {};
}

Differences compare(const FileImage& before, const FileImage& after)
{
    if (&before.edition() != &after.edition())
        throw std::runtime_error(
            before.path() + " and " + after.path() + " are executables of different editions (" +
            std::string(before.edition().tag) + ", " + std::string(after.edition().tag) + ")");
    Differences diff;
    const auto a = before.bytes();
    const auto b = after.bytes();
    if (std::equal(a.begin(), a.end(), b.begin(), b.end())) return diff;

    std::vector<bool> claimed(a.size(), false);
    auto claim = [&](const std::vector<ByteRange>& ranges) {
        for (const ByteRange& r : ranges)
            std::fill(claimed.begin() + r.begin, claimed.begin() + r.end, true);
    };
    for (const Table* table : allTables()) {
        const int rows = before.placement(*table).rows();
        for (int row = 0; row < rows; ++row) {
            for (const Run& run : table->runs) {
                for (const Field& field : run.fields) {
                    const FieldRef ref{table, &run, &field};
                    const std::vector<ByteRange> was = before.extent(ref, row);
                    claim(was);
                    claim(after.extent(ref, row));
                    // Equal bytes over the first file's extent mean equal bytes over the
                    // second's: the same pointer, and the same text up to its zero byte.
                    if (sameBytes(a, b, was)) continue;
                    diff.fields.push_back({ref, row, rowName(before, *table, row), before.value(ref, row),
                                           after.value(ref, row)});
                }
            }
        }
    }

    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i] || claimed[i]) continue;
        if (!diff.unclaimed.empty() && diff.unclaimed.back().end == i)
            ++diff.unclaimed.back().end;
        else
            diff.unclaimed.push_back({i, i + 1});
    }
    return diff;
}

} // namespace tarvix::tables
