// Reads the generated samples with every table's offsets and record layout written out
// here on their own, as the game data describes them (not taken from tables/), and
// compares each column with the data the generator was given: a wrong table description
// puts the generator's bytes where these offsets do not find them.

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

// Where a run of rows lies in Diablo and in Hellfire, and its columns within a row:
// "name+16p" is a text pointer at +16, "level+24u1" an unsigned byte, "gold+8s4" a
// signed 32-bit number.
struct Layout {
    const char* stem;
    std::uint32_t offset[2];
    std::uint32_t stride[2];
    std::size_t rows[2];
    const char* columns;
};

// clang-format off
const Layout kLayouts[] = {
    {"base_items", {0x8E448, 0xA05C8}, {76, 76}, {156, 166},
     "drop_flag+0u1 item_class+4u1 equip_location+5u1 graphic+8u1 category+12u1 unique_code+13u1 name+16p "
     "magic_name+20p level+24u1 durability+28u1 min_damage+32s2 max_damage+36s2 min_ac+40s2 max_ac+44s2 "
     "str_req+48u1 mag_req+49u1 dex_req+50u1 special_flags+52u4 magic_code+56u1 spell+60u1 use_once+64u1 "
     "min_price+68s4 max_price+72s4"},
    {"unique_items", {0x7CCB8, 0x8CB00}, {84, 84}, {90, 110},
     "name+0p unique_code+4u1 level+5u1 num_effects+6u1 gold+8s4 effect0+12u1 min0+16s4 max0+20s4 effect1+24u1 "
     "min1+28s4 max1+32s4 effect2+36u1 min2+40s4 max2+44s4 effect3+48u1 min3+52s4 max3+56s4 effect4+60u1 "
     "min4+64s4 max4+68s4 effect5+72u1 min5+76s4 max5+80s4"},
    // The final suffix terminator lies in the 48 bytes between the last affix and the uniques.
    {"affixes", {0x7AAF8, 0x8A820}, {48, 48}, {179, 185},
     "name+0p effect+4u1 range_min+8s4 range_max+12s4 level+16u1 itype_b20+20u1 itype_b21+21u1 itype_b22+22u1 "
     "occurrence+24u1 double_flag+28u1 not_cursed+32u1 value_min+36s4 value_max+40s4 multiplier+44s4"},
    {"monsters", {0x96C70, 0xAA8F0}, {128, 128}, {112, 138},
     "anim_value+0u4 seeding_size+4u2 anim_file+8p second_anim+12u4 sound_file+16p special_sound+20u4 "
     "use_color_trn+24u4 color_file+28p frameset_neutral+32s4 frameset_walking+36s4 frameset_attacking+40s4 "
     "frameset_hit_recovery+44s4 frameset_death+48s4 frameset_second+52s4 speed_neutral+56s4 speed_walking+60s4 "
     "speed_attacking+64s4 speed_hit_recovery+68s4 speed_death+72s4 speed_second+76s4 name+80p dlvl_first+84u1 "
     "dlvl_second+85u1 monster_level+86u1 hp_first+88s4 hp_second+92s4 attack_type+96u1 attack_special+100u1 "
     "intelligence+101u1 subtype+104u1 main_to_hit+105u1 main_to_hit_frame+106u1 main_damage_first+107u1 "
     "main_damage_second+108u1 second_to_hit+109u1 second_to_hit_frame+110u1 second_damage_first+111u1 "
     "second_damage_second+112u1 armor_class+113u1 type+114u1 resist_normal+116u1 resist_hell+118u1 "
     "unique_item+120u1 item_drop_specials+121u1 selection_outline+122u1 experience+124u2"},
    // Only the first byte of a Hellfire entry counts; the bosses begin right behind the flags.
    {"active_flags", {0x9A4F0, 0xAF058}, {1, 4}, {112, 138}, "active+0u1"},
    {"bosses", {0x9A560, 0xAF280}, {32, 32}, {97, 100},
     "monster_type+0u1 name+4p color_file+8p dungeon_level+12s1 hit_points+14s2 attack_type+16s1 "
     "attack_param+17s1 damage_first+18u1 damage_second+19u1 resist+20u1 pack_flag+22s1 pack_param+24u1 "
     "speech+28s2"},
    {"speeches", {0x7EC90, 0x8F410}, {16, 16}, {259, 338}, "text+0p show+4s1 scroll_speed+8s1 sound+12s2"},
    {"sounds", {0x851D9, 0x95FB1}, {9, 9}, {858, 1022}, "name+0p"},
    // Inventory sounds start 4 x (animations + 1) bytes behind the flip sounds.
    {"flips", {0x91B28, 0xA4288}, {4, 4}, {35, 43}, "name+0p"},
    {"flips", {0x91BE0, 0xA4368}, {4, 4}, {35, 43}, "flip_sound+0s2"},
    {"flips", {0x91BE0 + 4 * 36, 0xA4368 + 4 * 44}, {4, 4}, {35, 43}, "inv_sound+0s2"},
    {"spells", {0xA1288, 0xB6020}, {56, 56}, {36, 51},
     "mana+1u1 cast_anim+2u1 magic_name+4p skill_name+8p book_level+12s4 staff_level+16s4 scroll_type+20s1 "
     "town_spell+24u1 min_magic+28u1 sound+32u1 effect1+33u1 effect2+34u1 effect3+35u1 mana_adj+36u1 "
     "min_mana+37u1 charges_min+40u2 charges_max+44u2 book_cost+48s4 staff_multiplier+52s4"},
    {"spell_icons", {0x829C9, 0x93611}, {1, 1}, {36, 51}, "icon+0u1"},
    {"spellbook", {0x82B10, 0x93768}, {4, 4}, {35, 35}, "value+0s4"}, // 5 pages of 7 slots
    {"classes", {0x4B23, 0xB47B8}, {12, 4}, {3, 6}, "name+0p"},
    {"classes", {0x9FDF0, 0xB4698}, {11, 11}, {3, 6},
     "frames_dungeon_idle+0u1 frames_attack+1u1 frames_dungeon_walk+2u1 speed_block+3u1 frames_death+4u1 "
     "frames_cast+5u1 speed_hit_recovery+6u1 frames_town_idle+7u1 frames_town_walk+8u1 speed_attack+9u1 "
     "speed_cast+10u1"},
    // Five arrays of one 4-byte slot per class, 16 (Diablo) or 24 (Hellfire) bytes apart.
    {"classes", {0x9FE50, 0xB4740}, {4, 4}, {3, 6}, "start_str+0s4"},
    {"classes", {0x9FE50 + 16, 0xB4740 + 24}, {4, 4}, {3, 6}, "start_mag+0s4"},
    {"classes", {0x9FE50 + 32, 0xB4740 + 48}, {4, 4}, {3, 6}, "start_dex+0s4"},
    {"classes", {0x9FE50 + 48, 0xB4740 + 72}, {4, 4}, {3, 6}, "start_vit+0s4"},
    {"classes", {0x9FE50 + 64, 0xB4740 + 96}, {4, 4}, {3, 6}, "block_bonus+0u1"},
    {"classes", {0x9FEB0, 0xB47D0}, {16, 16}, {3, 6}, "max_str+0s4 max_mag+4s4 max_dex+8s4 max_vit+12s4"},
};

