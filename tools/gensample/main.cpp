// tarvix-gensample: lays the game's data tables, read from the data files, into two
// files of the exact lengths of the Diablo and Hellfire executables, at the offsets the
// editors use. Everything else in them is filler: they are test material, not programs.

#include "SampleImage.h"
#include "SampleLayout.h"

#include "exe/Edition.h"
#include "exe/PointerTranslation.h"
#include "tables/GameTables.h"
#include "tables/Tsv.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace tarvix;
using namespace tarvix::gensample;
using tarvix::tables::TsvTable;

namespace {

std::string editionSuffix(const Edition& edition)
{
    return edition.tag == kDiablo.tag ? "diablo" : "hellfire";
}

// The data files of one edition, loaded once, with the columns that some table used.
class DataFiles {
public:
    DataFiles(fs::path dir, const Edition& edition) : m_dir(std::move(dir)), m_edition(edition) {}

    const TsvTable& get(std::string_view stem)
    {
        std::string key(stem);
        auto it = m_tables.find(key);
        if (it == m_tables.end()) {
            auto path = m_dir / (key + "_" + editionSuffix(m_edition) + ".tsv");
            it = m_tables.emplace(key, TsvTable::load(path.string())).first;
        }
        return it->second;
    }

    void markUsed(std::string_view stem, std::string_view column)
    {
        m_used[std::string(stem)].emplace(column);
    }

