// Which files of the right length look like the game's executable: copies whose tables
// were overwritten do not, and the check names exactly the pointer fields that were
// spoiled. (The generated samples do: the main window's tests load them unwarned.)

#include "tables/Plausibility.h"
#include "exe/PointerTranslation.h"
#include "exe/WorkingCopy.h"
#include "tables/Access.h"
#include "tables/GameTables.h"
#include "tests/exe/ScratchDir.h"
#include "tests/tables/TableSamples.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

using namespace tarvix;
using namespace tarvix::tables;

namespace {

using Sample = test::TableSample;
constexpr const auto& kSamples = test::kTableSamples;

std::vector<std::uint8_t> sampleBytes(const Sample& s)
{
    return test::ScratchDir::contents(test::samplePath(s));
}

std::set<std::string> strayPlaces(const std::string& path, const Edition& edition)
{
    WorkingCopy file(path, WorkingCopy::Mode::ReadOnly);
    std::set<std::string> places;
    for (const StrayPointers& s : strayPointers(file, edition))
        places.insert(s.place);
    return places;
}

// The pointer fields of a table, as the check names them.
std::set<std::string> pointerFields(const Table& table)
{
    std::set<std::string> names;
    for (const tables::Run& run : table.runs)
        for (const Field& f : run.fields)
            if (f.type == Type::Pointer) names.insert(std::string(table.name) + "." + std::string(f.name));
    return names;
}

void putLE(std::vector<std::uint8_t>& bytes, std::uint64_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

TEST(Plausibility, ScrambledTablesAreNamedAndNothingElse)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    test::ScratchDir dir;
    for (const Sample& s : kSamples) {
        std::vector<std::uint8_t> bytes = sampleBytes(s);
        for (const Table* table : {&kBaseItems, &kMonsters}) {
            const Placement placement(*table, *s.edition);
            const tables::Run& run = table->runs.front();
            const std::uint64_t first = placement.entryOffset(run, 0);
            const std::uint64_t end = placement.entryOffset(run, placement.rows());
            for (std::uint64_t i = first; i < end; ++i)
                bytes[i] = static_cast<std::uint8_t>(random());
        }
        const std::string path = dir.write(std::string("scrambled-") + s.file, bytes);
        std::set<std::string> expected = pointerFields(kBaseItems);
        expected.merge(pointerFields(kMonsters));
        EXPECT_EQ(strayPlaces(path, *s.edition), expected) << s.file;
    }
}

TEST(Plausibility, OnePointerPastTheEndIsEnoughAndZeroOnlyWhereAllAre)
{
    test::ScratchDir dir;
    for (const Sample& s : kSamples) {
        const Edition& e = *s.edition;
        const Placement items(kBaseItems, e);
        const std::uint64_t nameOfRow3 = items.offsetOf(fieldOf(kBaseItems, "name"), 3);
        std::vector<std::uint8_t> bytes = sampleBytes(s);

        // The last byte of the file is inside it; a zero pointer is a name the row lacks.
        putLE(bytes, nameOfRow3, e.fileLength - 1 + e.pointerDelta);
        putLE(bytes, items.offsetOf(fieldOf(kBaseItems, "magic_name"), 3), 0);
        EXPECT_EQ(strayPlaces(dir.write("edge.exe", bytes), e), std::set<std::string>{}) << s.file;

        putLE(bytes, nameOfRow3, e.fileLength + e.pointerDelta);
        const std::string past = dir.write("past.exe", bytes);
        WorkingCopy file(past, WorkingCopy::Mode::ReadOnly);
        const std::vector<StrayPointers> stray = strayPointers(file, e);
        ASSERT_EQ(stray.size(), 1u) << s.file;
        EXPECT_EQ(stray[0].place, "base_items.name");
        EXPECT_EQ(stray[0].outside, 1);
        EXPECT_EQ(stray[0].pointers, static_cast<int>(kBaseItems.rows.of(e)));

        // A file of nothing but zeros has no text anywhere, and its flip table is nowhere.
        const std::string zeros = dir.write("zeros.exe", std::vector<std::uint8_t>(e.fileLength, 0));
        std::set<std::string> all;
        for (const Table* table : allTables())
            all.merge(pointerFields(*table));
        all.insert("graphic_flips");
        EXPECT_EQ(strayPlaces(zeros, e), all) << s.file;
    }
}
