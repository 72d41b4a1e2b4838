#include "editors/monsters/MonsterFilesDlg.h"

#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/RecordList.h"

#include <QListWidget>

#include <string_view>

namespace tarvix {

namespace {

constexpr int kNameWindow = 50;

struct FrameEdit {
    std::string_view field;
    int id;
};
// Framesets, then playback speeds, each of neutral, walking, attacking, hit recovery,
// death and second animation.
constexpr FrameEdit kFrameEdits[CMonsterFilesDlg::kFrameValues] = {
    {"frameset_neutral", 1097},      {"frameset_walking", 1098}, {"frameset_attacking", 1099},
    {"frameset_hit_recovery", 1100}, {"frameset_death", 1101},   {"frameset_second", 1102},
    {"speed_neutral", 1103},         {"speed_walking", 1104},    {"speed_attacking", 1105},
    {"speed_hit_recovery", 1106},    {"speed_death", 1107},      {"speed_second", 1108},
};

// The value at offset 0 (anim_value) goes with the animation file and is written beside
// the binding, only when another file is chosen.
std::vector<BoundField> filesLayout()
{
    std::vector<BoundField> layout = {
        {"anim_file", pointerChoice(1092, kNameWindow)},
        {"second_anim", check(1096)},
        {"sound_file", pointerChoice(1094, kNameWindow)},
        {"special_sound", check(1109)},
        {"use_color_trn", check(1110)},
        {"color_file", pointerChoice(1095, kNameWindow)}, // 0 = none
    };
    for (const FrameEdit& frame : kFrameEdits)
        layout.push_back({frame.field, edit(frame.id)});
    return layout;
}

} // namespace

CMonsterFilesDlg::CMonsterFilesDlg(QWidget* owner)
    : CEditorDlg(418, owner),
      m_fields(std::make_unique<FieldBinding>(*this, tables::kMonsters, filesLayout())),
      m_animValueField(m_fields->field("anim_value"))
{
    for (int i = 0; i < kFrameValues; ++i)
        m_frameFields[i] = m_fields->field(kFrameEdits[i].field);
    onSelChange(1092, [this] { OnSelchangeAnimationFile(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
}

CMonsterFilesDlg::~CMonsterFilesDlg() = default;

void CMonsterFilesDlg::OnShowWindow()
{
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    const tables::Placement monsters(tables::kMonsters, edition());
    const std::vector<tables::RowBytes> records = tables::RowBytes::readRows(file, monsters);
    auto namesOf = [&](std::string_view field) {
        return tables::readTexts(file, monsters, m_fields->field(field), kNameWindow);
    };
    const TextChoices animations = distinctTexts(namesOf("anim_file"));
    const TextChoices sounds = distinctTexts(namesOf("sound_file"));
    AddTextChoices(*this, 1092, animations);
    AddTextChoices(*this, 1094, sounds);
    AddTextChoices(*this, 1095, distinctTexts(namesOf("color_file")));

    const tables::FieldRef secondAnim = m_fields->field("second_anim");
    const tables::FieldRef sound = m_fields->field("sound_file");
    const tables::FieldRef specialSound = m_fields->field("special_sound");
    for (const int first : animations.firstUse) {
        const tables::RowBytes& record = records[static_cast<std::size_t>(first)];
        AnimationValues values;
        values.animValue = record.bits(m_animValueField);
        values.secondAnim = record.bits(secondAnim);
        values.soundPointer = record.bits(sound);
        values.soundRow = sounds.rowOf[static_cast<std::size_t>(first)];
        values.specialSound = record.bits(specialSound);
        for (int i = 0; i < kFrameValues; ++i)
            values.frames[i] = static_cast<std::int32_t>(record.bits(m_frameFields[i]));
        m_animationValues.push_back(values);
    }

    m_fields->show(file, edition(), m_record);
    file.close();
    m_storedAnimationRow = selectedRow(1092);
    m_storedSoundRow = selectedRow(1094);
    list(1092)->setFocus();
}

CMonsterFilesDlg::AnimationValues CMonsterFilesDlg::storedValues() const
{
    AnimationValues values;
    values.secondAnim = m_fields->storedBits(m_fields->field("second_anim"));
    values.specialSound = m_fields->storedBits(m_fields->field("special_sound"));
    for (int i = 0; i < kFrameValues; ++i)
        values.frames[i] = static_cast<std::int32_t>(m_fields->storedBits(m_frameFields[i]));
    return values;
}

void CMonsterFilesDlg::ShowAnimationValues(const AnimationValues& values)
{
    setCheck(1096, values.secondAnim != 0);
    setCheck(1109, values.specialSound != 0);
    for (int i = 0; i < kFrameValues; ++i)
        setInt(kFrameEdits[i].id, values.frames[i]);
}

void CMonsterFilesDlg::OnSelchangeAnimationFile()
{
    if (!m_fields->hasRow()) return;
    const int row = selectedRow(1092);
    if (row < 0 || row == m_storedAnimationRow) {
        // The record's own file again (or no choice): its own values as the file holds
        // them, so that nothing counts as changed any more.
        selectRow(1092, m_storedAnimationRow);
        selectRow(1094, m_storedSoundRow);
        ShowAnimationValues(storedValues());
        return;
    }
    const AnimationValues& values = m_animationValues[static_cast<std::size_t>(row)];
    if (values.soundRow >= 0) {
        // Any pointer to the name serves the game; that record's own makes Save copy
        // exactly what the record holds.
        setRowData(1094, values.soundRow, values.soundPointer);
        selectRow(1094, values.soundRow);
    }
    ShowAnimationValues(values);
}

void CMonsterFilesDlg::OnSave()
{
    if (!m_fields->hasRow()) return;
    const bool animationChosen = m_fields->isChanged(1092);
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadWrite);
    if (animationChosen)
        file.writeUnsigned(m_fields->offsetOf(m_animValueField),
                           static_cast<int>(tables::widthOf(m_animValueField.field->type)),
                           m_animationValues[static_cast<std::size_t>(selectedRow(1092))].animValue);
    m_fields->save(file);
    file.close();
    m_storedAnimationRow = selectedRow(1092);
    m_storedSoundRow = selectedRow(1094);
}

} // namespace tarvix
