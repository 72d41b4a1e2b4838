// dump against the sample data files, and import: an unchanged dump writes nothing, an
// edited one exactly the edited fields' bytes, and one bad cell nothing at all.

#include "CliTestSupport.h"

#include "exe/WorkingCopy.h"
#include "tables/Cells.h"
#include "tables/GameTables.h"

using namespace tarvix;
using namespace tarvix::test;
using tables::fieldOf;

namespace {

// A dump as rows of cells, the header first, to edit by column name.
struct Grid {
    std::vector<std::vector<std::string>> rows;

    explicit Grid(const std::string& tsv)
    {
        std::istringstream lines(tsv);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream cells(line + '\t'); // so that a last empty cell is read too
            std::vector<std::string>& row = rows.emplace_back();
            for (std::string cell; std::getline(cells, cell, '\t');) row.push_back(cell);
        }
    }

    std::string& at(int row, const std::string& column)
    {
        const auto& header = rows.front();
        const auto c =
            static_cast<std::size_t>(std::find(header.begin(), header.end(), column) - header.begin());
        return rows.at(static_cast<std::size_t>(row) + 1).at(c);
    }

    std::string text() const
    {
        std::string tsv;
        for (const auto& cells : rows) {
            for (std::size_t c = 0; c < cells.size(); ++c)
                tsv += (c ? "\t" : "") + cells[c];
            tsv += "\n";
        }
        return tsv;
    }
};

std::uint32_t readLE(const std::vector<std::uint8_t>& bytes, std::uint64_t at, int width)
{
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | bytes[at + i];
    return v;
}

void expectBytes(std::map<std::uint64_t, std::uint8_t>& expected, const std::vector<std::uint8_t>& before,
                 std::uint64_t at, const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (before[at + i] != bytes[i]) expected[at + i] = bytes[i];
}

} // namespace

TEST(Dump, EveryTableOfEverySampleIsItsDataFileByteForByte)
{
    for (const Sample& sample : kSamples) {
        Samples files(sample);
        const std::string exe = files.source();
        for (const tables::Table* table : tables::allTables()) {
            if (table == &tables::kTexts) continue; // kept in the scalars file, one row per text
            const Outcome dump = runCli({"dump", exe, std::string(table->name)});
            EXPECT_EQ(dump.status, 0) << dump.err;
            EXPECT_EQ(dump.out, dataFile(std::string(table->name), sample))
                << sample.name << " " << table->name;
        }
        Grid texts(runCli({"dump", exe, "texts"}).out);
        Grid scalars(dataFile("scalars", sample));
        ASSERT_EQ(texts.rows.size(), 2u);
        for (std::size_t r = 1; r < scalars.rows.size(); ++r)
            EXPECT_EQ(texts.at(0, scalars.rows[r][0]), scalars.rows[r][3]) << scalars.rows[r][0];

        const std::string json = runCli({"dump", exe, "spells", "--format", "json"}).out;
        EXPECT_NE(
            json.find(
                R"({"index": 1, "spell_number": 2, "mana": 5, "cast_anim": 2, "magic_name": "Healing", )"
                R"("skill_name": null, )"),
            std::string::npos);
    }
}

TEST(Import, WritesExactlyTheCellsThatDifferAndNothingForAnUnchangedDump)
{
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        Samples files(sample);
        const std::string exe = files.copy("mod.exe");
        const std::string dumped = runCli({"dump", exe, "monsters"}).out;
        const std::string same = files.write("same.tsv", dumped);
        const Outcome unchanged = runCli({"import", exe, "monsters", same});
        EXPECT_EQ(unchanged.status, 0) << unchanged.err;
        EXPECT_TRUE(files.changes(exe).empty());
        // As a spreadsheet saves it: a byte-order mark and CRLF line ends.
        std::string spreadsheet = "\xEF\xBB\xBF";
        for (const char c : dumped) spreadsheet += c == '\n' ? std::string("\r\n") : std::string(1, c);
        const Outcome resaved = runCli({"import", exe, "monsters", files.write("resaved.tsv", spreadsheet)});
        EXPECT_EQ(resaved.status, 0) << resaved.err;
        EXPECT_TRUE(files.changes(exe).empty());

        Grid grid(dumped);
        grid.at(3, "hp_first") = "-999";
        grid.at(5, "name") = "Im\\x09p"; // a tab, escaped
        grid.at(7, "dlvl_first") = "20";
        grid.at(9, "anim_file") = "Monsters\\x5Cx41\\newsfx"; // a literal \x41 and \n
        const std::string edited = files.write("edited.tsv", grid.text());
        const Outcome import = runCli({"import", exe, "monsters", edited});
        ASSERT_EQ(import.status, 0) << import.err;
        EXPECT_EQ(import.out, "4 fields written to " + exe + "\n");

        // Expected bytes from the description's offsets and the pointers in the file: a
        // text is written over the old one as its characters and one zero byte.
        const std::vector<std::uint8_t> before = Samples::bytes(files.source());
        const tables::Placement place(tables::kMonsters, *sample.edition);
        auto text = [&](const char* field, int row, std::string value) {
            const std::uint32_t pointer =
                readLE(before, place.offsetOf(fieldOf(tables::kMonsters, field), row), 4);
            const std::uint64_t target = pointer - sample.edition->pointerDelta;
            std::vector<std::uint8_t> bytes(value.begin(), value.end());
            bytes.push_back(0);
            return std::pair{target, bytes};
        };
        std::map<std::uint64_t, std::uint8_t> expected;
        expectBytes(expected, before, place.offsetOf(fieldOf(tables::kMonsters, "hp_first"), 3),
                    {0x19, 0xFC, 0xFF, 0xFF});
        expectBytes(expected, before, place.offsetOf(fieldOf(tables::kMonsters, "dlvl_first"), 7), {20});
        for (const auto& [at, bytes] :
             {text("name", 5, "Im\tp"), text("anim_file", 9, "Monsters\\x41\\newsfx")})
            expectBytes(expected, before, at, bytes);
        EXPECT_EQ(files.changes(exe), expected);
        EXPECT_EQ(runCli({"dump", exe, "monsters"}).out, grid.text());
    }
}

