#include "editors/items/BaseItemsDlg.h"

#include "editors/items/ItemPicture.h"
#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QLabel>

namespace tarvix {

namespace {

using conversions::rowPlusOne;

// The drop flag is one byte shown by two boxes: 0 not findable, 1 findable, 2 findable
// twice as often. "Double Occurance" only means something for a findable item.
class DropFlagBoxes : public FieldControl {
public:
    DropFlagBoxes(CDialog& dialog, int findableId, int doubleId) : FieldControl(dialog, findableId), m_double(doubleId) {}

    void show(const StoredField& stored, ShowContext&) override
    {
        m_dialog.setCheck(m_id, stored.bits == 1 || stored.bits == 2);
        m_dialog.setCheck(m_double, stored.bits == 2);
        m_dialog.item(m_double)->setEnabled(stored.bits == 1 || stored.bits == 2);
        saved();
    }
    bool changed() const override
    {
        return m_dialog.isChecked(m_id) != m_shownFindable || m_dialog.isChecked(m_double) != m_shownDouble;
    }
    std::uint32_t encode(std::uint32_t) const override
    {
        return m_dialog.isChecked(m_id) ? (m_dialog.isChecked(m_double) ? 2 : 1) : 0;
    }
    void saved() override
    {
        m_shownFindable = m_dialog.isChecked(m_id);
        m_shownDouble = m_dialog.isChecked(m_double);
    }
    QString describe(const OtherValue& value) const override
    {
        switch (value.field.bits) {
        case 0: return QStringLiteral("not findable");
        case 1: return QStringLiteral("findable");
        case 2: return QStringLiteral("findable, double occurrence");
        default: return QStringLiteral("(unknown: %1)").arg(value.field.bits);
        }
    }
    void present(const OtherValue& value) override
    {
        if (value.field.bits > 2) return; // no pair of boxes stands for it
        m_dialog.setCheck(m_id, value.field.bits != 0);
        m_dialog.setCheck(m_double, value.field.bits == 2);
        m_dialog.item(m_double)->setEnabled(value.field.bits != 0);
    }

private:
    int m_double;
    bool m_shownFindable = false;
    bool m_shownDouble = false;
};

const BoundField kBaseItemLayout[] = {
    {"drop_flag", custom<DropFlagBoxes>(1025, 1026)},
    {"item_class", comboRow(1021, rowPlusOne)},     // 1..5
    {"equip_location", comboRow(1022, rowPlusOne)}, // 1..7
    {"graphic", comboRow(1024)},
    {"category", comboRow(1023)},
    {"unique_code", edit(1020)},
    {"name", name(1018, 30, 29, 1042)},
    {"magic_name", name(1019, 30, 29, 1043)},
    {"level", edit(1027)},
    {"durability", edit(1028)},
    {"min_damage", edit(1029)},
    {"max_damage", edit(1030)},
    {"min_ac", edit(1031)},
    {"max_ac", edit(1032)},
    {"str_req", edit(1033)},
    {"mag_req", edit(1034)},
    {"dex_req", edit(1035)},
    {"special_flags", bits(1041)},
    {"magic_code", comboData(1036)},
    {"spell", comboRow(1037)}, // 0 = none
    {"use_once", check(1038)},
    {"min_price", edit(1039)},
    {"max_price", edit(1040)},
};

constexpr int kListNameWindow = 50;

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

CBaseItemsDlg::CBaseItemsDlg(QWidget* owner)
    : CEditorDlg(131, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kBaseItems, kBaseItemLayout))
{
    onRecordChange(1015, [this] { OnSelchangeItem(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
    onClicked(1025, [this] { OnFindableItem(); });
    onSelChange(1024, [this] { OnSelchangeGraphic(); });
}

CBaseItemsDlg::~CBaseItemsDlg() = default;

void CBaseItemsDlg::OnShowWindow()
{
    AddGraphicRows(*this, 1024, 0, graphicBaseRows(edition()), 29);
    if (edition().tag == kHellfire.tag) AddHellfireMagicCodes();
    for (int row = 0; row < static_cast<int>(std::size(kMagicCodes)); ++row) setRowData(1036, row, kMagicCodes[row]);
    FillItemLists();
}

void CBaseItemsDlg::AddHellfireMagicCodes()
{
    for (const MagicCode& m : kHellfireMagicCodes) addRow(1036, QString::fromLatin1(m.text), m.code);
}

void CBaseItemsDlg::FillItemLists()
{
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    ExtendGraphicList(*this, 1024, file, edition(), 49);
    FillRecordList(*this, 1015, file, tables::Placement(tables::kBaseItems, edition()),
                   tables::fieldOf(tables::kBaseItems, "name"), kListNameWindow, QStringLiteral("Empty"));

    const tables::Placement spells(tables::kSpells, edition());
    QStringList spellRows{QStringLiteral("Empty")};
    spellRows << textRows(tables::readTexts(file, spells, tables::fieldOf(tables::kSpells, "magic_name"), kListNameWindow),
                          Numbering::None);
    AddRows(*this, 1037, spellRows);
    file.close();

    combo(1015)->setFocus();
    selectRow(1015, 0);
    for (const char* effect : kSpecialEffects) addRow(1041, QString::fromLatin1(effect));
    OnSelchangeItem();
}

void CBaseItemsDlg::OnSelchangeItem()
{
    if (!ShowRow(*m_fields, selectedRow(1015))) return;
    OnSelchangeGraphic();
}

void CBaseItemsDlg::OnSave()
{
    SaveRow(*m_fields);
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