// The fixed texts: offset in each edition and the bytes they may take.
struct FixedText {
    const char* key;
    std::uint32_t offset[2];
    int room;
};
const FixedText kFixedTexts[] = {
    {"version_string", {0x8D3C8, 0x9F2C0}, 64},   {"cursor_file_name", {0x82FEC, 0x93C28}, 60},
    {"save_name_single", {0x9FC55, 0xB44DD}, 15}, {"save_name_multi", {0x9FC65, 0xB44FD}, 15},
};
// clang-format on

const Edition* const kEditions[] = {&kDiablo, &kHellfire};
const char* const kSuffixes[] = {"diablo", "hellfire"};

using Row = std::map<std::string, std::string>;

std::vector<Row> loadData(const std::string& stem, int e)
{
    const std::string path = std::string(TARVIX_DATA_DIR) + "/" + stem + "_" + kSuffixes[e] + ".tsv";
    std::ifstream in(path, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot read " << path;
    auto split = [](const std::string& line) {
        std::vector<std::string> cells;
        std::stringstream stream(line);
        for (std::string cell; std::getline(stream, cell, '\t');) cells.push_back(cell);
        if (!line.empty() && line.back() == '\t') cells.emplace_back();
        return cells;
    };
    std::string line;
    std::getline(in, line);
    const auto header = split(line);
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        const auto cells = split(line);
        EXPECT_EQ(cells.size(), header.size()) << path << ": " << line;
        Row& row = rows.emplace_back();
        for (std::size_t i = 0; i < header.size() && i < cells.size(); ++i) row[header[i]] = cells[i];
    }
    return rows;
}

