// The table descriptions checked against themselves (every field inside its entry, no
// two fields over the same byte, one name per column) and the ways of reading them in
// one go against reading row by row, and every sample read through them against the data
// files. The samples' own test reads every column with offsets written out independently.

#include "exe/WorkingCopy.h"
#include "tables/Cells.h"
#include "tables/GameTables.h"
#include "tables/Tsv.h"
#include "tests/tables/TableSamples.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace tarvix;
using namespace tarvix::tables;

namespace {

using Sample = test::TableSample;
constexpr const auto& kSamples = test::kTableSamples;

std::string dataPath(std::string_view stem, const Sample& s)
{
    return std::string(TARVIX_DATA_DIR) + "/" + std::string(stem) + "_" + s.suffix + ".tsv";
}

// Every byte each field of every row takes, for one edition, with the field's name.
std::map<std::uint64_t, std::string> claimedBytes(const Table& table, const Edition& edition,
                                                  std::uint64_t graphicFlipPlace)
{
    std::map<std::uint64_t, std::string> owner;
    const int rows = static_cast<int>(table.rows.of(edition));
    for (const tables::Run& run : table.runs) {
        const std::uint64_t base = run.via ? graphicFlipPlace : run.offset.of(edition);
        for (int row = 0; row < rows; ++row) {
            for (const Field& field : run.fields) {
                const std::uint64_t at = base + std::uint64_t{run.stride.of(edition)} * row + field.offset;
                for (std::uint32_t b = 0; b < widthOf(field.type, field.room); ++b) {
                    auto [it, fresh] = owner.emplace(at + b, std::string(table.name) + "." + std::string(field.name));
                    EXPECT_TRUE(fresh) << edition.tag << ": " << it->second << " and " << table.name << "."
                                       << field.name << " both take byte 0x" << std::hex << at + b;
                }
            }
        }
    }
    return owner;
}

} // namespace

TEST(TableDescriptions, FieldsFitTheirEntriesAndNoByteIsClaimedTwice)
{
    for (const Edition* edition : {&kDiablo, &kHellfire}) {
        std::map<std::uint64_t, std::string> everything;
        for (const Table* table : allTables()) {
            std::set<std::string> names;
            for (const std::string& column : columnsOf(*table))
                EXPECT_TRUE(names.insert(column).second) << table->name << ": column " << column << " twice";
            for (const tables::Run& run : table->runs) {
                for (const Field& field : run.fields) {
                    EXPECT_LE(field.offset + widthOf(field.type, field.room), run.stride.of(*edition))
                        << table->name << "." << field.name << " leaves its entry";
                    EXPECT_EQ(field.type == Type::Text, field.room > 0) << table->name << "." << field.name;
                }
            }
            for (const auto& [at, name] : claimedBytes(*table, *edition, 0)) {
                if (table->runs.front().via) continue; // its place is the file's business
                auto [it, fresh] = everything.emplace(at, name);
                EXPECT_TRUE(fresh) << edition->tag << ": " << it->second << " and " << name << " meet at 0x"
                                   << std::hex << at;
            }
            EXPECT_LE(std::uint64_t{everything.empty() ? 0 : everything.rbegin()->first}, edition->fileLength);
        }
    }
    EXPECT_EQ(fieldOf(kMonsters, "dlvl_first").field->conversion, &conversions::doubledLevel);
    EXPECT_THROW(fieldOf(kMonsters, "no_such_field"), std::logic_error);
}

TEST(TableDescriptions, ConvertedFieldsKnowWhichShownValuesFit)
{
    const Range levels = shownRange(Type::U8, conversions::doubledLevel);
    EXPECT_EQ(levels.min, 1);
    EXPECT_EQ(levels.max, 128);
    const Range multiplier = shownRange(Type::S32, conversions::timesFive);
    EXPECT_EQ(multiplier.min, -429496729);
    EXPECT_EQ(multiplier.max, 429496729);
    EXPECT_EQ(shownRange(Type::S8, conversions::identity).min, -128);
}

