// Reads the generated samples the way the editors do, with the offsets and record
// layouts of each editor written out here on their own, and compares with the data
// the generator was given.

#include "exe/Edition.h"
#include "exe/PointerTranslation.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace tarvix;

namespace {

struct Sample {
    const char* label;
    const char* file;
    const char* dataSuffix;
    const Edition* edition;

    std::uint32_t baseItems, uniqueItems, affixes, speeches, sounds;
    std::uint32_t monsters, activeFlags, activeFlagSize, bosses;
    std::uint32_t flipTablePointer, flipNames, flipSounds, flipCount;
    std::uint32_t spells, spellIcons, spellbook;
    std::uint32_t classNames, classNameStride, classFrames, startAttributes, startStride, classMaxima;
    std::uint32_t version, cursorFile, saveSingle, saveMulti;
};

// Offsets as each editor knows them.
// clang-format off
const Sample kDiabloSample{
    .label = "Diablo", .file = "diablo-sample.exe", .dataSuffix = "diablo", .edition = &kDiablo,
    .baseItems = 0x8E448, .uniqueItems = 0x7CCB8, .affixes = 0x7AAF8, .speeches = 0x7EC90, .sounds = 0x851D9,
    .monsters = 0x96C70, .activeFlags = 0x9A4F0, .activeFlagSize = 1, .bosses = 0x9A560,
    .flipTablePointer = 0x1C6EE, .flipNames = 0x91B28, .flipSounds = 0x91BE0, .flipCount = 35,
    .spells = 0xA1288, .spellIcons = 0x829C9, .spellbook = 0x82B10,
    .classNames = 0x4B23, .classNameStride = 12, .classFrames = 0x9FDF0, .startAttributes = 0x9FE50,
    .startStride = 16, .classMaxima = 0x9FEB0,
    .version = 0x8D3C8, .cursorFile = 0x82FEC, .saveSingle = 0x9FC55, .saveMulti = 0x9FC65,
};

const Sample kHellfireSample{
    .label = "Hellfire", .file = "hellfire-sample.exe", .dataSuffix = "hellfire", .edition = &kHellfire,
    .baseItems = 0xA05C8, .uniqueItems = 0x8CB00, .affixes = 0x8A820, .speeches = 0x8F410, .sounds = 0x95FB1,
    .monsters = 0xAA8F0, .activeFlags = 0xAF058, .activeFlagSize = 4, .bosses = 0xAF280,
    .flipTablePointer = 0x1F232, .flipNames = 0xA4288, .flipSounds = 0xA4368, .flipCount = 43,
    .spells = 0xB6020, .spellIcons = 0x93611, .spellbook = 0x93768,
    .classNames = 0xB47B8, .classNameStride = 4, .classFrames = 0xB4698, .startAttributes = 0xB4740,
    .startStride = 24, .classMaxima = 0xB47D0,
    .version = 0x9F2C0, .cursorFile = 0x93C28, .saveSingle = 0xB44DD, .saveMulti = 0xB44FD,
};
// clang-format on

// Names the parameter in test listings by its edition rather than its address.
void PrintTo(const Sample* sample, std::ostream* out)
{
    *out << sample->label;
}

using Row = std::map<std::string, std::string>;

std::vector<Row> loadData(const std::string& stem, const Sample& sample)
{
    std::string path = std::string(TARVIX_DATA_DIR) + "/" + stem + "_" + sample.dataSuffix + ".tsv";
    std::ifstream in(path, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot read " << path;
    auto split = [](const std::string& line) {
        std::vector<std::string> cells;
        std::stringstream stream(line);
        std::string cell;
        while (std::getline(stream, cell, '\t'))
            cells.push_back(cell);
        if (!line.empty() && line.back() == '\t') cells.emplace_back();
        return cells;
    };
    std::string line;
    std::getline(in, line);
    auto header = split(line);
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        auto cells = split(line);
        EXPECT_EQ(cells.size(), header.size()) << path << ": " << line;
        Row row;
        for (std::size_t i = 0; i < header.size() && i < cells.size(); ++i)
            row[header[i]] = cells[i];
        rows.push_back(std::move(row));
    }
    return rows;
}

std::int64_t num(const Row& row, const std::string& column)
{
    return std::stoll(row.at(column));
}

class SampleTablesTest : public ::testing::TestWithParam<const Sample*> {
protected:
    const Sample& sample() const { return *GetParam(); }
    std::uint32_t delta() const { return sample().edition->pointerDelta; }