class SampleTablesTest : public ::testing::TestWithParam<int> {
protected:
    const Edition& edition() const { return *kEditions[GetParam()]; }
    WorkingCopy open() const
    {
        return WorkingCopy(std::string(TARVIX_SAMPLE_DIR) + "/" + kSuffixes[GetParam()] + "-sample.exe",
                           WorkingCopy::Mode::ReadOnly);
    }
};

TEST_P(SampleTablesTest, HasTheExactLengthOfItsEdition)
{
    auto copy = open();
    EXPECT_EQ(copy.length(), edition().fileLength);
    EXPECT_EQ(editionForLength(copy.length()), &edition());
}

TEST_P(SampleTablesTest, FixedTextsHoldVersionSaveNamesAndCursorFile)
{
    auto copy = open();
    std::map<std::string, std::string> values;
    for (const Row& row : loadData("scalars", GetParam())) values[row.at("key")] = row.at("value");
    ASSERT_EQ(values.size(), std::size(kFixedTexts));
    for (const FixedText& t : kFixedTexts)
        EXPECT_EQ(readFixedText(copy, t.offset[GetParam()], t.room), values[t.key]) << t.key;
    // The save-name offsets lie one byte into "\single..." and "\multi...".
    for (const FixedText& t : {kFixedTexts[2], kFixedTexts[3]})
        EXPECT_EQ(copy.readUnsigned(t.offset[GetParam()] - 1, 1), static_cast<std::uint32_t>('\\'));
}

TEST_P(SampleTablesTest, EveryColumnOfEveryTableLiesWhereTheGameKeepsIt)
{
    auto copy = open();
    const int e = GetParam();
    for (const Layout& layout : kLayouts) {
        const std::vector<Row> rows = loadData(layout.stem, e);
        ASSERT_EQ(rows.size(), layout.rows[e]) << layout.stem;
        std::istringstream columns(layout.columns);
        for (std::string spec; columns >> spec;) {
            const std::size_t plus = spec.find('+');
            const std::string column = spec.substr(0, plus);
            std::size_t kindAt = 0;
            const std::uint32_t at = std::stoul(spec.substr(plus + 1), &kindAt);
            const char kind = spec[plus + 1 + kindAt];
            const int width = kind == 'p' ? 4 : spec[plus + 2 + kindAt] - '0';
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const std::uint64_t offset = layout.offset[e] + std::uint64_t{layout.stride[e]} * i + at;
                SCOPED_TRACE(std::string(layout.stem) + " row " + std::to_string(i) + " " + column);
                if (kind == 'p') {
                    const StoredName name = readName(copy, offset, 2000, edition().pointerDelta);
                    EXPECT_EQ(name.isNull, rows[i].at(column + "_null") == "1");
                    EXPECT_EQ(name.text, rows[i].at(column));
                } else {
                    const std::int64_t stored = kind == 's' ? std::int64_t{copy.readSigned(offset, width)}
                                                            : std::int64_t{copy.readUnsigned(offset, width)};
                    EXPECT_EQ(stored, std::stoll(rows[i].at(column)));
                }
            }
        }
    }
}

TEST_P(SampleTablesTest, GraphicFlipsAreReachedThroughTheFlipTablePointer)
{
    auto copy = open();
    const std::uint32_t pointer = copy.readUnsigned(&edition() == &kDiablo ? 0x1C6EE : 0x1F232, 4);
    const std::uint32_t table = translateHighRangePointer(pointer, edition().pointerDelta);
    if (&edition() == &kDiablo) {
        // Diablo's pointer lies where only the high-range rule leads to the table.
        EXPECT_GE(pointer, kHighRangeFirst);
        EXPECT_LE(pointer, kHighRangeLast);
        EXPECT_NE(translatePointer(pointer, edition().pointerDelta), table);
    }
    const auto graphics = loadData("graphic_flips", GetParam());
    ASSERT_EQ(graphics.size(), &edition() == &kDiablo ? 169u : 229u);
    for (const Row& row : graphics)
        EXPECT_EQ(copy.readUnsigned(table + std::stoul(row.at("graphic")), 1), std::stoul(row.at("flip")))
            << "graphic " << row.at("graphic");
}

INSTANTIATE_TEST_SUITE_P(Editions, SampleTablesTest, ::testing::Values(0, 1),
                         [](const auto& info) { return std::string(info.param ? "Hellfire" : "Diablo"); });

} // namespace
