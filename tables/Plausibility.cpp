#include "tables/Plausibility.h"

#include "exe/PointerTranslation.h"
#include "exe/WorkingCopy.h"
#include "tables/Access.h"
#include "tables/GameTables.h"

#include <algorithm>
#include <span>

namespace tarvix::tables {

namespace {

bool leadsOutside(std::uint32_t target, const WorkingCopy& file)
{
    return target >= file.length();
}

std::uint32_t translate(std::uint32_t pointer, Translation translation, const Edition& edition)
{
    return translation == Translation::HighRange ? translateHighRangePointer(pointer, edition.pointerDelta)
                                                 : translatePointer(pointer, edition.pointerDelta);
}

} // namespace

std::vector<StrayPointers> strayPointers(WorkingCopy& file, const Edition& edition)
{
    std::vector<StrayPointers> stray;
    for (const Table* table : allTables()) {
        // A table found through a pointer can only be looked at where that pointer leads.
        bool placed = true;
        for (const Run& run : table->runs) {
            if (!run.via) continue;
            const std::uint32_t pointer = file.readUnsigned(run.via->pointerOffset.of(edition), 4);
            if (leadsOutside(translate(pointer, run.via->translation, edition), file)) {
                stray.push_back({std::string(table->name), 1, 1, pointer == 0 ? 1 : 0});
                placed = false;
            }
        }
        if (!placed) continue;

        const Placement placement(*table, edition, file);
        const int rows = placement.rows();
        for (const Run& run : table->runs) {
            const std::uint32_t stride = run.stride.of(edition);
            std::vector<std::uint8_t> entries;
            for (const Field& field : run.fields) {
                if (field.type != Type::Pointer || rows == 0) continue;
                // The whole run in one read, the first time one of its fields needs it.
                if (entries.empty()) {
                    std::uint32_t span = 0;
                    for (const Field& f : run.fields)
                        span = std::max(span, f.offset + widthOf(f.type, f.room));
                    entries =
                        file.read(placement.entryOffset(run, 0), std::size_t{stride} * (rows - 1) + span);
                }
                StrayPointers found{FieldRef{table, &run, &field}.qualifiedName(), rows};
                for (int row = 0; row < rows; ++row) {
                    const std::uint32_t pointer = decodeBits(
                        std::span(entries).subspan(std::size_t{stride} * row + field.offset, 4), Type::U32);
                    if (pointer == 0)
                        ++found.zero;
                    else if (leadsOutside(translatePointer(pointer, edition.pointerDelta), file))
                        ++found.outside;
                }
                if (found.outside > 0 || found.zero == found.pointers) stray.push_back(std::move(found));
            }
        }
    }
    return stray;
}

} // namespace tarvix::tables