// Every column of every table, read through the descriptions alone, is the data file the
// generator wrote from its own layout; the fixed texts are kept one per row of the scalars.
TEST(TableDescriptions, EverySampleReadsBackAsItsDataFiles)
{
    for (const Sample& s : kSamples) {
        WorkingCopy file(test::samplePath(s), WorkingCopy::Mode::ReadOnly);
        for (const Table* table : allTables()) {
            if (table == &kTexts) continue;
            const TsvTable data = TsvTable::load(dataPath(table->name, s));
            const Placement placement(*table, *s.edition, file);
            EXPECT_EQ(columnsOf(*table), data.columns()) << table->name;
            ASSERT_EQ(static_cast<std::size_t>(placement.rows()), data.rowCount()) << s.suffix << " " << table->name;
            for (int row = 0; row < placement.rows(); ++row) {
                const std::vector<std::string> cells = cellsOf(file, placement, row);
                for (std::size_t c = 0; c < cells.size() && c < data.columns().size(); ++c)
                    EXPECT_EQ(cells[c], data.cell(static_cast<std::size_t>(row), data.columns()[c]))
                        << s.suffix << " " << table->name << " row " << row << " " << data.columns()[c];
            }
        }
    }
}

TEST(TableDescriptions, FixedTextsLieWhereTheDataSaysWithTheirRoom)
{
    for (const Sample& s : kSamples) {
        WorkingCopy file(test::samplePath(s), WorkingCopy::Mode::ReadOnly);
        const TsvTable scalars = TsvTable::load(dataPath("scalars", s));
        const Placement texts(kTexts, *s.edition);
        const std::vector<std::string> cells = cellsOf(file, texts, 0);
        const std::vector<std::string> columns = columnsOf(kTexts);
        ASSERT_EQ(scalars.rowCount(), columns.size());
        for (std::size_t r = 0; r < scalars.rowCount(); ++r) {
            const auto c = static_cast<std::size_t>(
                std::find(columns.begin(), columns.end(), scalars.cell(r, "key")) - columns.begin());
            ASSERT_LT(c, columns.size()) << scalars.cell(r, "key");
            EXPECT_EQ(cells[c], scalars.cell(r, "value")) << s.suffix << " " << columns[c];
            const FieldRef field = fieldOf(kTexts, columns[c]);
            EXPECT_EQ(std::to_string(field.field->room), scalars.cell(r, "region"));
            EXPECT_EQ(texts.offsetOf(field, 0), std::stoul(scalars.cell(r, "offset"), nullptr, 16));
        }
    }
}

TEST(TableDescriptions, WholeTablesReadInOneGoAsRowByRow)
{
    for (const Sample& s : kSamples) {
        WorkingCopy file(test::samplePath(s), WorkingCopy::Mode::ReadOnly);
        for (const Table* table : allTables()) {
            const Placement placement(*table, *s.edition, file);
            const std::vector<RowBytes> rows = RowBytes::readRows(file, placement);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(placement.rows())) << table->name;
            for (int row = 0; row < placement.rows(); ++row) {
                const RowBytes one = RowBytes::read(file, placement, row);
                const RowBytes& many = rows[static_cast<std::size_t>(row)];
                EXPECT_EQ(many.row(), row);
                for (const tables::Run& run : table->runs)
                    for (const Field& f : run.fields) {
                        const FieldRef ref{table, &run, &f};
                        EXPECT_EQ(many.offsetOf(ref), one.offsetOf(ref));
                        if (f.type == Type::Text) EXPECT_EQ(many.inlineText(ref), one.inlineText(ref));
                        else
                            EXPECT_EQ(many.bits(ref), one.bits(ref))
                                << table->name << " " << row << " " << f.name;
                    }
            }
        }
    }
}

TEST(TableDescriptions, NumberColumnsReadInOneGoWithTheFieldsSign)
{
    const Sample& s = kSamples[1];
    WorkingCopy file(test::samplePath(s), WorkingCopy::Mode::ReadOnly);
    // Spells have book levels of -1 (never in a book), 32 bits wide, 56 bytes apart.
    for (auto [table, column] : {std::pair{&kSpeeches, "sound"}, std::pair{&kSpells, "book_level"}}) {
        const std::vector<std::int64_t> values = readColumn(file, Placement(*table, *s.edition), fieldOf(*table, column));
        const TsvTable data = TsvTable::load(dataPath(table->name, s));
        ASSERT_EQ(values.size(), data.rowCount()) << column;
        for (std::size_t r = 0; r < values.size(); ++r) EXPECT_EQ(std::to_string(values[r]), data.cell(r, column)) << r;
    }
    EXPECT_EQ(readColumn(file, Placement(kSpeeches, *s.edition), fieldOf(kSpeeches, "sound"), 2).size(), 2u);
    EXPECT_THROW(readColumn(file, Placement(kTexts, *s.edition), fieldOf(kTexts, "version_string")), std::logic_error);
}
