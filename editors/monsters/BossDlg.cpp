#include "editors/monsters/BossDlg.h"

#include "editors/common/GameLists.h"
#include "editors/monsters/MonsterLists.h"
#include "exe/WorkingCopy.h"
#include "tables/FileImage.h"
#include "tables/GameTables.h"
#include "ui/GameText.h"
#include "ui/Prompter.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QListWidget>

#include <iterator>

namespace tarvix {

namespace {

// The speech link (speech, a speech number shown as that speech's sound) is handled
// beside the layout: it is looked up in, and chosen by a search of, the speech table.
const BoundField kBossLayout[] = {
    {"monster_type", comboRow(1021)},
    {"name", name(1018, 50, 49, 0, QString())},
    // Rows stand for whole names; an untouched combo keeps the stored pointer, 0 too.
    {"color_file", pointerChoice(1095, 50)},
    {"dungeon_level", edit(1027)},
    {"hit_points", edit(1106)},
    {"attack_type", comboRow(1084)},
    {"attack_param", edit(1026)},
    {"damage_first", edit(1029)},
    {"damage_second", edit(1030)},
    {"resist", bits(1088)},         // bits 6 and 7 are the game's own and kept
    {"pack_flag", comboData(1125)}, // 0, 1, 3, 7 or 11
    {"pack_param", edit(1126)},
};

constexpr int kNameWindow = 50;
constexpr int kResistanceColumn = 90; // pixels
constexpr std::uint32_t kPackFlagCodes[] = {0, 1, 3, 7, 11};

} // namespace

CBossDlg::CBossDlg(QWidget* owner)
    : CEditorDlg(420, owner), m_fields(std::make_unique<FieldBinding>(*this, tables::kBosses, kBossLayout)),
      m_speechField(m_fields->field("speech")), m_speechSoundField(m_fields->field("speeches.sound")),
      m_marks(std::make_unique<OriginalMarks>([this](int) { RevertSpeech(); }))
{
    onRecordChange(1015, [this] { OnSelchangeBoss(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
}

CBossDlg::~CBossDlg() = default;

void CBossDlg::OnShowWindow()
{
    AddHellfireAttackTypes(*this, 1084, edition());
    FillResistanceList(*this, 1088, kResistanceColumn);
    for (int row = 0; row < static_cast<int>(std::size(kPackFlagCodes)); ++row)
        setRowData(1125, row, kPackFlagCodes[row]);

    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    const tables::Placement bosses(tables::kBosses, edition());
    FillRecordList(*this, 1015, file, bosses, tables::fieldOf(tables::kBosses, "name"), kNameWindow);
    FillColorFiles(file);
    FillRecordList(*this, 1021, file, tables::Placement(tables::kMonsters, edition()),
                   tables::fieldOf(tables::kMonsters, "name"), kNameWindow);
    FillSoundList(*this, 1094, file, edition());
    file.close();

    selectRow(1015, 0);
    combo(1015)->setFocus();
    ShowRecord();
}

// One row per colour file name the bosses use, in order of first use, carrying the
// pointer of that first use. Names are told apart whole and without regard to case.
void CBossDlg::FillColorFiles(WorkingCopy& file)
{
    const tables::Placement bosses(tables::kBosses, edition());
    QStringList names;
    for (const StoredName& stored :
         tables::readTexts(file, bosses, tables::fieldOf(tables::kBosses, "color_file"), kNameWindow)) {
        if (stored.isNull) continue;
        const QString text = gameText(stored.text);
        if (names.contains(text, Qt::CaseInsensitive)) continue;
        names << text;
        addRow(1095, text, stored.target + edition().pointerDelta);
    }
}

void CBossDlg::OnSelchangeBoss()
{
    ShowRecord();
}

void CBossDlg::ShowRecord()
{
    const int row = selectedRow(1015);
    if (row < 0) return;
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    m_fields->show(file, edition(), row);
    ShowSpeechSound(file);
    file.close();
}

// Speech 0 stands for no speech; a speech number beyond the table, or a sound that
// names no row, shows no selection either, and is kept unless a sound is chosen.
void CBossDlg::ShowSpeechSound(WorkingCopy& file)
{
    const auto speech = static_cast<std::int16_t>(m_fields->storedBits(m_speechField));
    m_speech = speech;
    const tables::Placement speeches(tables::kSpeeches, edition());
    int sound = -1;
    if (speech > 0 && speech < speeches.rows()) {
        const auto value =
            static_cast<std::int16_t>(file.readUnsigned(speeches.offsetOf(m_speechSoundField, speech), 2));
        if (value >= 0 && value < rowCount(1094)) sound = value;
    }
    selectRow(1094, sound);
    if (sound >= 0)
        list(1094)->scrollToItem(list(1094)->item(sound), QAbstractItemView::PositionAtTop);
    else
        list(1094)->scrollToTop();
    m_shownSound = selectedRow(1094);
    m_revertedSpeech = -1;
    MarkSpeech();
}

// The sound of a speech in the original, as the list shows it; -1 for none.
static int originalSoundOf(const tables::FileImage& original, const tables::FieldRef& soundField, int speech,
                           int rows)
{
    if (speech <= 0 || speech >= original.placement(tables::kSpeeches).rows()) return -1;
    const int sound = std::stoi(original.value(soundField, speech).text);
    return sound >= 0 && sound < rows ? sound : -1;
}

void CBossDlg::MarkSpeech()
{
    const tables::FileImage* original = originalImage();
    if (!original || !m_fields->hasRow()) return;
    const int was = std::stoi(original->value(m_speechField, m_fields->row()).text);
    if (was == m_speech) {
        m_marks->unmark(item(1094));
        return;
    }
    const int sound = originalSoundOf(*original, m_speechSoundField, was, rowCount(1094));
    m_marks->mark(item(1094), 1094,
                  sound >= 0 ? QStringLiteral("speech %1, %2").arg(was).arg(rowText(1094, sound))
                             : QStringLiteral("speech %1").arg(was));
}

void CBossDlg::RevertSpeech()
{
    const tables::FileImage* original = originalImage();
    if (!original || !m_fields->hasRow()) return;
    const int was = std::stoi(original->value(m_speechField, m_fields->row()).text);
    const int sound = originalSoundOf(*original, m_speechSoundField, was, rowCount(1094));
    if (sound < 0) return; // no sound to choose stands for it
    selectRow(1094, sound);
    m_revertedSpeech = was;
    updateTitle();
}

void CBossDlg::RevertToOriginal()
{
    CEditorDlg::RevertToOriginal();
    if (m_marks->isMarked(item(1094))) RevertSpeech();
}

bool CBossDlg::SpeechSoundChanged() const
{
    const int now = selectedRow(1094);
    // A revert may choose the sound shown already: the original speech shares it.
    return now >= 0 && (now != m_shownSound || (m_revertedSpeech >= 0 && m_revertedSpeech != m_speech));
}

bool CBossDlg::hasUnsavedChanges() const
{
    return CEditorDlg::hasUnsavedChanges() || (m_fields->hasRow() && SpeechSoundChanged());
}

void CBossDlg::OnSave()
{
    if (!m_fields->hasRow()) return;
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadWrite);
    m_fields->save(file);
    bool noSpeech = false;
    if (SpeechSoundChanged()) WriteSpeechLink(file, noSpeech);
    file.close();
    if (noSpeech)
        Prompter::current().information(
            this, QStringLiteral("No speech associated with this WAV!!\nPlease choose another WAV!"),
            QStringLiteral("Tarvix"));
}

// The boss gets the last speech whose sound is the one chosen, as the game's own data
// has it for speeches that share a sound; when none uses it the link stays as stored.
void CBossDlg::WriteSpeechLink(WorkingCopy& file, bool& noSpeech)
{
    const int sound = selectedRow(1094);
    const tables::Placement speeches(tables::kSpeeches, edition());
    const std::vector<std::int64_t> sounds = tables::readColumn(file, speeches, m_speechSoundField);
    int speech = -1;
    for (int j = 0; j < static_cast<int>(sounds.size()); ++j)
        if (sounds[static_cast<std::size_t>(j)] == sound) speech = j;
    // Put back by a revert: the original's own speech, even where a later one shares its sound.
    if (m_revertedSpeech > 0 && m_revertedSpeech < static_cast<int>(sounds.size()) &&
        sounds[static_cast<std::size_t>(m_revertedSpeech)] == sound)
        speech = m_revertedSpeech;
    if (speech < 0) {
        noSpeech = true;
        return;
    }
    file.writeUnsigned(m_fields->offsetOf(m_speechField), 2, static_cast<std::uint32_t>(speech));
    m_shownSound = sound;
    m_revertedSpeech = -1;
    m_speech = speech;
    MarkSpeech();
}

} // namespace tarvix
