#include "editors/magic/CharactersDlg.h"

#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/RecordList.h"

#include <QComboBox>

namespace tarvix {

namespace {

// Attributes are ints the game may hold negative; frame bytes and the blocking bonus
// (the low byte of its int) are unsigned. The class names are only listed: Diablo's
// lie inside its program code.
const BoundField kClassLayout[] = {
    {"start_str", edit(1059)},        {"max_str", edit(1061)},
    {"start_mag", edit(1062)},        {"max_mag", edit(1063)},
    {"start_dex", edit(1064)},        {"max_dex", edit(1065)},
    {"start_vit", edit(1066)},        {"max_vit", edit(1067)},
    {"block_bonus", edit(1079)},      {"frames_dungeon_idle", edit(1068)},
    {"frames_attack", edit(1069)},    {"frames_dungeon_walk", edit(1070)},
    {"frames_death", edit(1071)},     {"frames_cast", edit(1072)},
    {"frames_town_idle", edit(1073)}, {"frames_town_walk", edit(1074)},
    {"speed_block", edit(1075)},      {"speed_hit_recovery", edit(1076)},
    {"speed_attack", edit(1077)},     {"speed_cast", edit(1078)},
};

constexpr int kClassNameWindow = 20;

} // namespace

CCharactersDlg::CCharactersDlg(QWidget* owner)
    : CEditorDlg(413, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kClasses, kClassLayout))
{
    onRecordChange(1015, [this] { OnSelchangeClass(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
}

CCharactersDlg::~CCharactersDlg() = default;

void CCharactersDlg::OnShowWindow()
{
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    const tables::Placement classes(tables::kClasses, edition());
    AddRows(*this, 1015,
            textRows(
                tables::readTexts(file, classes, tables::fieldOf(tables::kClasses, "name"), kClassNameWindow),
                Numbering::None));
    file.close();

    selectRow(1015, 0);
    combo(1015)->setFocus();
    OnSelchangeClass();
}

void CCharactersDlg::OnSelchangeClass()
{
    ShowRow(*m_fields, selectedRow(1015));
}

void CCharactersDlg::OnSave()
{
    SaveRow(*m_fields);
}

} // namespace tarvix
