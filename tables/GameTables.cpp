#include "tables/GameTables.h"

#include <array>
#include <string>

namespace tarvix::tables {

namespace {

constexpr Type U8 = Type::U8;
constexpr Type S8 = Type::S8;
constexpr Type U16 = Type::U16;
constexpr Type S16 = Type::S16;
constexpr Type U32 = Type::U32;
constexpr Type S32 = Type::S32;
constexpr Type Ptr = Type::Pointer;

// Record numbers the way a player counts them.
std::string plusOne(const Edition&, int row)
{
    return std::to_string(row + 1);
}

// clang-format off

constexpr Field kBaseItemFields[] = {
    {"drop_flag", 0, U8},       // 0 not findable, 1 findable, 2 findable twice as often
    {"item_class", 4, U8},      // 1..5
    {"equip_location", 5, U8},  // 1..7
    {"graphic", 8, U8},         // picture number 0..255
    {"category", 12, U8},
    {"unique_code", 13, U8},
    {"name", 16, Ptr},
    {"magic_name", 20, Ptr},
    {"level", 24, U8},
    {"durability", 28, U8},
    {"min_damage", 32, S16},
    {"max_damage", 36, S16},
    {"min_ac", 40, S16},
    {"max_ac", 44, S16},
    {"str_req", 48, U8},
    {"mag_req", 49, U8},
    {"dex_req", 50, U8},
    {"special_flags", 52, U32}, // one bit per special effect
    {"magic_code", 56, U8},
    {"spell", 60, U8},          // spell number, 0 = none
    {"use_once", 64, U8},
    {"min_price", 68, S32},
    {"max_price", 72, S32},
};
constexpr Run kBaseItemRuns[] = {{{0x8E448, 0xA05C8}, same(76), kBaseItemFields}};

// Six effect slots of 12 bytes from offset 12; effect 44 makes a slot the item's picture.
constexpr Field kUniqueItemFields[] = {
    {"name", 0, Ptr},      {"unique_code", 4, U8}, {"level", 5, U8},    {"num_effects", 6, U8},
    {"gold", 8, S32},
    {"effect0", 12, U8},   {"min0", 16, S32},      {"max0", 20, S32},
    {"effect1", 24, U8},   {"min1", 28, S32},      {"max1", 32, S32},
    {"effect2", 36, U8},   {"min2", 40, S32},      {"max2", 44, S32},
    {"effect3", 48, U8},   {"min3", 52, S32},      {"max3", 56, S32},
    {"effect4", 60, U8},   {"min4", 64, S32},      {"max4", 68, S32},
    {"effect5", 72, U8},   {"min5", 76, S32},      {"max5", 80, S32},
};
constexpr Run kUniqueItemRuns[] = {{{0x7CCB8, 0x8CB00}, same(84), kUniqueItemFields}};

// Item-type bits: byte 20 0x10 bows, 0x01 jewels; byte 21 weapons, staves; byte 22
// armors, shields. Byte 23 belongs to the same word but means nothing here.
constexpr Field kAffixFields[] = {
    {"name", 0, Ptr},        {"effect", 4, U8},       {"range_min", 8, S32},   {"range_max", 12, S32},
    {"level", 16, U8},       {"itype_b20", 20, U8},   {"itype_b21", 21, U8},   {"itype_b22", 22, U8},
    {"occurrence", 24, U8},  {"double_flag", 28, U8}, {"not_cursed", 32, U8},  {"value_min", 36, S32},
    {"value_max", 40, S32},  {"multiplier", 44, S32},
};
constexpr Run kAffixRuns[] = {{{0x7AAF8, 0x8A820}, same(48), kAffixFields}};

constexpr Field kMonsterFields[] = {
    {"anim_value", 0, U32},   // goes with the animation file
    {"seeding_size", 4, U16},
    {"anim_file", 8, Ptr},
    {"second_anim", 12, U32},
    {"sound_file", 16, Ptr},
    {"special_sound", 20, U32},
    {"use_color_trn", 24, U32},
    {"color_file", 28, Ptr},  // 0 = none
    {"frameset_neutral", 32, S32},
    {"frameset_walking", 36, S32},
    {"frameset_attacking", 40, S32},
    {"frameset_hit_recovery", 44, S32},
    {"frameset_death", 48, S32},
    {"frameset_second", 52, S32},
    {"speed_neutral", 56, S32},
    {"speed_walking", 60, S32},
    {"speed_attacking", 64, S32},
    {"speed_hit_recovery", 68, S32},
    {"speed_death", 72, S32},
    {"speed_second", 76, S32},
    {"name", 80, Ptr},
    {"dlvl_first", 84, U8, 0, &conversions::doubledLevel},
    {"dlvl_second", 85, U8, 0, &conversions::doubledLevel},
    {"monster_level", 86, U8},
    {"hp_first", 88, S32},
    {"hp_second", 92, S32},
    {"attack_type", 96, U8},
    {"attack_special", 100, U8},
    {"intelligence", 101, U8},
    {"subtype", 104, U8},
    {"main_to_hit", 105, U8},
    {"main_to_hit_frame", 106, U8},
    {"main_damage_first", 107, U8},
    {"main_damage_second", 108, U8},
    {"second_to_hit", 109, U8},
    {"second_to_hit_frame", 110, U8},
    {"second_damage_first", 111, U8},
    {"second_damage_second", 112, U8},
    {"armor_class", 113, U8},
    {"type", 114, U8},
    {"resist_normal", 116, U8}, // resistance bits 0..5; 6 and 7 are the game's own
    {"resist_hell", 118, U8},
    {"unique_item", 120, U8},
    {"item_drop_specials", 121, U8},
    {"selection_outline", 122, U8},
    {"experience", 124, U16},
};
constexpr Run kMonsterRuns[] = {{{0x96C70, 0xAA8F0}, same(128), kMonsterFields}};

// A char per monster kind in Diablo, an int in Hellfire, of which the first byte counts:
// 0 never placed, 1 placed, 2 placed in the full game only.
constexpr Field kActiveFlagFields[] = {{"active", 0, U8}};
constexpr Run kActiveFlagRuns[] = {{{0x9A4F0, 0xAF058}, {1, 4}, kActiveFlagFields}};

constexpr Field kBossFields[] = {
    {"monster_type", 0, U8},   {"name", 4, Ptr},          {"color_file", 8, Ptr},
    {"dungeon_level", 12, S8}, {"hit_points", 14, S16},   {"attack_type", 16, S8},
    {"attack_param", 17, S8},  {"damage_first", 18, U8},  {"damage_second", 19, U8},
    {"resist", 20, U8},        {"pack_flag", 22, S8},     {"pack_param", 24, U8},
    {"speech", 28, S16},       // speech number
};
constexpr Run kBossRuns[] = {{{0x9A560, 0xAF280}, same(32), kBossFields}};

constexpr Field kSpeechFields[] = {
    {"text", 0, Ptr},
    {"show", 4, S8},
    {"scroll_speed", 8, S8},
    {"sound", 12, S16}, // sound number
};
constexpr Run kSpeechRuns[] = {{{0x7EC90, 0x8F410}, same(16), kSpeechFields}};

// Packed records: the name pointer, the game's buffer pointer, the next record's flags.
constexpr Field kSoundFields[] = {{"name", 0, Ptr}};
constexpr Run kSoundRuns[] = {{{0x851D9, 0x95FB1}, same(9), kSoundFields}};

// The sound entries are ints of which only the low 16 bits are a sound number. The
// inventory sounds start 4 x (animations + 1) bytes behind the flip sounds.
constexpr Field kFlipNameFields[] = {{"name", 0, Ptr}};
constexpr Field kFlipSoundFields[] = {{"flip_sound", 0, S16}};
constexpr Field kInvSoundFields[] = {{"inv_sound", 0, S16}};
constexpr Run kFlipRuns[] = {
    {{0x91B28, 0xA4288}, same(4), kFlipNameFields},
    {{0x91BE0, 0xA4368}, same(4), kFlipSoundFields},
    {{0x91C70, 0xA4418}, same(4), kInvSoundFields},
};

constexpr Via kFlipTablePointer{{0x1C6EE, 0x1F232}, Translation::HighRange};
constexpr Field kGraphicFlipFields[] = {{"flip", 0, U8}};
constexpr Run kGraphicFlipRuns[] = {{{0, 0}, same(1), kGraphicFlipFields, &kFlipTablePointer}};

// Record 0 is spell 1; byte 0 (the game's own spell number) is not edited.
constexpr Field kSpellFields[] = {
    {"mana", 1, U8},
    {"cast_anim", 2, U8},
    {"magic_name", 4, Ptr},
    {"skill_name", 8, Ptr}, // 0 = none
    {"book_level", 12, S32},
    {"staff_level", 16, S32},
    {"scroll_type", 20, S8},
    {"town_spell", 24, U8},
    {"min_magic", 28, U8},
    {"sound", 32, U8},
    {"effect1", 33, U8},
    {"effect2", 34, U8},
    {"effect3", 35, U8},
    {"mana_adj", 36, U8},
    {"min_mana", 37, U8},
    {"charges_min", 40, U16},
    {"charges_max", 44, U16},
    {"book_cost", 48, S32},
    {"staff_multiplier", 52, S32, 0, &conversions::timesFive},
};
constexpr Run kSpellRuns[] = {{{0xA1288, 0xB6020}, same(56), kSpellFields}};
constexpr Derived kSpellNumber[] = {{"spell_number", plusOne}};

// Icon numbers count from 1; entry i belongs to spell i + 1.
constexpr Field kSpellIconFields[] = {{"icon", 0, U8}};
constexpr Run kSpellIconRuns[] = {{{0x829C9, 0x93611}, same(1), kSpellIconFields}};

// A slot holds a spell number, or 0 or -1 for an empty slot.
constexpr Field kSpellbookFields[] = {{"value", 0, S32}};
constexpr Run kSpellbookRuns[] = {{{0x82B10, 0x93768}, same(4), kSpellbookFields}};
constexpr Derived kSpellbookPlaces[] = {
    {"page", [](const Edition&, int row) { return std::to_string(row / kSpellbookSlotsPerPage); }},
    {"slot", [](const Edition&, int row) { return std::to_string(row % kSpellbookSlotsPerPage); }},
};

constexpr Field kClassNameFields[] = {{"name", 0, Ptr, 0, nullptr, true}};
constexpr Field kClassFrameFields[] = {
    {"frames_dungeon_idle", 0, U8}, {"frames_attack", 1, U8},    {"frames_dungeon_walk", 2, U8},
    {"speed_block", 3, U8},         {"frames_death", 4, U8},     {"frames_cast", 5, U8},
    {"speed_hit_recovery", 6, U8},  {"frames_town_idle", 7, U8}, {"frames_town_walk", 8, U8},
    {"speed_attack", 9, U8},        {"speed_cast", 10, U8},
};
constexpr Field kStartStrFields[] = {{"start_str", 0, S32}};
constexpr Field kStartMagFields[] = {{"start_mag", 0, S32}};
constexpr Field kStartDexFields[] = {{"start_dex", 0, S32}};
constexpr Field kStartVitFields[] = {{"start_vit", 0, S32}};
constexpr Field kBlockBonusFields[] = {{"block_bonus", 0, U8}}; // the low byte of an int
constexpr Field kMaxStatFields[] = {
    {"max_str", 0, S32}, {"max_mag", 4, S32}, {"max_dex", 8, S32}, {"max_vit", 12, S32},
};
// The start attributes are five arrays of one int per class, 16 (Diablo, three classes
// and a spare) or 24 (Hellfire) bytes apart.
constexpr PerEdition startArray(std::uint32_t k)
{
    return {0x9FE50 + 16 * k, 0xB4740 + 24 * k};
}
constexpr Run kClassRuns[] = {
    // Diablo keeps its class names as immediates of three instructions 12 bytes apart.
    {{0x4B23, 0xB47B8}, {12, 4}, kClassNameFields},
    {{0x9FDF0, 0xB4698}, same(11), kClassFrameFields},
    {startArray(0), same(4), kStartStrFields},
    {startArray(1), same(4), kStartMagFields},
    {startArray(2), same(4), kStartDexFields},
    {startArray(3), same(4), kStartVitFields},
    {startArray(4), same(4), kBlockBonusFields},
    {{0x9FEB0, 0xB47D0}, same(16), kMaxStatFields},
};

constexpr Field kVersionFields[] = {{"version_string", 0, Type::Text, 64}};
constexpr Field kSaveSingleFields[] = {{"save_name_single", 0, Type::Text, 15}};
constexpr Field kSaveMultiFields[] = {{"save_name_multi", 0, Type::Text, 15}};
constexpr Field kCursorFileFields[] = {{"cursor_file_name", 0, Type::Text, 60}};
constexpr Run kTextRuns[] = {
    {{0x8D3C8, 0x9F2C0}, same(64), kVersionFields},
    // The game's save names begin with a backslash; these point one byte behind it.
    {{0x9FC55, 0xB44DD}, same(15), kSaveSingleFields},
    {{0x9FC65, 0xB44FD}, same(15), kSaveMultiFields},
    {{0x82FEC, 0x93C28}, same(60), kCursorFileFields},
};

constexpr Derived kAffixKind[] = {
    {"kind", [](const Edition& e, int row) { return std::string(row < prefixCount(e) ? "prefix" : "suffix"); }},
};

// clang-format on

} // namespace

// clang-format off
const Table kBaseItems   {"base_items",    {156, 166},  kBaseItemRuns,    "index"};
const Table kUniqueItems {"unique_items",  {90, 110},   kUniqueItemRuns,  "index"};
const Table kAffixes     {"affixes",       {179, 185},  kAffixRuns,       "index", kAffixKind};
const Table kMonsters    {"monsters",      {112, 138},  kMonsterRuns,     "index"};
const Table kActiveFlags {"active_flags",  {112, 138},  kActiveFlagRuns,  "index"};
const Table kBosses      {"bosses",        {97, 100},   kBossRuns,        "index"};
const Table kSpeeches    {"speeches",      {259, 338},  kSpeechRuns,      "index"};
const Table kSounds      {"sounds",        {858, 1022}, kSoundRuns,       "index"};
const Table kFlips       {"flips",         {35, 43},    kFlipRuns,        "index"};
// The game's own table; a modder may lengthen it, and the flips editor reads on up to
// graphic 255 where the cursor file has more pictures.
const Table kGraphicFlips{"graphic_flips", {169, 229},  kGraphicFlipRuns, "graphic"};
const Table kSpells      {"spells",        {36, 51},    kSpellRuns,       "index", kSpellNumber};
const Table kSpellIcons  {"spell_icons",   {36, 51},    kSpellIconRuns,   "index", kSpellNumber};
const Table kSpellbook   {"spellbook",     same(35),    kSpellbookRuns,   "",      kSpellbookPlaces};
const Table kClasses     {"classes",       {3, 6},      kClassRuns,       "index"};
const Table kTexts       {"texts",         same(1),     kTextRuns,        ""};
// clang-format on

namespace {
constexpr std::array<const Table*, 15> kAll{&kBaseItems, &kUniqueItems, &kAffixes,    &kMonsters, &kActiveFlags,
                                            &kBosses,    &kSpeeches,    &kSounds,     &kFlips,    &kGraphicFlips,
                                            &kSpells,    &kSpellIcons,  &kSpellbook,  &kClasses,  &kTexts};
} // namespace

std::span<const Table* const> allTables()
{
    return kAll;
}

const Table* findTable(std::string_view name)
{
    for (const Table* table : kAll)
        if (table->name == name) return table;
    return nullptr;
}

int prefixCount(const Edition& edition)
{
    return static_cast<int>(PerEdition{84, 87}.of(edition));
}

} // namespace tarvix::tables
