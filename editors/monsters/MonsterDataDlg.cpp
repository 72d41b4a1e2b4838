#include "editors/monsters/MonsterDataDlg.h"

#include "exe/Edition.h"
#include "exe/TextAccess.h"
#include "exe/WorkingCopy.h"
#include "ui/DialogInt.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QListWidget>

namespace tarvix {

namespace {

using conversions::dungeonLevel;
using T = FieldType;

// Monster record, 128 bytes. Offsets 116 and 118 (resistances) are written by their
// list as soon as it changes, and so are not part of Save.
const Field kMonsterLayout[] = {
    {4, T::U16, edit(1019)},                    // seeding size
    {80, T::Pointer, name(1018, 50, 49, 1027)}, // name
    {84, T::U8, edit(1020, dungeonLevel)},      // dungeon levels, first
    {85, T::U8, edit(1021, dungeonLevel)},      // dungeon levels, second
    {86, T::U8, edit(1022)},                    // monster level
    {88, T::S32, edit(1023)},                   // hit points, first
    {92, T::S32, edit(1024)},                   // hit points, second
    {96, T::U8, comboRow(1084)},                // attack type
    {100, T::U8, comboData(1085)},              // attack special: 0, 1 or 128
    {101, T::U8, edit(1025)},                   // intelligence
    {104, T::U8, edit(1026)},                   // subtype
    {105, T::U8, edit(1030)},                   // main attack: to hit %
    {106, T::U8, edit(1028)},                   //              to hit frame
    {107, T::U8, edit(1032)},                   //              damage, first
    {108, T::U8, edit(1033)},                   //              damage, second
    {109, T::U8, edit(1031)},                   // second attack: to hit %
    {110, T::U8, edit(1029)},                   //                to hit frame
    {111, T::U8, edit(1034)},                   //                damage, first
    {112, T::U8, edit(1035)},                   //                damage, second
    {113, T::U8, edit(1036)},                   // armor class
    {114, T::U8, comboRow(1016)},               // type
    {120, T::U8, comboRow(1089)},               // unique item dropped
    {121, T::U8, comboData(1017)},              // item drop specials: 0, 64 or 128
    {122, T::U8, edit(1037)},                   // selection outline
    {124, T::U16, edit(1038)},                  // experience points
};

constexpr int kRecordSize = 128;
constexpr int kUniqueRecordSize = 84;
constexpr int kListNameWindow = 40;
constexpr int kResistNormal = 116;
constexpr int kResistHell = 118;
constexpr int kItemDrop = 121;
constexpr std::uint8_t kShownResistBits = 0x3F; // bits 6 and 7 are game flags no row shows
constexpr std::uint8_t kUniqueItemDrop = 0x80;

struct EditionParameters {
    std::uint32_t monsterTable;
    std::uint8_t monsterCount;
    std::uint32_t uniqueTable;
    std::uint8_t uniqueCount;
    std::uint32_t pointerDelta;
    std::uint32_t activeTable;
    std::uint32_t activeEntrySize;
};
constexpr EditionParameters kDiabloParameters{0x96C70, 112, 0x7CCB8, 90, 0x402200, 0x9A4F0, 1};
// Hellfire offers only the first 94 unique items here, as the game's own editor did.
constexpr EditionParameters kHellfireParameters{0xAA8F0, 138, 0x8CB00, 94, 0x401600, 0xAF058, 4};

constexpr const char* kHellfireAttackTypes[] = {"Firebat", "Hellbat", "Hork Demon", "Lich",
                                                "Arch Lich", "Psychorb", "Necromorb", "Bone Demon"};
constexpr std::uint32_t kAttackSpecialCodes[] = {0, 1, 128};
constexpr std::uint32_t kItemDropCodes[] = {0, 64, 128};
constexpr const char* kResistanceRows[] = {" Magic Resist", " Fire Resist", " Lightning Resist",
                                           "Magic Immune",  "Fire Immune", "Lightning Immune"};

} // namespace

CMonsterDataDlg::CMonsterDataDlg(QWidget* owner) : CEditorDlg(416, owner)
{
    onSelChange(1015, [this] { OnSelchangeMonster(); });
    onClicked(1086, [this] { OnNormalNightmare(); });
    onClicked(1087, [this] { OnHell(); });
    onSelChange(1088, [this] { OnSelchangeResistances(); });
    onSelChange(1017, [this] { OnSelchangeItemDrop(); });
    onTextChange(1038, [this] { OnChangeExperience(); });
    onClicked(1014, [this] { OnSave(); });
    onClicked(1000, [this] { OnFiles(); });
}

CMonsterDataDlg::~CMonsterDataDlg() = default;

void CMonsterDataDlg::OnShowWindow()
{
    const std::string tag = tagBytes();
    const auto p = byEdition(tag, kDiabloParameters, kHellfireParameters);
    if (!p) return;
    m_monsterTable = p->monsterTable;
    m_monsterCount = p->monsterCount;
    m_uniqueTable = p->uniqueTable;
    m_uniqueCount = p->uniqueCount;
    m_pointerDelta = p->pointerDelta;
    m_activeTable = p->activeTable;
    m_activeEntrySize = p->activeEntrySize;
    m_fields = std::make_unique<FieldBinding>(*this, kMonsterLayout, m_pointerDelta, QString());

    if (tag == kHellfire.tag)
        for (const char* attack : kHellfireAttackTypes) addRow(1084, QString::fromLatin1(attack));
    for (int row = 0; row < 3; ++row) {
        setRowData(1085, row, kAttackSpecialCodes[row]);
        setRowData(1017, row, kItemDropCodes[row]);
    }
    // Columns of 100 pixels, or as wide as the longest row where the font needs it.
    QListWidget* resistances = list(1088);
    int column = 100;
    for (const char* row : kResistanceRows) {
        addRow(1088, QString::fromLatin1(row));
        column = std::max(column, resistances->fontMetrics().horizontalAdvance(QString::fromLatin1(row)) + 12);
    }
    // Two columns of three rows, all in sight without scrolling.
    const int rowHeight = resistances->fontMetrics().height();
    resistances->setGridSize(QSize(column, rowHeight));
    resistances->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * resistances->frameWidth() + 2;
    resistances->resize(std::max(resistances->width(), 2 * column + frame),
                        std::max(resistances->height(), 3 * rowHeight + frame));

    WorkingCopy file(pathBytes(), WorkingCopy::Mode::ReadOnly);
    FillRecordList(*this, 1015, file,
                   {m_monsterTable, m_monsterCount, kRecordSize, 80, kListNameWindow, m_pointerDelta});
    FillRecordList(*this, 1089, file, {m_uniqueTable, m_uniqueCount, kUniqueRecordSize, 0, kListNameWindow, m_pointerDelta});
    file.close();

    selectRow(1015, 0);
    combo(1015)->setFocus();
    setCheck(1086, true);
    ShowRecord();
}

void CMonsterDataDlg::OnSelchangeMonster() { ShowRecord(); }

void CMonsterDataDlg::ShowRecord()
{
    const int row = selectedRow(1015);
    if (row < 0 || !m_fields) return;
    m_monster = static_cast<std::uint8_t>(row);
    m_record = m_monsterTable + kRecordSize * m_monster;

    WorkingCopy file(pathBytes(), WorkingCopy::Mode::ReadOnly);
    m_fields->show(file, m_record);
    m_resistNormal = m_fields->recordByte(kResistNormal);
    m_resistHell = m_fields->recordByte(kResistHell);
    const bool active = ReadActiveFlag(file);
    file.close();

    ShowResistances(isChecked(1086) ? m_resistNormal : m_resistHell);
    item(1089)->setVisible(m_fields->storedBits(1017) & kUniqueItemDrop);
    OnChangeExperience();
    setCheck(1090, active);
    m_shownActive = active;
}

bool CMonsterDataDlg::ReadActiveFlag(WorkingCopy& file)
{
    // Only the first byte of an entry counts; 2 (placed in the retail game only) shows
    // as active, and is kept unless the box is changed.
    return file.readUnsigned(activeFlagOffset(), 1) != 0;
}

std::uint32_t CMonsterDataDlg::activeFlagOffset() const
{
    return m_activeTable + m_activeEntrySize * static_cast<std::uint32_t>(m_monster);
}

void CMonsterDataDlg::ShowResistances(std::uint8_t resistances)
{
    for (int row = 0; row < rowCount(1088); ++row) setRowSelected(1088, row, (resistances >> row) & 1u);
}

int CMonsterDataDlg::resistanceOffset() const { return isChecked(1086) ? kResistNormal : kResistHell; }

void CMonsterDataDlg::OnNormalNightmare() { ShowResistances(m_resistNormal); }

void CMonsterDataDlg::OnHell() { ShowResistances(m_resistHell); }

void CMonsterDataDlg::OnSelchangeResistances()
{
    if (!m_fields) return;
    std::uint8_t& cached = resistanceOffset() == kResistNormal ? m_resistNormal : m_resistHell;
    std::uint8_t shown = 0;
    for (int row = 0; row < rowCount(1088); ++row)
        if (isRowSelected(1088, row)) shown |= static_cast<std::uint8_t>(1u << row);
    const bool written = runHandler([&] {
        WorkingCopy file(pathBytes(), WorkingCopy::Mode::ReadWrite);
        const std::uint32_t offset = m_record + resistanceOffset();
        const auto stored = static_cast<std::uint8_t>(file.readUnsigned(offset, 1));
        const std::uint8_t value = (stored & ~kShownResistBits) | (shown & kShownResistBits);
        file.writeUnsigned(offset, 1, value);
        file.close();
        cached = value;
    });
    // After a failure the list goes back to what the file holds.
    if (!written) ShowResistances(cached);
}

void CMonsterDataDlg::OnSelchangeItemDrop()
{
    if (selectedRow(1017) == 2) {
        item(1089)->show();
    } else {
        selectRow(1089, 0);
        item(1089)->hide();
    }
}

void CMonsterDataDlg::OnChangeExperience()
{
    const std::uint32_t x = getInt(1038, false) & 0xFFFF;
    setText(1039, formatDialogInt((x + 1000) * 2));
    setText(1040, formatDialogInt((x + 1000) * 4));
}

void CMonsterDataDlg::OnSave()
{
    if (!m_fields) return;
    WorkingCopy file(pathBytes(), WorkingCopy::Mode::ReadWrite);
    m_fields->save(file);
    if (isChecked(1090) != m_shownActive) {
        file.writeUnsigned(activeFlagOffset(), 1, isChecked(1090) ? 1 : 0);
        m_shownActive = isChecked(1090);
    }
    file.close();
}

void CMonsterDataDlg::OnFiles()
{
    // The monster files and framesets editor opens from here once it exists.
}

} // namespace tarvix
