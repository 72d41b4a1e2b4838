#include "editors/monsters/SpeechesDlg.h"

#include "editors/common/GameLists.h"
#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/RecordList.h"

#include <QComboBox>

namespace tarvix {

namespace {

const BoundField kSpeechLayout[] = {
    // A pointer that leads outside the file shows an empty text.
    {"text", textView(1134, 2000)},
    {"show", check(1137)}, // a stored byte other than 0 or 1 is kept until the box changes
    {"scroll_speed", edit(1138)},
    {"sound", listRow(1094)}, // -1 (no sound) or a number beyond the list is kept
};

} // namespace

CSpeechesDlg::CSpeechesDlg(QWidget* owner)
    : CEditorDlg(422, owner),
      m_fields(std::make_unique<FieldBinding>(*this, tables::kSpeeches, kSpeechLayout)),
      m_soundField(m_fields->field("sound"))
{
    onRecordChange(1015, [this] { OnSelchangeSpeech(); });
    onSelChange(1094, [this] { OnSelchangeSound(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_fields);
}

CSpeechesDlg::~CSpeechesDlg() = default;

void CSpeechesDlg::OnShowWindow()
{
    const int speeches = tables::Placement(tables::kSpeeches, edition()).rows();
    QStringList rows;
    rows.reserve(speeches);
    for (int n = 0; n < speeches; ++n)
        rows << QStringLiteral("Speech #%1").arg(n);
    AddRows(*this, 1015, rows);

    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    FillSoundList(*this, 1094, file, edition());
    file.close();

    selectRow(1015, 0);
    combo(1015)->setFocus();
    ShowSpeech();
}

void CSpeechesDlg::OnSelchangeSpeech()
{
    ShowSpeech();
}

void CSpeechesDlg::ShowSpeech()
{
    ShowRow(*m_fields, selectedRow(1015));
}

int CSpeechesDlg::StoredSoundRow() const
{
    const auto sound = static_cast<std::int16_t>(m_fields->storedBits(m_soundField));
    return sound >= 0 && sound < rowCount(1094) ? sound : -1;
}

// With "Search Speech" ticked, choosing a sound shows the last speech that uses it. The
// choice is then a question, not an edit of the speech on display: the list goes back
// to that speech's own sound, and its other unsaved changes are asked about as for any
// change of speech. When no speech uses the sound, nothing else happens and the choice
// stays, as it would with the box unticked.
void CSpeechesDlg::OnSelchangeSound()
{
    if (!isChecked(1139) || !m_fields->hasRow()) return;
    const int sound = selectedRow(1094);
    if (sound < 0) return;
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    const std::vector<std::int64_t> sounds =
        tables::readColumn(file, tables::Placement(tables::kSpeeches, edition()), m_soundField);
    file.close();
    int found = -1;
    for (int j = 0; j < static_cast<int>(sounds.size()); ++j)
        if (sounds[static_cast<std::size_t>(j)] == sound) found = j;
    if (found < 0) return;

    selectRow(1094, StoredSoundRow());
    if (found != selectedRow(1015)) combo(1015)->setCurrentIndex(found);
}

void CSpeechesDlg::OnSave()
{
    SaveRow(*m_fields);
}

} // namespace tarvix