    // A column that no table stores is most likely a description that forgot a field.
    void checkAllColumnsUsed() const
    {
        for (const auto& [stem, table] : m_tables) {
            const auto& used = m_used.at(stem);
            for (const auto& column : table.columns()) {
                if (!used.count(column))
                    throw std::runtime_error(table.path() + ": column \"" + column + "\" is stored by no table");
            }
        }
    }

private:
    fs::path m_dir;
    const Edition& m_edition;
    std::map<std::string, TsvTable> m_tables;
    std::map<std::string, std::set<std::string>> m_used;
};

std::string where(const TsvTable& data, std::size_t row, std::string_view column)
{
    return data.path() + ":" + std::to_string(data.lineOf(row)) + ": column \"" + std::string(column) + "\"";
}

std::int64_t parseInteger(const TsvTable& data, std::size_t row, std::string_view column)
{
    const std::string& cell = data.cell(row, column);
    std::int64_t value = 0;
    auto [end, err] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (cell.empty() || err != std::errc() || end != cell.data() + cell.size())
        throw std::runtime_error(where(data, row, column) + ": \"" + cell + "\" is not a number");
    return value;
}

// The data holds what the stored bytes read as, so a value outside the field's range
// means the description and the data disagree about the field.
std::uint32_t fieldBits(const TsvTable& data, std::size_t row, const tables::Field& field)
{
    std::int64_t value = parseInteger(data, row, field.name);
    const tables::Range range = tables::rangeOf(field.type);
    if (value < range.min || value > range.max)
        throw std::runtime_error(where(data, row, field.name) + ": " + std::to_string(value) + " does not fit a " +
                                 tables::typeName(field.type));
    return static_cast<std::uint32_t>(value);
}

std::uint32_t textPointer(SampleImage& image, const TsvTable& data, std::size_t row, const tables::Field& field)
{
    std::string nullColumn = std::string(field.name) + "_null";
    std::int64_t isNull = parseInteger(data, row, nullColumn);
    const std::string& text = data.cell(row, field.name);
    if (isNull != 0 && isNull != 1) throw std::runtime_error(where(data, row, nullColumn) + ": not 0 or 1");
    if (isNull == 0) return image.addText(text);
    if (!text.empty()) throw std::runtime_error(where(data, row, field.name) + ": text given for a NULL pointer");
    return 0;
}

// Record number of each data row: its index column, else its place in the file.
std::vector<std::size_t> recordsOf(const TsvTable& data, const tables::Table& table, std::uint32_t count)
{
    if (data.rowCount() != count)
        throw std::runtime_error(data.path() + ": " + std::to_string(data.rowCount()) + " rows, the " +
                                 std::string(table.name) + " table holds " + std::to_string(count));
    std::vector<std::size_t> records;
    std::vector<bool> seen(count, false);
    for (std::size_t row = 0; row < data.rowCount(); ++row) {
        std::size_t record = row;
        if (!table.indexColumn.empty()) {
            std::int64_t index = parseInteger(data, row, table.indexColumn);
            if (index < 0 || index >= count || seen[static_cast<std::size_t>(index)])
                throw std::runtime_error(where(data, row, table.indexColumn) + ": record " + std::to_string(index) +
                                         " is outside the table or given twice");
            record = static_cast<std::size_t>(index);
        }
        seen[record] = true;
        records.push_back(record);
    }
    return records;
}

std::uint64_t runPlace(const tables::Table& table, const tables::Run& run, const Edition& edition)
{
    if (!run.via) return run.offset.of(edition);
    if (&table != &tables::kGraphicFlips)
        throw std::runtime_error(std::string(table.name) + ": the generator has no place for this table");
    return kGraphicFlipPlace.of(edition);
}

void layTable(SampleImage& image, DataFiles& files, const tables::Table& table)
{
    const Edition& edition = image.edition();
    const TsvTable& data = files.get(table.name);
    const std::uint32_t count = table.rows.of(edition);
    const std::vector<std::size_t> records = recordsOf(data, table, count);
    if (!table.indexColumn.empty()) files.markUsed(table.name, table.indexColumn);

    // Columns that follow from the row number must say what the description says.
    for (const tables::Derived& derived : table.derived) {
        files.markUsed(table.name, derived.name);
        for (std::size_t row = 0; row < data.rowCount(); ++row)
            if (data.cell(row, derived.name) != derived.value(edition, static_cast<int>(records[row])))
                throw std::runtime_error(where(data, row, derived.name) + ": differs from the row number");
    }

    for (const tables::Run& run : table.runs) {
        const std::uint32_t stride = run.stride.of(edition);
        const std::uint64_t base = runPlace(table, run, edition);
        const bool smallInts = holdsSmallInts(run);
        for (const tables::Field& field : run.fields) {
            if (field.offset + tables::widthOf(field.type, field.room) > stride)
                throw std::runtime_error(std::string(table.name) + ": field \"" + std::string(field.name) +
                                         "\" does not fit its entry");
            files.markUsed(table.name, field.name);
            if (field.type == tables::Type::Pointer) files.markUsed(table.name, std::string(field.name) + "_null");
        }
        std::uint64_t size = std::uint64_t{count} * stride;
        if (run.via) size = std::max<std::uint64_t>(size, kGraphicFlipReserve);
        image.reserve(std::string(table.name) + " (" + std::string(run.fields.front().name) + ")", base, size,
                      smallInts ? SampleImage::Fill::Clear : SampleImage::Fill::Keep);

        for (std::size_t row = 0; row < data.rowCount(); ++row) {
            const std::uint64_t at = base + std::uint64_t{stride} * records[row];
            for (const tables::Field& field : run.fields) {
                const std::uint32_t width = tables::widthOf(field.type);
                const std::uint32_t bits = field.type == tables::Type::Pointer ? textPointer(image, data, row, field)
                                                                               : fieldBits(data, row, field);
                // A negative int would hold ones, not zeros, above the bytes the data gives.
                if (smallInts && tables::isSigned(field.type) && (bits >> (8 * width - 1)) & 1)
                    throw std::runtime_error(where(data, row, field.name) + ": negative in a table of small ints");
                image.putInteger(at + field.offset, width, bits);
            }
        }
    }
}

std::uint32_t parseHex(const std::string& cell, const std::string& context)
{
    std::uint32_t value = 0;
    bool prefixed = cell.size() > 2 && cell[0] == '0' && (cell[1] == 'x' || cell[1] == 'X');
    const char* first = cell.data() + (prefixed ? 2 : 0);
    auto [end, err] = std::from_chars(first, cell.data() + cell.size(), value, 16);
    if (!prefixed || err != std::errc() || end != cell.data() + cell.size())
        throw std::runtime_error(context + ": \"" + cell + "\" is not a hexadecimal offset");
    return value;
}

// The texts at fixed places come from one data file with a row per text.
void layFixedTexts(SampleImage& image, DataFiles& files)
{
    const Edition& edition = image.edition();
    const TsvTable& data = files.get(kFixedTextData);
    for (std::string_view column : {"key", "offset", "region", "value", "byte_before"})
        files.markUsed(kFixedTextData, column);
    if (data.rowCount() != tables::kTexts.runs.size())
        throw std::runtime_error(data.path() + ": expected " + std::to_string(tables::kTexts.runs.size()) + " rows");

    for (const tables::Run& run : tables::kTexts.runs) {
        const tables::Field& text = run.fields.front();
        std::size_t row = 0;
        while (row < data.rowCount() && data.cell(row, "key") != text.name)
            ++row;
        if (row == data.rowCount())
            throw std::runtime_error(data.path() + ": no row \"" + std::string(text.name) + "\"");

        const std::uint32_t offset = run.offset.of(edition) + text.offset;
        // The data repeats the offsets; a disagreement means one of the two is wrong.
        if (parseHex(data.cell(row, "offset"), where(data, row, "offset")) != offset ||
            parseInteger(data, row, "region") != text.room)
            throw std::runtime_error(where(data, row, "offset") + ": place of " + std::string(text.name) +
                                     " differs from the table descriptions");

        const std::string& value = data.cell(row, "value");
        const std::string& before = data.cell(row, "byte_before");
        if (value.size() + 1 > text.room) throw std::runtime_error(where(data, row, "value") + ": longer than its room");
        if (before.size() > 1) throw std::runtime_error(where(data, row, "byte_before") + ": more than one byte");

        image.reserve(std::string(text.name), offset - before.size(), before.size() + text.room,
                      SampleImage::Fill::Clear);
        image.putBytes(offset - before.size(), before);
        image.putBytes(offset, value);
    }
}

// The pointer through which the game finds the graphic-to-flip table.
void layFlipTablePointer(SampleImage& image)
{
    const Edition& edition = image.edition();
    const tables::Via& via = *tables::kGraphicFlips.runs.front().via;
    // The game's own pointer to this table is one the editors translate with Hellfire's
    // delta in both editions; check it leads back to the table under that rule.
    const std::uint32_t place = kGraphicFlipPlace.of(edition);
    const std::uint32_t value = place + kHighRangeDelta;
    if (translateHighRangePointer(value, edition.pointerDelta) != place)
        throw std::runtime_error("flip-table pointer: the table at offset " + std::to_string(place) +
                                 " cannot be reached (Diablo needs it where the pointer falls in the high range)");

    const std::uint32_t at = via.pointerOffset.of(edition);
    image.reserve("flip-table pointer", at, 4, SampleImage::Fill::Keep);
    image.putInteger(at, 4, value);
}

SampleImage buildSample(const fs::path& dataDir, const Edition& edition)
{
    SampleImage image(edition, kPoolOffset.of(edition));
    DataFiles files(dataDir, edition);
    for (const tables::Table* table : tables::allTables())
        if (table != &tables::kTexts) layTable(image, files, *table);
    layFixedTexts(image, files);
    layFlipTablePointer(image);
    files.checkAllColumnsUsed();
    image.finish();
    return image;
}

// Writes beside the target and renames, so that a failed run leaves no half-written sample.
void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    fs::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) throw std::runtime_error(temporary.string() + ": cannot write");
    }
    fs::rename(temporary, path);
}

