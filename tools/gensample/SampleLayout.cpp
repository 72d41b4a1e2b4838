#include "SampleLayout.h"

#include <array>

namespace tarvix::gensample {

namespace {

constexpr Kind U = Kind::Unsigned;
constexpr Kind S = Kind::Signed;
constexpr Kind T = Kind::Text;

// base item record, 76 bytes
constexpr Field kBaseItem[] = {
    {"drop_flag", 0, 1, U},   {"item_class", 4, 1, U},  {"equip_location", 5, 1, U},
    {"graphic", 8, 1, U},     {"category", 12, 1, U},   {"unique_code", 13, 1, U},
    {"name", 16, 4, T},       {"magic_name", 20, 4, T}, {"level", 24, 1, U},
    {"durability", 28, 1, U}, {"min_damage", 32, 2, S}, {"max_damage", 36, 2, S},
    {"min_ac", 40, 2, S},     {"max_ac", 44, 2, S},     {"str_req", 48, 1, U},
    {"mag_req", 49, 1, U},    {"dex_req", 50, 1, U},    {"special_flags", 52, 4, U},
    {"magic_code", 56, 1, U}, {"spell", 60, 1, U},      {"use_once", 64, 1, U},
    {"min_price", 68, 4, S},  {"max_price", 72, 4, S},
};

// unique item record, 84 bytes: six effect slots of 12 bytes from offset 12
constexpr Field kUniqueItem[] = {
    {"name", 0, 4, T},     {"unique_code", 4, 1, U}, {"level", 5, 1, U},    {"num_effects", 6, 1, U},
    {"gold", 8, 4, S},     {"effect0", 12, 1, U},    {"min0", 16, 4, S},    {"max0", 20, 4, S},
    {"effect1", 24, 1, U}, {"min1", 28, 4, S},       {"max1", 32, 4, S},    {"effect2", 36, 1, U},
    {"min2", 40, 4, S},    {"max2", 44, 4, S},       {"effect3", 48, 1, U}, {"min3", 52, 4, S},
    {"max3", 56, 4, S},    {"effect4", 60, 1, U},    {"min4", 64, 4, S},    {"max4", 68, 4, S},
    {"effect5", 72, 1, U}, {"min5", 76, 4, S},       {"max5", 80, 4, S},
};

// affix record, 48 bytes; prefixes and suffixes in one run
constexpr Field kAffix[] = {
    {"name", 0, 4, T},        {"effect", 4, 1, U},       {"range_min", 8, 4, S},   {"range_max", 12, 4, S},
    {"level", 16, 1, U},      {"itype_b20", 20, 1, U},   {"itype_b21", 21, 1, U},  {"itype_b22", 22, 1, U},
    {"occurrence", 24, 1, U}, {"double_flag", 28, 1, U}, {"not_cursed", 32, 1, U}, {"value_min", 36, 4, S},
    {"value_max", 40, 4, S},  {"multiplier", 44, 4, S},
};

// monster data record, 128 bytes
constexpr Field kMonster[] = {
    {"anim_value", 0, 4, U},
    {"seeding_size", 4, 2, U},
    {"anim_file", 8, 4, T},
    {"second_anim", 12, 4, U},
    {"sound_file", 16, 4, T},
    {"special_sound", 20, 4, U},
    {"use_color_trn", 24, 4, U},
    {"color_file", 28, 4, T},
    {"frameset_neutral", 32, 4, S},
    {"frameset_walking", 36, 4, S},
    {"frameset_attacking", 40, 4, S},
    {"frameset_hit_recovery", 44, 4, S},
    {"frameset_death", 48, 4, S},
    {"frameset_second", 52, 4, S},
    {"speed_neutral", 56, 4, S},
    {"speed_walking", 60, 4, S},
    {"speed_attacking", 64, 4, S},
    {"speed_hit_recovery", 68, 4, S},
    {"speed_death", 72, 4, S},
    {"speed_second", 76, 4, S},
    {"name", 80, 4, T},
    {"dlvl_first", 84, 1, U},
    {"dlvl_second", 85, 1, U},
    {"monster_level", 86, 1, U},
    {"hp_first", 88, 4, S},
    {"hp_second", 92, 4, S},
    {"attack_type", 96, 1, U},
    {"attack_special", 100, 1, U},
    {"intelligence", 101, 1, U},
    {"subtype", 104, 1, U},
    {"main_to_hit", 105, 1, U},
    {"main_to_hit_frame", 106, 1, U},
    {"main_damage_first", 107, 1, U},
    {"main_damage_second", 108, 1, U},
    {"second_to_hit", 109, 1, U},
    {"second_to_hit_frame", 110, 1, U},
    {"second_damage_first", 111, 1, U},
    {"second_damage_second", 112, 1, U},
    {"armor_class", 113, 1, U},
    {"type", 114, 1, U},
    {"resist_normal", 116, 1, U},
    {"resist_hell", 118, 1, U},
    {"unique_item", 120, 1, U},
    {"item_drop_specials", 121, 1, U},
    {"selection_outline", 122, 1, U},
    {"experience", 124, 2, U},
};

// active-flag entry: only its first byte is meaningful (a char in Diablo, an int in Hellfire)
constexpr Field kActiveFlag[] = {{"active", 0, 1, U}};

// boss record, 32 bytes
constexpr Field kBoss[] = {
    {"monster_type", 0, 1, U},   {"name", 4, 4, T},          {"color_file", 8, 4, T},
    {"dungeon_level", 12, 1, S}, {"hit_points", 14, 2, S},   {"attack_type", 16, 1, S},
    {"attack_param", 17, 1, S},  {"damage_first", 18, 1, U}, {"damage_second", 19, 1, U},
    {"resist", 20, 1, U},        {"pack_flag", 22, 1, S},    {"pack_param", 24, 1, U},
    {"speech", 28, 2, S},
};

// speech record, 16 bytes
constexpr Field kSpeech[] = {
    {"text", 0, 4, T},
    {"show", 4, 1, S},
    {"scroll_speed", 8, 1, S},
    {"sound", 12, 2, S},
};

// sound record, 9 bytes packed: the name pointer, the game's buffer pointer, the next
// record's flags byte. The table's offset is that of the first name pointer.
constexpr Field kSound[] = {{"name", 0, 4, T}};

// The three flip tables share one data file; the sound entries are 4-byte ints of
// which the editor uses the low 16 bits.
constexpr Field kFlipName[] = {{"name", 0, 4, T}};
constexpr Field kFlipSound[] = {{"flip_sound", 0, 2, S}};
constexpr Field kInvSound[] = {{"inv_sound", 0, 2, S}};
constexpr Field kGraphicFlip[] = {{"flip", 0, 1, U}};

// spell record, 56 bytes; byte 0 (the game's spell id) is not part of the data
constexpr Field kSpell[] = {
    {"mana", 1, 1, U},
    {"cast_anim", 2, 1, U},
    {"magic_name", 4, 4, T},
    {"skill_name", 8, 4, T},
    {"book_level", 12, 4, S},
    {"staff_level", 16, 4, S},
    {"scroll_type", 20, 1, S},
    {"town_spell", 24, 1, U},
    {"min_magic", 28, 1, U},
    {"sound", 32, 1, U},
    {"effect1", 33, 1, U},
    {"effect2", 34, 1, U},
    {"effect3", 35, 1, U},
    {"mana_adj", 36, 1, U},
    {"min_mana", 37, 1, U},
    {"charges_min", 40, 2, U},
    {"charges_max", 44, 2, U},
    {"book_cost", 48, 4, S},
    {"staff_multiplier", 52, 4, S},
};

constexpr Field kSpellIcon[] = {{"icon", 0, 1, U}};
// 5 pages x 7 slots, in page order
constexpr Field kSpellbookSlot[] = {{"value", 0, 4, S}};

// Character classes: one data row per class, spread over several tables.
constexpr Field kClassName[] = {{"name", 0, 4, T}};
constexpr Field kClassFrames[] = {
    {"frames_dungeon_idle", 0, 1, U}, {"frames_attack", 1, 1, U},    {"frames_dungeon_walk", 2, 1, U},
    {"speed_block", 3, 1, U},         {"frames_death", 4, 1, U},     {"frames_cast", 5, 1, U},
    {"speed_hit_recovery", 6, 1, U},  {"frames_town_idle", 7, 1, U}, {"frames_town_walk", 8, 1, U},
    {"speed_attack", 9, 1, U},        {"speed_cast", 10, 1, U},
};
constexpr Field kStartStr[] = {{"start_str", 0, 4, S}};
constexpr Field kStartMag[] = {{"start_mag", 0, 4, S}};
constexpr Field kStartDex[] = {{"start_dex", 0, 4, S}};
constexpr Field kStartVit[] = {{"start_vit", 0, 4, S}};
// the low byte of a 4-byte slot
constexpr Field kBlockBonus[] = {{"block_bonus", 0, 1, U}};
constexpr Field kMaxStats[] = {
    {"max_str", 0, 4, S},
    {"max_mag", 4, 4, S},
    {"max_dex", 8, 4, S},
    {"max_vit", 12, 4, S},
};

constexpr PerEdition same(std::uint32_t value)
{
    return {value, value};
}
constexpr PerEdition kNone{0, 0};

// Start attributes: five arrays of one 4-byte slot per class, 16 (Diablo) or 24
// (Hellfire) bytes apart.
constexpr PerEdition kStartArrays{0x9FE50, 0xB4740};
constexpr PerEdition startArray(std::uint32_t k)
{
    return {kStartArrays.diablo + 16 * k, kStartArrays.hellfire + 24 * k};
}

// Where the generator puts the graphic-to-flip table: the game finds it through the
// flip-table pointer. For Diablo the place must lie where that pointer falls in the
// range translated with Hellfire's delta (file offsets 0x78DF0..0x81DFF).
constexpr PerEdition kGraphicFlipPlace{0x7A000, 0xA4180};

// clang-format off
constexpr std::array kTables{
    //          name                     data            index      offset (D, H)         count (D, H) stride     reserved   fields       zero above fields
    TableLayout{"base items",            "base_items",   "index",   {0x8E448, 0xA05C8},   {156, 166},  same(76),  kNone,     kBaseItem},
    TableLayout{"unique items",          "unique_items", "index",   {0x7CCB8, 0x8CB00},   {90, 110},   same(84),  kNone,     kUniqueItem},
    TableLayout{"affixes",               "affixes",      "index",   {0x7AAF8, 0x8A820},   {179, 185},  same(48),  kNone,     kAffix},
    TableLayout{"monster data",          "monsters",     "index",   {0x96C70, 0xAA8F0},   {112, 138},  same(128), kNone,     kMonster},
    TableLayout{"active flags",          "active_flags", "index",   {0x9A4F0, 0xAF058},   {112, 138},  {1, 4},    kNone,     kActiveFlag, true},
    TableLayout{"bosses",                "bosses",       "index",   {0x9A560, 0xAF280},   {97, 100},   same(32),  kNone,     kBoss},
    TableLayout{"speeches",              "speeches",     "index",   {0x7EC90, 0x8F410},   {259, 338},  same(16),  kNone,     kSpeech},
    TableLayout{"sound names",           "sounds",       "index",   {0x851D9, 0x95FB1},   {858, 1022}, same(9),   kNone,     kSound},
    TableLayout{"flip names",            "flips",        "index",   {0x91B28, 0xA4288},   {35, 43},    same(4),   kNone,     kFlipName},
    TableLayout{"flip sounds",           "flips",        "index",   {0x91BE0, 0xA4368},   {35, 43},    same(4),   kNone,     kFlipSound, true},
    // 4 x (flip count + 1) bytes behind the flip sounds
    TableLayout{"inventory sounds",      "flips",        "index",   {0x91C70, 0xA4418},   {35, 43},    same(4),   kNone,     kInvSound, true},
    // The editor may read entries up to graphic 255, so the whole byte range is kept.
    TableLayout{"graphic-to-flip table", "graphic_flips", "graphic", kGraphicFlipPlace,   {169, 229},  same(1),   same(256), kGraphicFlip},
    TableLayout{"spells",                "spells",       "index",   {0xA1288, 0xB6020},   {36, 51},    same(56),  kNone,     kSpell},
    TableLayout{"spell icons",           "spell_icons",  "index",   {0x829C9, 0x93611},   {36, 51},    same(1),   kNone,     kSpellIcon},
    TableLayout{"spellbook",             "spellbook",    "",        {0x82B10, 0x93768},   same(35),    same(4),   kNone,     kSpellbookSlot},
    // Diablo keeps its class names as immediates of three instructions 12 bytes apart.
    TableLayout{"class names",           "classes",      "index",   {0x4B23, 0xB47B8},    {3, 6},      {12, 4},   kNone,     kClassName},
    TableLayout{"class frames",          "classes",      "index",   {0x9FDF0, 0xB4698},   {3, 6},      same(11),  kNone,     kClassFrames},
    TableLayout{"start strength",        "classes",      "index",   startArray(0),        {3, 6},      same(4),   kNone,     kStartStr},
    TableLayout{"start magic",           "classes",      "index",   startArray(1),        {3, 6},      same(4),   kNone,     kStartMag},
    TableLayout{"start dexterity",       "classes",      "index",   startArray(2),        {3, 6},      same(4),   kNone,     kStartDex},
    TableLayout{"start vitality",        "classes",      "index",   startArray(3),        {3, 6},      same(4),   kNone,     kStartVit},
    TableLayout{"blocking bonus",        "classes",      "index",   startArray(4),        {3, 6},      same(4),   kNone,     kBlockBonus, true},
    TableLayout{"class maxima",          "classes",      "index",   {0x9FEB0, 0xB47D0},   {3, 6},      same(16),  kNone,     kMaxStats},
};
// clang-format on

constexpr FixedText kFixedTexts[] = {
    {"version_string", {0x8D3C8, 0x9F2C0}, 64},
    {"save_name_single", {0x9FC55, 0xB44DD}, 15},
    {"save_name_multi", {0x9FC65, 0xB44FD}, 15},
    {"cursor_file_name", {0x82FEC, 0x93C28}, 60},
};

constexpr TablePointer kFlipTablePointer{"flip-table pointer", {0x1C6EE, 0x1F232}, "graphic-to-flip table"};

} // namespace

std::span<const TableLayout> tableLayouts()
{
    return kTables;
}
std::span<const FixedText> fixedTexts()
{
    return kFixedTexts;
}
const TablePointer& flipTablePointer()
{
    return kFlipTablePointer;
}

bool isDescriptiveColumn(std::string_view column)
{
    // "kind" tells prefix from suffix, "spell_number" is the record index + 1, and the
    // spellbook's page and slot are its row order.
    return column == "kind" || column == "spell_number" || column == "page" || column == "slot";
}

} // namespace tarvix::gensample