    WorkingCopy open() const
    {
        return WorkingCopy(std::string(TARVIX_SAMPLE_DIR) + "/" + sample().file, WorkingCopy::Mode::ReadOnly);
    }
    std::vector<Row> data(const std::string& stem) const { return loadData(stem, sample()); }

    // A pointer field against its data column: NULL as a zero pointer, else the text.
    void expectName(WorkingCopy& copy, std::uint64_t pointerOffset, const Row& row,
                    const std::string& column) const
    {
        StoredName name = readName(copy, pointerOffset, 2000, delta());
        bool isNull = row.at(column + "_null") == "1";
        EXPECT_EQ(name.isNull, isNull) << column << " at 0x" << std::hex << pointerOffset;
        EXPECT_EQ(name.text, row.at(column)) << column << " at 0x" << std::hex << pointerOffset;
    }
};

TEST_P(SampleTablesTest, HasTheExactLengthOfItsEdition)
{
    auto copy = open();
    EXPECT_EQ(copy.length(), sample().edition->fileLength);
    EXPECT_EQ(editionForLength(copy.length()), sample().edition);
}

TEST_P(SampleTablesTest, FixedTextsHoldVersionSaveNamesAndCursorFile)
{
    auto copy = open();
    std::map<std::string, Row> byKey;
    for (auto& row : data("scalars"))
        byKey[row.at("key")] = row;
    ASSERT_EQ(byKey.size(), 4u);

    EXPECT_EQ(readFixedText(copy, sample().version, 64), byKey["version_string"].at("value"));
    EXPECT_EQ(readFixedText(copy, sample().cursorFile, 60), byKey["cursor_file_name"].at("value"));
    EXPECT_EQ(readFixedText(copy, sample().saveSingle, 15), byKey["save_name_single"].at("value"));
    EXPECT_EQ(readFixedText(copy, sample().saveMulti, 15), byKey["save_name_multi"].at("value"));
    // The save-name offsets lie one byte into "\single..." and "\multi...".
    EXPECT_EQ(copy.readUnsigned(sample().saveSingle - 1, 1), static_cast<std::uint32_t>('\\'));
    EXPECT_EQ(copy.readUnsigned(sample().saveMulti - 1, 1), static_cast<std::uint32_t>('\\'));
}

TEST_P(SampleTablesTest, BaseItemsMatchTheirData)
{
    auto copy = open();
    auto rows = data("base_items");
    ASSERT_EQ(rows.size(), sample().edition == &kDiablo ? 156u : 166u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        std::uint64_t record = sample().baseItems + 76 * i;
        SCOPED_TRACE("base item " + std::to_string(i));
        expectName(copy, record + 16, row, "name");
        expectName(copy, record + 20, row, "magic_name");
        EXPECT_EQ(copy.readUnsigned(record + 4, 1), num(row, "item_class"));
        EXPECT_EQ(copy.readUnsigned(record + 8, 1), num(row, "graphic"));
        EXPECT_EQ(copy.readSigned(record + 32, 2), num(row, "min_damage"));
        EXPECT_EQ(copy.readSigned(record + 44, 2), num(row, "max_ac"));
        EXPECT_EQ(copy.readUnsigned(record + 50, 1), num(row, "dex_req"));
        EXPECT_EQ(copy.readUnsigned(record + 52, 4), static_cast<std::uint32_t>(num(row, "special_flags")));
        EXPECT_EQ(copy.readUnsigned(record + 60, 1), num(row, "spell"));
        EXPECT_EQ(copy.readSigned(record + 72, 4), num(row, "max_price"));
    }
}

TEST_P(SampleTablesTest, UniqueItemsAndAffixesMatchTheirData)
{
    auto copy = open();
    auto uniques = data("unique_items");
    for (std::size_t i = 0; i < uniques.size(); ++i) {
        const Row& row = uniques[i];
        std::uint64_t record = sample().uniqueItems + 84 * i;
        SCOPED_TRACE("unique item " + std::to_string(i));
        expectName(copy, record, row, "name");
        EXPECT_EQ(copy.readUnsigned(record + 6, 1), num(row, "num_effects"));
        EXPECT_EQ(copy.readSigned(record + 8, 4), num(row, "gold"));
        for (int k = 0; k < 6; ++k) {
            std::string slot = std::to_string(k);
            EXPECT_EQ(copy.readUnsigned(record + 12 + 12 * k, 1), num(row, "effect" + slot));
            EXPECT_EQ(copy.readSigned(record + 16 + 12 * k, 4), num(row, "min" + slot));
            EXPECT_EQ(copy.readSigned(record + 20 + 12 * k, 4), num(row, "max" + slot));
        }
    }

    auto affixes = data("affixes");
    for (std::size_t i = 0; i < affixes.size(); ++i) {
        const Row& row = affixes[i];
        std::uint64_t record = sample().affixes + 48 * i;
        SCOPED_TRACE("affix " + std::to_string(i));
        expectName(copy, record, row, "name"); // the prefix terminator's "" is a real text
        EXPECT_EQ(copy.readUnsigned(record + 4, 1), num(row, "effect"));
        EXPECT_EQ(copy.readSigned(record + 8, 4), num(row, "range_min"));
        EXPECT_EQ(copy.readUnsigned(record + 21, 1), num(row, "itype_b21"));
        EXPECT_EQ(copy.readUnsigned(record + 32, 1), num(row, "not_cursed"));
        EXPECT_EQ(copy.readSigned(record + 44, 4), num(row, "multiplier"));
    }
    // The last affix ends 48 bytes (the game's final suffix terminator) before the uniques.
    EXPECT_EQ(sample().affixes + 48 * (affixes.size() + 1), sample().uniqueItems);
}

TEST_P(SampleTablesTest, MonstersAndActiveFlagsMatchTheirData)
{
    auto copy = open();
    auto monsters = data("monsters");
    auto active = data("active_flags");
    ASSERT_EQ(monsters.size(), active.size());
    for (std::size_t i = 0; i < monsters.size(); ++i) {
        const Row& row = monsters[i];
        std::uint64_t record = sample().monsters + 128 * i;
        SCOPED_TRACE("monster " + std::to_string(i));
        expectName(copy, record + 80, row, "name");
        expectName(copy, record + 8, row, "anim_file");
        expectName(copy, record + 16, row, "sound_file");
        expectName(copy, record + 28, row, "color_file");
        EXPECT_EQ(copy.readUnsigned(record + 0, 4), num(row, "anim_value"));
        EXPECT_EQ(copy.readUnsigned(record + 4, 2), num(row, "seeding_size"));
        EXPECT_EQ(copy.readSigned(record + 52, 4), num(row, "frameset_second"));
        EXPECT_EQ(copy.readUnsigned(record + 84, 1), num(row, "dlvl_first"));
        EXPECT_EQ(copy.readSigned(record + 92, 4), num(row, "hp_second"));
        EXPECT_EQ(copy.readUnsigned(record + 118, 1), num(row, "resist_hell"));
        EXPECT_EQ(copy.readUnsigned(record + 121, 1), num(row, "item_drop_specials"));
        EXPECT_EQ(copy.readUnsigned(record + 124, 2), num(row, "experience"));
        EXPECT_EQ(copy.readUnsigned(sample().activeFlags + sample().activeFlagSize * i, 1),
                  num(active[i], "active"));
    }
    // The boss table begins directly behind the active flags.
    EXPECT_EQ(sample().activeFlags + sample().activeFlagSize * active.size(), sample().bosses);
}

TEST_P(SampleTablesTest, BossesSpeechesAndSoundNamesMatchTheirData)
{
    auto copy = open();
    auto sounds = data("sounds");
    ASSERT_EQ(sounds.size(), sample().edition == &kDiablo ? 858u : 1022u);
    for (std::size_t n = 0; n < sounds.size(); ++n) {
        SCOPED_TRACE("sound " + std::to_string(n));
        expectName(copy, sample().sounds + 9 * n, sounds[n], "name");
    }

    auto speeches = data("speeches");
    for (std::size_t j = 0; j < speeches.size(); ++j) {
        std::uint64_t record = sample().speeches + 16 * j;
        SCOPED_TRACE("speech " + std::to_string(j));
        expectName(copy, record, speeches[j], "text");
        EXPECT_EQ(copy.readSigned(record + 4, 1), num(speeches[j], "show"));
        EXPECT_EQ(copy.readSigned(record + 8, 1), num(speeches[j], "scroll_speed"));
        EXPECT_EQ(copy.readSigned(record + 12, 2), num(speeches[j], "sound"));
    }

    auto bosses = data("bosses");
    for (std::size_t n = 0; n < bosses.size(); ++n) {
        const Row& row = bosses[n];
        std::uint64_t record = sample().bosses + 32 * n;
        SCOPED_TRACE("boss " + std::to_string(n));
        expectName(copy, record + 4, row, "name");
        expectName(copy, record + 8, row, "color_file");
        EXPECT_EQ(copy.readUnsigned(record, 1), num(row, "monster_type"));
        EXPECT_EQ(copy.readSigned(record + 12, 1), num(row, "dungeon_level"));
        EXPECT_EQ(copy.readSigned(record + 14, 2), num(row, "hit_points"));
        EXPECT_EQ(copy.readSigned(record + 22, 1), num(row, "pack_flag"));
        std::int32_t speech = copy.readSigned(record + 28, 2);
        EXPECT_EQ(speech, num(row, "speech"));
        // The editor shows a boss's speech by its sound's name: follow the chain.
        if (speech > 0) {
            std::int32_t sound = copy.readSigned(sample().speeches + 16 * speech + 12, 2);
            ASSERT_GE(sound, 0);
            ASSERT_LT(static_cast<std::size_t>(sound), sounds.size());
            EXPECT_EQ(readName(copy, sample().sounds + 9 * sound, 50, delta()).text,
                      sounds[sound].at("name"));
        }
    }
}

TEST_P(SampleTablesTest, FlipTablesAreReachedThroughTheFlipTablePointer)
{
    auto copy = open();
    std::uint32_t pointer = copy.readUnsigned(sample().flipTablePointer, 4);
    std::uint32_t table = translateHighRangePointer(pointer, delta());
    if (sample().edition == &kDiablo) {
        // Diablo's pointer lies where only the high-range rule leads to the table.
        EXPECT_GE(pointer, kHighRangeFirst);
        EXPECT_LE(pointer, kHighRangeLast);
        EXPECT_NE(translatePointer(pointer, delta()), table);
    }
    auto graphics = data("graphic_flips");
    ASSERT_EQ(graphics.size(), sample().edition == &kDiablo ? 169u : 229u);
    for (const Row& row : graphics)
        EXPECT_EQ(copy.readUnsigned(table + num(row, "graphic"), 1), num(row, "flip"))
            << "graphic " << row.at("graphic");

    auto flips = data("flips");
    ASSERT_EQ(flips.size(), sample().flipCount);
    std::uint32_t inventorySounds = sample().flipSounds + 4 * (sample().flipCount + 1);
    for (std::size_t a = 0; a < flips.size(); ++a) {
        SCOPED_TRACE("flip " + std::to_string(a));
        expectName(copy, sample().flipNames + 4 * a, flips[a], "name");
        EXPECT_EQ(copy.readSigned(sample().flipSounds + 4 * a, 2), num(flips[a], "flip_sound"));
        EXPECT_EQ(copy.readSigned(inventorySounds + 4 * a, 2), num(flips[a], "inv_sound"));
    }
}

TEST_P(SampleTablesTest, SpellsIconsAndSpellbookMatchTheirData)
{
    auto copy = open();
    auto spells = data("spells");
    ASSERT_EQ(spells.size(), sample().edition == &kDiablo ? 36u : 51u);
    for (std::size_t i = 0; i < spells.size(); ++i) {
        const Row& row = spells[i];
        std::uint64_t record = sample().spells + 56 * i;
        SCOPED_TRACE("spell " + std::to_string(i));
        expectName(copy, record + 4, row, "magic_name");
        expectName(copy, record + 8, row, "skill_name");
        EXPECT_EQ(copy.readUnsigned(record + 1, 1), num(row, "mana"));
        EXPECT_EQ(copy.readSigned(record + 12, 4), num(row, "book_level"));
        EXPECT_EQ(copy.readUnsigned(record + 28, 1), num(row, "min_magic"));
        EXPECT_EQ(copy.readUnsigned(record + 32, 1), num(row, "sound"));
        EXPECT_EQ(copy.readUnsigned(record + 44, 2), num(row, "charges_max"));
        EXPECT_EQ(copy.readSigned(record + 52, 4), num(row, "staff_multiplier"));
    }

    auto icons = data("spell_icons");
    ASSERT_EQ(icons.size(), spells.size());
    for (std::size_t i = 0; i < icons.size(); ++i)
        EXPECT_EQ(copy.readUnsigned(sample().spellIcons + i, 1), num(icons[i], "icon")) << "spell " << i;

    auto slots = data("spellbook");
    ASSERT_EQ(slots.size(), 35u);
    for (const Row& row : slots)
        EXPECT_EQ(copy.readSigned(sample().spellbook + 28 * num(row, "page") + 4 * num(row, "slot"), 4),
                  num(row, "value"))
            << "page " << row.at("page") << " slot " << row.at("slot");
}

TEST_P(SampleTablesTest, CharacterClassTablesMatchTheirData)
{
    static const char* const kFrameColumns[11] = {
        "frames_dungeon_idle", "frames_attack", "frames_dungeon_walk", "speed_block",
        "frames_death",        "frames_cast",   "speed_hit_recovery",  "frames_town_idle",
        "frames_town_walk",    "speed_attack",  "speed_cast"};
    static const char* const kStartColumns[4] = {"start_str", "start_mag", "start_dex", "start_vit"};
    static const char* const kMaxColumns[4] = {"max_str", "max_mag", "max_dex", "max_vit"};

    auto copy = open();
    auto classes = data("classes");
    ASSERT_EQ(classes.size(), sample().edition == &kDiablo ? 3u : 6u);
    const std::uint32_t n = sample().startStride;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const Row& row = classes[c];
        SCOPED_TRACE("class " + std::to_string(c));
        StoredName name = readName(copy, sample().classNames + sample().classNameStride * c, 20, delta());
        EXPECT_EQ(name.text, row.at("name"));
        for (int b = 0; b < 11; ++b)
            EXPECT_EQ(copy.readUnsigned(sample().classFrames + 11 * c + b, 1), num(row, kFrameColumns[b]));
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(copy.readSigned(sample().startAttributes + k * n + 4 * c, 4),
                      num(row, kStartColumns[k]));
            EXPECT_EQ(copy.readSigned(sample().classMaxima + 16 * c + 4 * k, 4), num(row, kMaxColumns[k]));
        }
        EXPECT_EQ(copy.readUnsigned(sample().startAttributes + 4 * n + 4 * c, 1), num(row, "block_bonus"));
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, SampleTablesTest, ::testing::Values(&kDiabloSample, &kHellfireSample),
                         [](const auto& info) { return std::string(info.param->label); });

} // namespace