void printMap(const std::string& fileName, const SampleImage& image)
{
    std::printf("%s\n", fileName.c_str());
    for (const auto& region : image.regions())
        std::printf("  0x%06llX..0x%06llX %7llu  %s\n", static_cast<unsigned long long>(region.begin),
                    static_cast<unsigned long long>(region.end),
                    static_cast<unsigned long long>(region.end - region.begin), region.what.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    bool map = !args.empty() && args.front() == "--map";
    if (map) args.erase(args.begin());
    if (args.size() != 2) {
        std::cerr << "usage: tarvix-gensample [--map] <data-dir> <out-dir>\n"
                     "Writes diablo-sample.exe and hellfire-sample.exe into <out-dir>.\n";
        return 2;
    }
    try {
        fs::path dataDir = args[0];
        fs::path outDir = args[1];
        // Both are built before either is written: a data error leaves the old samples alone.
        SampleImage diablo = buildSample(dataDir, kDiablo);
        SampleImage hellfire = buildSample(dataDir, kHellfire);
        fs::create_directories(outDir);
        for (const auto& [name, image] :
             {std::pair<std::string, const SampleImage*>{"diablo-sample.exe", &diablo},
              {"hellfire-sample.exe", &hellfire}}) {
            writeFile(outDir / name, image->bytes());
            if (map) printMap(name, *image);
        }
    } catch (const std::exception& e) {
        std::cerr << "tarvix-gensample: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
