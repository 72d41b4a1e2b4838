#include "editors/monsters/MonsterDataDlg.h"

#include "editors/monsters/MonsterFilesDlg.h"
#include "editors/monsters/MonsterLists.h"

#include "exe/WorkingCopy.h"
#include "tables/FileImage.h"
#include "tables/GameTables.h"
#include "ui/DialogInt.h"
#include "ui/RecordList.h"

#include <QComboBox>

namespace tarvix {

namespace {

using conversions::dungeonLevel;

// The resistance bytes (resist_normal, resist_hell) are written by their list as soon
// as it changes, and so are not part of Save.
const BoundField kMonsterLayout[] = {
    {"seeding_size", edit(1019)},
    {"name", name(1018, 50, 49, 1027, QString())},
    {"dlvl_first", edit(1020, dungeonLevel)},
    {"dlvl_second", edit(1021, dungeonLevel)},
    {"monster_level", edit(1022)},
    {"hp_first", edit(1023)},
    {"hp_second", edit(1024)},
    {"attack_type", comboRow(1084)},
    {"attack_special", comboData(1085)}, // 0, 1 or 128
    {"intelligence", edit(1025)},
    {"subtype", edit(1026)},
    {"main_to_hit", edit(1030)},
    {"main_to_hit_frame", edit(1028)},
    {"main_damage_first", edit(1032)},
    {"main_damage_second", edit(1033)},
    {"second_to_hit", edit(1031)},
    {"second_to_hit_frame", edit(1029)},
    {"second_damage_first", edit(1034)},
    {"second_damage_second", edit(1035)},
    {"armor_class", edit(1036)},
    {"type", comboRow(1016)},
    {"unique_item", comboRow(1089)},
    {"item_drop_specials", comboData(1017)}, // 0, 64 or 128
    {"selection_outline", edit(1037)},
    {"experience", edit(1038)},
    // Only the first byte of an entry counts; 2 (placed in the full game only) shows as
    // active and is kept unless the box is changed.
    {"active_flags.active", check(1090)},
};

constexpr int kListNameWindow = 40;
constexpr std::uint8_t kShownResistBits = 0x3F; // bits 6 and 7 are game flags no row shows
constexpr std::uint8_t kUniqueItemDrop = 0x80;

// Hellfire offers only the first 94 unique items here, as the game's own editor did.
constexpr tables::PerEdition kUniqueItemsOffered{90, 94};

constexpr std::uint32_t kAttackSpecialCodes[] = {0, 1, 128};
constexpr std::uint32_t kItemDropCodes[] = {0, 64, 128};
constexpr int kResistanceColumn = 100; // pixels

} // namespace

CMonsterDataDlg::CMonsterDataDlg(QWidget* owner)
    : CEditorDlg(416, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kMonsters, kMonsterLayout)),
      m_resistNormalField(m_fields->field("resist_normal")), m_resistHellField(m_fields->field("resist_hell")),
      m_itemDropField(m_fields->field("item_drop_specials")), m_uniqueItemField(m_fields->field("unique_item")),
      m_marks(std::make_unique<OriginalMarks>([this](int) { RevertResistances(); }))
{
    onRecordChange(1015, [this] { OnSelchangeMonster(); });
    onClicked(1086, [this] { OnNormalNightmare(); });
    onClicked(1087, [this] { OnHell(); });
    onSelChange(1088, [this] { OnSelchangeResistances(); });
    onSelChange(1017, [this] { OnSelchangeItemDrop(); });
    onTextChange(1038, [this] { OnChangeExperience(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
    onClicked(1000, [this] { OnFiles(); });
}

CMonsterDataDlg::~CMonsterDataDlg() = default;

void CMonsterDataDlg::OnShowWindow()
{
    AddHellfireAttackTypes(*this, 1084, edition());
    for (int row = 0; row < 3; ++row) {
        setRowData(1085, row, kAttackSpecialCodes[row]);
        setRowData(1017, row, kItemDropCodes[row]);
    }
    FillResistanceList(*this, 1088, kResistanceColumn);

    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    FillRecordList(*this, 1015, file, tables::Placement(tables::kMonsters, edition()),
                   tables::fieldOf(tables::kMonsters, "name"), kListNameWindow);
    const tables::Placement uniques(tables::kUniqueItems, edition());
    AddRows(*this, 1089,
            textRows(tables::readTexts(file, uniques, tables::fieldOf(tables::kUniqueItems, "name"), kListNameWindow,
                                       static_cast<int>(kUniqueItemsOffered.of(edition()))),
                     Numbering::Decimal));
    file.close();

    selectRow(1015, 0);
    combo(1015)->setFocus();
    setCheck(1086, true);
    ShowRecord();
}

void CMonsterDataDlg::OnSelchangeMonster() { ShowRecord(); }

void CMonsterDataDlg::ShowRecord()
{
    if (!ShowRow(*m_fields, selectedRow(1015))) return;
    m_resistNormal = static_cast<std::uint8_t>(m_fields->storedBits(m_resistNormalField));
    m_resistHell = static_cast<std::uint8_t>(m_fields->storedBits(m_resistHellField));

    ShowResistances(isChecked(1086) ? m_resistNormal : m_resistHell);
    item(1089)->setVisible(m_fields->storedBits(m_itemDropField) & kUniqueItemDrop);
    OnChangeExperience();
}

void CMonsterDataDlg::ShowResistances(std::uint8_t resistances)
{
    for (int row = 0; row < rowCount(1088); ++row) setRowSelected(1088, row, (resistances >> row) & 1u);
    MarkResistances(resistances);
}

const tables::FieldRef& CMonsterDataDlg::shownResistField() const
{
    return isChecked(1086) ? m_resistNormalField : m_resistHellField;
}

void CMonsterDataDlg::MarkResistances(std::uint8_t shown)
{
    const tables::FileImage* original = originalImage();
    if (!original || !m_fields->hasRow()) return;
    const auto was = static_cast<std::uint8_t>(std::stoi(original->value(shownResistField(), m_fields->row()).text));
    if (was == shown) {
        m_marks->unmark(item(1088));
        return;
    }
    QStringList rows;
    for (int row = 0; row < rowCount(1088); ++row)
        if ((was >> row) & 1u) rows << rowText(1088, row).trimmed();
    m_marks->mark(item(1088), 1088, rows.isEmpty() ? QStringLiteral("none") : rows.join(QStringLiteral(", ")));
}

void CMonsterDataDlg::RevertResistances()
{
    const tables::FileImage* original = originalImage();
    if (!original || !m_fields->hasRow()) return;
    const auto was = static_cast<std::uint8_t>(std::stoi(original->value(shownResistField(), m_fields->row()).text));
    for (int row = 0; row < rowCount(1088); ++row) setRowSelected(1088, row, (was >> row) & 1u);
    OnSelchangeResistances(); // the list writes at once, as when the user picks its rows
}

void CMonsterDataDlg::OnNormalNightmare() { ShowResistances(m_resistNormal); }

void CMonsterDataDlg::OnHell() { ShowResistances(m_resistHell); }

void CMonsterDataDlg::OnSelchangeResistances()
{
    if (!m_fields->hasRow()) return;
    const bool normal = isChecked(1086);
    std::uint8_t& cached = normal ? m_resistNormal : m_resistHell;
    std::uint8_t shown = 0;
    for (int row = 0; row < rowCount(1088); ++row)
        if (isRowSelected(1088, row)) shown |= static_cast<std::uint8_t>(1u << row);
    const bool written = runHandler([&] {
        WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadWrite);
        const std::uint64_t offset = m_fields->offsetOf(normal ? m_resistNormalField : m_resistHellField);
        // Re-read in this same cycle: bits 6 and 7 keep what the file holds now.
        const auto stored = static_cast<std::uint8_t>(file.readUnsigned(offset, 1));
        const std::uint8_t value = (stored & ~kShownResistBits) | (shown & kShownResistBits);
        file.writeUnsigned(offset, 1, value);
        file.close();
        cached = value;
    });
    // After a failure the list goes back to what the file holds.
    if (!written) ShowResistances(cached);
    else MarkResistances(cached);
}

void CMonsterDataDlg::OnSelchangeItemDrop()
{
    if (selectedRow(1017) == 2) {
        item(1089)->show();
        return;
    }
    // Hidden, the list goes back to the stored unique item: a drop that names none leaves
    // the byte the user never touched as it is.
    const std::uint32_t stored = m_fields->storedBits(m_uniqueItemField);
    selectRow(1089, stored < static_cast<std::uint32_t>(rowCount(1089)) ? static_cast<int>(stored) : -1);
    item(1089)->hide();
}

void CMonsterDataDlg::OnChangeExperience()
{
    const std::uint32_t x = getInt(1038, false) & 0xFFFF;
    setText(1039, formatDialogInt((x + 1000) * 2));
    setText(1040, formatDialogInt((x + 1000) * 4));
}

void CMonsterDataDlg::OnSave()
{
    SaveRow(*m_fields);
}

void CMonsterDataDlg::OnFiles()
{
    const int row = selectedRow(1015);
    if (row < 0) return;
    // The two editors hold different fields of the record: this one stays as it is.
    CMonsterFilesDlg files(this);
    files.setWorkingCopy(workingCopyPath(), edition());
    files.setOriginal(originalPath());
    files.setRecord(row);
    files.exec();
}

} // namespace tarvix