TEST(Import, OneBadCellRefusesTheWholeImportAndNamesIt)
{
    Samples files(kSamples[1]);
    const std::string exe = files.copy("mod.exe");
    struct Bad {
        const char* table;
        int row;
        const char* column;
        const char* value;
        const char* message; // what the refusal must say besides the row and column
    };
    const Bad bad[] = {
        {"base_items", 4, "level", "256", "outside 0..255"},
        {"base_items", 4, "min_damage", "-32769", "outside -32768..32767"},
        {"base_items", 4, "max_price", "12x", "not a whole number"},
        {"base_items", 4, "name", "Much Too Long A Name", "room for"},
        {"base_items", 4, "magic_name", "Magic", "pointer is 0"},
        {"base_items", 4, "name_null", "1", "cannot be changed"},
        {"classes", 2, "name", "Wizard", "read-only"},
        {"spellbook", 9, "slot", "3", "rows cannot be moved"},
        {"texts", 0, "save_name_single", "a_name_of_fifteen", "room for 14"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(std::string(b.table) + " " + b.column);
        Grid grid(runCli({"dump", exe, b.table}).out);
        grid.at(0, grid.rows.front().back()) = "1"; // a good change the refusal must hold back too
        grid.at(b.row, b.column) = b.value;
        const Outcome import = runCli({"import", exe, b.table, files.write("bad.tsv", grid.text())});
        EXPECT_EQ(import.status, 2);
        EXPECT_NE(import.err.find("nothing written"), std::string::npos) << import.err;
        EXPECT_NE(import.err.find("(row " + std::to_string(b.row) + "), column " + b.column),
                  std::string::npos)
            << import.err;
        EXPECT_NE(import.err.find(b.message), std::string::npos) << import.err;
        EXPECT_TRUE(files.changes(exe).empty());
    }

    const std::string twice = files.write("twice.tsv", "index\tlevel\tbogus\n1\t5\tx\n1\t6\tx\n");
    const Outcome columns = runCli({"import", exe, "base_items", twice});
    EXPECT_EQ(columns.status, 2);
    EXPECT_NE(columns.err.find("column \"bogus\""), std::string::npos) << columns.err;
}

TEST(Import, TwoPointersToOneTextTakeOneValueOrNone)
{
    // The game may keep one text for two records; the samples give each its own, so
    // point base item 2's name at item 1's.
    Samples files(kSamples[0]);
    const std::string exe = files.copy("mod.exe");
    const tables::Placement place(tables::kBaseItems, kDiablo);
    const auto name = fieldOf(tables::kBaseItems, "name");
    std::vector<std::uint8_t> bytes = Samples::bytes(exe);
    std::copy_n(bytes.begin() + place.offsetOf(name, 1), 4, bytes.begin() + place.offsetOf(name, 2));
    const std::string shared = files.write("shared.exe", std::string(bytes.begin(), bytes.end()));

    Grid grid(runCli({"dump", shared, "base_items"}).out);
    grid.at(1, "name") = "Blade";
    const Outcome one = runCli({"import", shared, "base_items", files.write("one.tsv", grid.text())});
    EXPECT_EQ(one.status, 2);
    EXPECT_NE(one.err.find("base_items row 2 name: would read \"Blade\""), std::string::npos) << one.err;
    EXPECT_EQ(Samples::bytes(shared), bytes);

    grid.at(2, "name") = "Blade";
    const Outcome both = runCli({"import", shared, "base_items", files.write("both.tsv", grid.text())});
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(runCli({"get", shared, "base_items", "2", "name"}).out, "Blade\n");
}
