#include "editors/items/BaseItemsDlg.h"

#include "editors/items/ItemPicture.h"
#include "exe/Edition.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QLabel>

namespace tarvix {

namespace {

using conversions::rowPlusOne;
using T = FieldType;

// Base item record, 76 bytes. The drop flag at offset 0 is shown by two check boxes
// and handled beside this table.
const Field kBaseItemLayout[] = {
    {4, T::U8, comboRow(1021, rowPlusOne)},       // item class 1..5
    {5, T::U8, comboRow(1022, rowPlusOne)},       // equip location 1..7
    {8, T::U8, comboRow(1024)},                   // graphic number
    {12, T::U8, comboRow(1023)},                  // item category 0..13
    {13, T::U8, edit(1020)},                      // unique item code
    {16, T::Pointer, name(1018, 30, 29, 1042)},   // name
    {20, T::Pointer, name(1019, 30, 29, 1043)},   // magical name
    {24, T::U8, edit(1027)},                      // level
    {28, T::U8, edit(1028)},                      // durability
    {32, T::S16, edit(1029)},                     // minimum damage
    {36, T::S16, edit(1030)},                     // maximum damage
    {40, T::S16, edit(1031)},                     // minimum armor class
    {44, T::S16, edit(1032)},                     // maximum armor class
    {48, T::U8, edit(1033).parsedSigned()},       // strength requirement
    {49, T::U8, edit(1034)},                      // magic requirement
    {50, T::U8, edit(1035).parsedSigned()},       // dexterity requirement
    {52, T::U32, bits(1041)},                     // special effect flags
    {56, T::U8, comboData(1036)},                 // magic code
    {60, T::U8, comboRow(1037)},                  // spell number, 0 = none
    {64, T::U8, check(1038)},                     // used once
    {68, T::S32, edit(1039)},                     // minimum price
    {72, T::S32, edit(1040)},                     // maximum price
};

constexpr int kRecordSize = 76;
constexpr int kSpellRecordSize = 56;
constexpr int kListNameWindow = 50;

struct EditionParameters {
    std::uint32_t itemTable;
    std::uint8_t itemCount;
    std::uint32_t spellNameTable;
    std::int8_t spellCount;
    std::uint32_t pointerDelta;
};
constexpr EditionParameters kDiabloParameters{0x8E448, 156, 0xA128C, 36, 0x402200};
constexpr EditionParameters kHellfireParameters{0xA05C8, 166, 0xB6024, 51, 0x401600};

// Codes of the template's Magic Code rows 0..20.
constexpr std::uint8_t kMagicCodes[] = {0, 2, 3, 6, 7, 10, 11, 12, 13, 18, 19, 21, 22, 23, 24, 25, 26, 27, 42, 43, 44};

struct MagicCode {
    const char* text;
    std::uint8_t code;
};
constexpr MagicCode kHellfireMagicCodes[] = {
    {"Oil of...", 30},         {"Oil of Accuracy", 31},       {"Oil of Mastery", 32},
    {"Oil of Sharpness", 33},  {"Oil of Death", 34},          {"Oil of Skill", 35},
    {"Blacksmith Oil", 36},    {"Oil of Fortitude", 37},      {"Oil of Permanence", 38},
    {"Oil of Hardening", 39},  {"Oil of Imperviousness", 40}, {"Cathedral Map", 42},
    {"Rune of Fire", 47},      {"Rune of Lightning", 48},     {"Greater Rune of Lightning", 49},
    {"Greater Rune of Fire", 50}, {"Auric Amulet", 53},       {"Reconstructed Note", 54},
};

// Row i is bit i of the special effect flags; equal texts are still separate bits.
constexpr const char* kSpecialEffects[32] = {
    "Infravision", "Random Life Stealing", "Random Speed Arrows", "Burning Damage", "Extra Fire Damage",
    "Extra Lightning Damage", "Constantly lose HP", "????", "????", "????", "????", "Knockback target", "????",
    "Steal 3% mana", "Steal 5% mana", "Steal 3% life", "Steal 5% life", "Quick Attack", "Faster Attack",
    "Faster Attack", "Fastest Attack", "Fast Hit Recovery", "Faster Hit Recovery", "Fastest Hit Recovery",
    "Fast Block", "Thunder Damage", "Attacker takes 1-3 damage", "Bring mana to 0", "Absorb half trap damage",
    "????", "+200% damage to demons", "All resistances to 0"};

} // namespace

CBaseItemsDlg::CBaseItemsDlg(QWidget* owner) : CEditorDlg(131, owner)
{
    onSelChange(1015, [this] { OnSelchangeItem(); });
    onClicked(1014, [this] { OnSave(); });
    onClicked(1025, [this] { OnFindableItem(); });
    onSelChange(1024, [this] { OnSelchangeGraphic(); });
}

CBaseItemsDlg::~CBaseItemsDlg() = default;

void CBaseItemsDlg::OnShowWindow()
{
    const std::string tag = tagBytes();
    const auto parameters = byEdition(tag, kDiabloParameters, kHellfireParameters);
    if (!parameters) return;
    m_itemTable = parameters->itemTable;
    m_itemCount = parameters->itemCount;
    m_spellNameTable = parameters->spellNameTable;
    m_spellCount = parameters->spellCount;
    m_pointerDelta = parameters->pointerDelta;
    m_fields = std::make_unique<FieldBinding>(*this, kBaseItemLayout, m_pointerDelta);

    AddGraphicRows(*this, 1024, 0, graphicBaseRows(editionTag()), 29);
    if (tag == kHellfire.tag) AddHellfireMagicCodes();
    for (int row = 0; row < static_cast<int>(std::size(kMagicCodes)); ++row) setRowData(1036, row, kMagicCodes[row]);
    FillItemLists();
}

void CBaseItemsDlg::AddHellfireMagicCodes()
{
    for (const MagicCode& m : kHellfireMagicCodes) addRow(1036, QString::fromLatin1(m.text), m.code);
}

void CBaseItemsDlg::FillItemLists()
{
    WorkingCopy file(pathBytes(), WorkingCopy::Mode::ReadOnly);
    ExtendGraphicList(*this, 1024, file, editionTag(), 49);

    FillRecordList(*this, 1015, file, {m_itemTable, m_itemCount, kRecordSize, 16, kListNameWindow, m_pointerDelta},
                   QStringLiteral("Empty"));

    addRow(1037, QStringLiteral("Empty"));
    for (int j = 0; j < m_spellCount; ++j)
        addRow(1037, gameText(readName(file, m_spellNameTable + kSpellRecordSize * j, kListNameWindow, m_pointerDelta).text));
    file.close();

    combo(1015)->setFocus();
    selectRow(1015, 0);
    for (const char* effect : kSpecialEffects) addRow(1041, QString::fromLatin1(effect));
    OnSelchangeItem();
}

void CBaseItemsDlg::OnSelchangeItem()
{
    const int row = selectedRow(1015);
    if (row < 0 || !m_fields) return;
    m_shownRecord = m_itemTable + kRecordSize * static_cast<std::uint8_t>(row);
    WorkingCopy file(pathBytes(), WorkingCopy::Mode::ReadOnly);
    m_fields->show(file, m_shownRecord);
    ShowDropFlag(m_fields->recordByte(0));
    file.close();
    OnSelchangeGraphic();
}

void CBaseItemsDlg::ShowDropFlag(std::uint8_t drop)
{
    setCheck(1025, drop == 1 || drop == 2);
    setCheck(1026, drop == 2);
    item(1026)->setEnabled(drop == 1 || drop == 2);
    m_shownFindable = isChecked(1025);
    m_shownDouble = isChecked(1026);
}

void CBaseItemsDlg::OnSave()
{
    if (!m_fields) return;
    WorkingCopy file(pathBytes(), WorkingCopy::Mode::ReadWrite);
    // The two boxes share one byte; left as shown, it keeps whatever it holds.
    if (isChecked(1025) != m_shownFindable || isChecked(1026) != m_shownDouble) {
        const std::uint8_t drop = isChecked(1025) ? (isChecked(1026) ? 2 : 1) : 0;
        file.writeUnsigned(m_shownRecord, 1, drop);
            m_shownFindable = isChecked(1025);
        m_shownDouble = isChecked(1026);
    }
    m_fields->save(file);
    file.close();
}

void CBaseItemsDlg::OnFindableItem()
{
    setCheck(1026, false);
    item(1026)->setEnabled(isChecked(1025));
}

void CBaseItemsDlg::OnSelchangeGraphic()
{
    ShowItemPicture(picture(1167), selectedRow(1024));
}

} // namespace tarvix
