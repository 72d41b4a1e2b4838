#include "editors/items/ItemFlipsDlg.h"

#include "editors/common/GameLists.h"
#include "editors/items/ItemPicture.h"
#include "exe/WorkingCopy.h"
#include "tables/GameTables.h"
#include "ui/Prompter.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QListWidget>

namespace tarvix {

namespace {

// The graphic's entry of the graphic-to-flip table: its animation number.
const BoundField kGraphicLayout[] = {
    {"flip", listRow(1054)},
};

// The animation's two sound entries; a sound number is a row of each sound list.
const BoundField kSoundLayout[] = {
    {"flip_sound", listRow(1055)},
    {"inv_sound", listRow(1056)},
};

constexpr std::size_t kFlipNameWindow = 50;
constexpr int kGraphicNameLimit = 49;

} // namespace

CItemFlipsDlg::CItemFlipsDlg(QWidget* owner)
    : CEditorDlg(186, owner),
      m_graphic(std::make_unique<FieldBinding>(*this, tables::kGraphicFlips, kGraphicLayout)),
      m_sounds(std::make_unique<FieldBinding>(*this, tables::kFlips, kSoundLayout))
{
    onRecordChange(1024, [this] { OnSelchangeGraphic(); });
    onSaveClicked(1014, [this] { OnSave(); });
    watchChanges(*m_graphic);
    watchChanges(*m_sounds);
    onSelChange(1054, [this] { OnSelchangeFlip(); });
}

CItemFlipsDlg::~CItemFlipsDlg() = default;

void CItemFlipsDlg::OnShowWindow()
{
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    FillGraphicList(*this, 1024, file, edition(), kGraphicNameLimit);
    const tables::Placement flips(tables::kFlips, edition());
    AddRows(*this, 1054,
            textRows(tables::readTexts(file, flips, tables::fieldOf(tables::kFlips, "name"), kFlipNameWindow),
                     Numbering::None));
    FillSoundList(*this, {1055, 1056}, file, edition());
    file.close();

    selectRow(1024, 0);
    combo(1024)->setFocus();
    OnSelchangeGraphic();
}

void CItemFlipsDlg::OnSelchangeGraphic()
{
    const int graphic = selectedRow(1024);
    if (graphic >= 0) {
        WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
        // The table lies wherever the flip-table pointer leads, read anew each time.
        m_graphic->show(file, edition(), graphic);
        ShowFlipSounds(file, selectedRow(1054));
        file.close();
    }
    ShowItemPicture(picture(1167), graphic);
}

void CItemFlipsDlg::OnSelchangeFlip()
{
    const int animation = selectedRow(1054);
    if (animation == m_soundsOf) return;
    // A list box lets a click take its selection away; the animation on display stays.
    if (animation < 0 || !settleSoundChanges()) {
        selectRow(1054, m_soundsOf);
        return;
    }
    // The sounds on display must be the chosen animation's own: Save writes them there.
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadOnly);
    ShowFlipSounds(file, animation);
    file.close();
}

void CItemFlipsDlg::ShowFlipSounds(WorkingCopy& file, int animation)
{
    for (int id : {1055, 1056}) item(id)->setEnabled(animation >= 0);
    if (animation >= 0) {
        m_sounds->show(file, edition(), animation);
    } else {
        // A stored animation number that names no animation: no sounds to show or save.
        for (int id : {1055, 1056}) {
            selectRow(id, -1);
            list(id)->scrollToTop();
            list(id)->setToolTip(QStringLiteral("Choose a flip animation to see its sounds."));
        }
    }
    m_soundsOf = animation;
}

bool CItemFlipsDlg::settleSoundChanges()
{
    if (m_soundsOf < 0 || !m_sounds->isModified()) return true;
    const QString what =
        QStringLiteral("the sounds of flip animation %1 - %2").arg(m_soundsOf).arg(rowText(1054, m_soundsOf));
    switch (Prompter::current().askSaveChanges(this, what)) {
    case Prompter::SaveAnswer::Save:
        // Only the sounds: the animation now being chosen is the graphic's own change.
        return runHandler([this] {
            WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadWrite);
            m_sounds->save(file);
            file.close();
        });
    case Prompter::SaveAnswer::Discard: return true;
    case Prompter::SaveAnswer::Cancel: return false;
    }
    return false;
}

void CItemFlipsDlg::OnSave()
{
    if (!m_graphic->hasRow()) return;
    WorkingCopy file = openWorkingCopy(WorkingCopy::Mode::ReadWrite);
    m_graphic->save(file);
    if (m_soundsOf >= 0) m_sounds->save(file);
    file.close();
}

} // namespace tarvix
