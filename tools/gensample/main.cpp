// tarvix-gensample: lays the game's data tables, read from the data files, into two
// files of the exact lengths of the Diablo and Hellfire executables, at the offsets the
// editors use. Everything else in them is filler: they are test material, not programs.

#include "SampleImage.h"
#include "SampleLayout.h"
#include "TsvTable.h"

#include "exe/Edition.h"
#include "exe/PointerTranslation.h"

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

namespace {

std::string editionSuffix(const Edition& edition)
{
    return edition.tag == kDiablo.tag ? "diablo" : "hellfire";
}

// The data files of one edition, loaded once, with the columns that some layout used.
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

    // A column that no layout stores is most likely a layout that forgot a field.
    void checkAllColumnsUsed() const
    {
        for (const auto& [stem, table] : m_tables) {
            const auto& used = m_used.at(stem);
            for (const auto& column : table.columns()) {
                if (!used.count(column) && !isDescriptiveColumn(column))
                    throw std::runtime_error(table.path() + ": column \"" + column +
                                             "\" is stored by no table");
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
// means the layout and the data disagree about the field.
std::uint32_t fieldBits(const TsvTable& data, std::size_t row, const Field& field)
{
    std::int64_t value = parseInteger(data, row, field.column);
    int bits = static_cast<int>(8 * field.width);
    std::int64_t low = field.kind == Kind::Signed ? -(std::int64_t{1} << (bits - 1)) : 0;
    std::int64_t high =
        field.kind == Kind::Signed ? (std::int64_t{1} << (bits - 1)) - 1 : (std::int64_t{1} << bits) - 1;
    if (value < low || value > high)
        throw std::runtime_error(where(data, row, field.column) + ": " + std::to_string(value) +
                                 " does not fit " + std::to_string(field.width) + " byte(s)");
    return static_cast<std::uint32_t>(value);
}

std::uint32_t textPointer(SampleImage& image, const TsvTable& data, std::size_t row, const Field& field)
{
    std::string nullColumn = std::string(field.column) + "_null";
    std::int64_t isNull = parseInteger(data, row, nullColumn);
    const std::string& text = data.cell(row, field.column);
    if (isNull != 0 && isNull != 1) throw std::runtime_error(where(data, row, nullColumn) + ": not 0 or 1");
    if (isNull == 0) return image.addText(text);
    if (!text.empty())
        throw std::runtime_error(where(data, row, field.column) + ": text given for a NULL pointer");
    return 0;
}

void layTable(SampleImage& image, DataFiles& files, const TableLayout& table)
{
    const Edition& edition = image.edition();
    const TsvTable& data = files.get(table.data);
    std::uint32_t base = table.offset.of(edition);
    std::uint32_t count = table.count.of(edition);
    std::uint32_t stride = table.stride.of(edition);
    std::string name(table.name);

    if (data.rowCount() != count)
        throw std::runtime_error(data.path() + ": " + std::to_string(data.rowCount()) + " rows, the " + name +
                                 " table holds " + std::to_string(count));
    for (const Field& field : table.fields) {
        bool badWidth = field.kind == Kind::Text ? field.width != 4
                                                 : field.width != 1 && field.width != 2 && field.width != 4;
        if (badWidth || field.offset + field.width > stride)
            throw std::runtime_error(name + ": field \"" + std::string(field.column) +
                                     "\" does not fit its record");
        files.markUsed(table.data, field.column);
        if (field.kind == Kind::Text) files.markUsed(table.data, std::string(field.column) + "_null");
    }
    if (!table.indexColumn.empty()) files.markUsed(table.data, table.indexColumn);

    image.reserve(name, base,
                  std::max<std::uint64_t>(std::uint64_t{count} * stride, table.reserved.of(edition)),
                  table.zeroAboveFields ? SampleImage::Fill::Clear : SampleImage::Fill::Keep);

    std::vector<bool> seen(count, false);
    for (std::size_t row = 0; row < data.rowCount(); ++row) {
        std::size_t record = row;
        if (!table.indexColumn.empty()) {
            std::int64_t index = parseInteger(data, row, table.indexColumn);
            if (index < 0 || index >= count || seen[static_cast<std::size_t>(index)])
                throw std::runtime_error(where(data, row, table.indexColumn) + ": record " +
                                         std::to_string(index) + " is outside the table or given twice");
            record = static_cast<std::size_t>(index);
        }
        seen[record] = true;
        std::uint64_t at = base + std::uint64_t{stride} * record;
        for (const Field& field : table.fields) {
            std::uint32_t bits =
                field.kind == Kind::Text ? textPointer(image, data, row, field) : fieldBits(data, row, field);
            // A negative int would hold ones, not zeros, above the bytes the data gives.
            if (table.zeroAboveFields && field.kind == Kind::Signed && (bits >> (8 * field.width - 1)) & 1)
                throw std::runtime_error(where(data, row, field.column) +
                                         ": negative in a table of small ints");
            image.putInteger(at + field.offset, field.width, bits);
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

void layFixedTexts(SampleImage& image, DataFiles& files)
{
    const Edition& edition = image.edition();
    const TsvTable& data = files.get("scalars");
    for (std::string_view column : {"key", "offset", "region", "value", "byte_before"})
        files.markUsed("scalars", column);
    if (data.rowCount() != fixedTexts().size())
        throw std::runtime_error(data.path() + ": expected " + std::to_string(fixedTexts().size()) + " rows");

    for (const FixedText& text : fixedTexts()) {
        std::size_t row = 0;
        while (row < data.rowCount() && data.cell(row, "key") != text.key)
            ++row;
        if (row == data.rowCount())
            throw std::runtime_error(data.path() + ": no row \"" + std::string(text.key) + "\"");

        std::uint32_t offset = text.offset.of(edition);
        // The data repeats the offsets; a disagreement means one of the two is wrong.
        if (parseHex(data.cell(row, "offset"), where(data, row, "offset")) != offset ||
            parseInteger(data, row, "region") != text.region)
            throw std::runtime_error(where(data, row, "offset") + ": place of " + std::string(text.key) +
                                     " differs from the layout");

        const std::string& value = data.cell(row, "value");
        const std::string& before = data.cell(row, "byte_before");
        if (value.size() + 1 > text.region)
            throw std::runtime_error(where(data, row, "value") + ": longer than its region");
        if (before.size() > 1)
            throw std::runtime_error(where(data, row, "byte_before") + ": more than one byte");

        image.reserve(std::string(text.key), offset - before.size(), before.size() + text.region,
                      SampleImage::Fill::Clear);
        image.putBytes(offset - before.size(), before);
        image.putBytes(offset, value);
    }
}

void layFlipTablePointer(SampleImage& image)
{
    const TablePointer& pointer = flipTablePointer();
    const TableLayout* target = nullptr;
    for (const TableLayout& table : tableLayouts())
        if (table.name == pointer.table) target = &table;
    if (!target)
        throw std::runtime_error(std::string(pointer.name) + ": no table \"" + std::string(pointer.table) +
                                 "\"");

    // The game's own pointer to this table is one the editor translates with Hellfire's
    // delta in both editions; check it leads back to the table under the editor's rule.
    std::uint32_t place = target->offset.of(image.edition());
    std::uint32_t value = place + kHighRangeDelta;
    if (translateHighRangePointer(value, image.edition().pointerDelta) != place)
        throw std::runtime_error(
            std::string(pointer.name) + ": the table at offset " + std::to_string(place) +
            " cannot be reached (Diablo needs it where the pointer falls in the high range)");

    std::uint32_t at = pointer.offset.of(image.edition());
    image.reserve(std::string(pointer.name), at, 4, SampleImage::Fill::Keep);
    image.putInteger(at, 4, value);
}

SampleImage buildSample(const fs::path& dataDir, const Edition& edition)
{
    SampleImage image(edition, kPoolOffset.of(edition));
    DataFiles files(dataDir, edition);
    for (const TableLayout& table : tableLayouts())
        layTable(image, files, table);
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
