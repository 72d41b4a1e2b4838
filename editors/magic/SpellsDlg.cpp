#include "editors/magic/SpellsDlg.h"

#include "editors/magic/SpellIconsDlg.h"
#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/RecordList.h"

#include <QComboBox>

#include <iterator>

namespace tarvix {

namespace {

const BoundField kSpellLayout[] = {
    {"mana", edit(1143)},
    {"cast_anim", comboRow(1092)},
    {"magic_name", name(1037, 50, 49, 1039)},
    {"skill_name", name(1142, 50, 49, 1042)}, // most spells have none: "Empty"
    {"book_level", edit(1145)},
    {"staff_level", edit(1068)},
    {"scroll_type", edit(1144)},
    {"town_spell", check(1147)},
    {"min_magic", edit(1148)},
    {"sound", comboData(1094)},
    {"effect1", comboRow(1150)},
    {"effect2", comboRow(1151)},
    {"effect3", comboRow(1152)},
    {"mana_adj", edit(1153)},
    {"min_mana", edit(1154)},
    {"charges_min", edit(1155)},
    {"charges_max", edit(1156)},
    {"book_cost", edit(1157)},
    {"staff_multiplier", edit(1024)}, // shown divided by 5
};

constexpr int kListNameWindow = 50;

// The casting sounds of the template's rows "Fire", "Lightning", "Magic #1" and
// "Magic #2": the game's Cast2, Cast4, Cast6 and Cast8 sounds. Hellfire's sound table
// has six more sounds before them.
constexpr tables::PerEdition kCastingSounds[] = {{76, 82}, {78, 84}, {80, 86}, {82, 88}};

// Hellfire's missiles beyond Diablo's 66, and its one renamed effect.
constexpr int kRageRow = 43;
// clang-format off
constexpr const char* kHellfireEffects[] = {
    "???", "???", "Mana", "Magi", "???", "Lightning Wall", "Immolation",              // 66..72
    "???", "???", "???", "???", "???", "Warp", "Reflect", "Berserk", "Ring of Fire",  // 73..81
    "???", "???", "???", "Search", "???", "???", "???",                               // 82..88
    "Rune of Fire", "Rune of Light", "Greater Rune of Lightning", "Greater Rune of Fire",
    "Rune of Stone", "???", "Spawning", "Jester",                                     // 89..96
};
// clang-format on

} // namespace

CSpellsDlg::CSpellsDlg(QWidget* owner)
    : CEditorDlg(423, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kSpells, kSpellLayout))
{
    onRecordChange(1015, [this] { OnSelchangeSpell(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
    onClicked(1016, [this] { OnIcons(); });
}

CSpellsDlg::~CSpellsDlg() = default;

void CSpellsDlg::OnShowWindow()
{
    FillEffectLists();
    for (int row = 0; row < static_cast<int>(std::size(kCastingSounds)); ++row)
        setRowData(1094, row, kCastingSounds[row].of(edition()));

    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    FillRecordList(*this, 1015, file, tables::Placement(tables::kSpells, edition()),
                   tables::fieldOf(tables::kSpells, "magic_name"), kListNameWindow, QStringLiteral("Empty"));
    file.close();

    selectRow(1015, 0);
    combo(1015)->setFocus();
    OnSelchangeSpell();
}

void CSpellsDlg::FillEffectLists()
{
    if (edition().tag == kHellfire.tag) {
        combo(1150)->setItemText(kRageRow, QStringLiteral("Rage"));
        QStringList added;
        for (const char* effect : kHellfireEffects) added << QString::fromLatin1(effect);
        AddRows(*this, 1150, added);
    }
    // The three effect lists are one list: the stored byte is its row.
    QStringList rows;
    for (int row = 0; row < rowCount(1150); ++row) rows << rowText(1150, row);
    AddRows(*this, 1151, rows);
    AddRows(*this, 1152, rows);
}

void CSpellsDlg::OnSelchangeSpell()
{
    ShowRow(*m_fields, selectedRow(1015));
}

void CSpellsDlg::OnSave()
{
    SaveRow(*m_fields);
}

void CSpellsDlg::OnIcons()
{
    // The icon editor lists the spells by the same name pointers this table holds.
    const tables::Placement spells(tables::kSpells, edition());
    CSpellIconsDlg icons(this);
    icons.setWorkingCopy(workingCopyPath(), edition());
    icons.setOriginal(originalPath());
    icons.setSpells(spells.rows(), spells.offsetOf(tables::fieldOf(tables::kSpells, "magic_name"), 0));
    icons.exec();
}

} // namespace tarvix
